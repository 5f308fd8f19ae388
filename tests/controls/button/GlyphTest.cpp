// The glyph holder's bookkeeping: which picture each state shows, the picture count a strip's
// shape implies, change reports, and the glyph lists shared between holders.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "controls/button/KitGlyph.h"
#include "controls/button/KitGlyphList.h"

namespace {

constexpr std::array<TKitButtonState, 8> AllStates = {
    TKitButtonState::bsUp,           TKitButtonState::bsDisabledUp,  TKitButtonState::bsMouseOver,
    TKitButtonState::bsOptionSet,    TKitButtonState::bsDown,        TKitButtonState::bsDragOver,
    TKitButtonState::bsDropDownOpen, TKitButtonState::bsDisabledDown};

std::array<int, 8> NumbersOf(const TKitGlyph& Glyph) {
  std::array<int, 8> Numbers{};
  for (std::size_t I = 0; I < AllStates.size(); ++I) Numbers[I] = Glyph.ImageNumber(AllStates[I]);
  return Numbers;
}

std::unique_ptr<TBitmap> Strip(int Width, int Height) {
  return std::make_unique<TBitmap>(Width, Height);
}

}  // namespace

TEST(GlyphTest, StandardStripsFallBackToTheUpPicture) {
  TKitGlyph Glyph;
  const std::array<std::array<int, 8>, 5> Expected = {{
      {0, 1, 0, 0, 0, 0, 0, 1},
      {0, 1, 0, 0, 0, 0, 0, 1},
      {0, 1, 2, 0, 0, 0, 0, 1},
      {0, 1, 2, 3, 0, 0, 0, 1},
      {0, 1, 2, 3, 4, 0, 0, 1},
  }};
  for (int Count = 1; Count <= 5; ++Count) {
    SCOPED_TRACE(Count);
    Glyph.SetNumGlyphs(Count);
    EXPECT_EQ(NumbersOf(Glyph), Expected[Count - 1]);
  }
}

TEST(GlyphTest, ExplorerStripsFallBackToTheHotPicture) {
  TKitGlyph Glyph;
  Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
  const std::array<std::array<int, 8>, 5> Expected = {{
      {0, 1, 2, 2, 2, 2, 4, 1},
      {0, 1, 2, 2, 2, 2, 4, 1},
      {0, 1, 2, 2, 2, 2, 4, 1},
      {0, 1, 2, 3, 2, 2, 4, 1},
      {0, 1, 2, 3, 4, 2, 4, 1},
  }};
  for (int Count = 1; Count <= 5; ++Count) {
    SCOPED_TRACE(Count);
    Glyph.SetNumGlyphs(Count);
    EXPECT_EQ(NumbersOf(Glyph), Expected[Count - 1]);
  }
}

TEST(GlyphTest, StripShapeSetsThePictureCount) {
  TKitGlyph Glyph;
  Glyph.SetGlyph(*Strip(64, 16));
  EXPECT_EQ(Glyph.NumGlyphs(), 4);
  Glyph.SetGlyph(*Strip(80, 16));
  EXPECT_EQ(Glyph.NumGlyphs(), 5);
  // Six square pictures are more than a strip holds: read as one picture.
  Glyph.SetGlyph(*Strip(96, 16));
  EXPECT_EQ(Glyph.NumGlyphs(), 1);
  Glyph.SetNumGlyphs(3);
  // A width that is not a multiple of the height leaves the count alone.
  Glyph.SetGlyph(*Strip(50, 16));
  EXPECT_EQ(Glyph.NumGlyphs(), 3);
  Glyph.SetGlyph(TBitmap());
  EXPECT_EQ(Glyph.NumGlyphs(), 3);
  EXPECT_EQ(Glyph.TransparentColor(), clNone);
}

TEST(GlyphTest, PictureCountStaysWithinOneToFive) {
  TKitGlyph Glyph;
  Glyph.SetNumGlyphs(0);
  EXPECT_EQ(Glyph.NumGlyphs(), 1);
  Glyph.SetNumGlyphs(9);
  EXPECT_EQ(Glyph.NumGlyphs(), 5);
  Glyph.SetNumGlyphs(-3);
  EXPECT_EQ(Glyph.NumGlyphs(), 1);
}

TEST(GlyphTest, ReportsRealChangesAndEveryNewGlyph) {
  TKitGlyph Glyph;
  int Changes = 0;
  Glyph.OnChange = [&](TObject*) { ++Changes; };
  Glyph.SetNumGlyphs(1);
  Glyph.SetStyle(TKitGlyphStyle::gsStandard);
  Glyph.SetTransparentColor(clNone);
  EXPECT_EQ(Changes, 0);
  Glyph.SetNumGlyphs(2);
  Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
  Glyph.SetTransparentColor(clRed);
  EXPECT_EQ(Changes, 3);
  Glyph.SetGlyph(*Strip(8, 8));
  Glyph.SetGlyph(*Strip(8, 8));
  EXPECT_EQ(Changes, 5);
}

TEST(GlyphTest, NoPictureWithoutAGlyphOrWithMorePicturesThanColumns) {
  TKitGlyph Glyph;
  EXPECT_FALSE(Glyph.Image(TKitButtonState::bsUp).Present());
  Glyph.SetGlyph(*Strip(3, 5));
  Glyph.SetNumGlyphs(4);
  EXPECT_FALSE(Glyph.Image(TKitButtonState::bsUp).Present());
}

TEST(GlyphTest, HoldersOfOneSizeShareAListAndGiveTheirSlotsBack) {
  auto Picture = Strip(16, 16);
  auto First = std::make_unique<TKitGlyph>();
  auto Second = std::make_unique<TKitGlyph>();
  First->SetGlyph(*Picture);
  Second->SetGlyph(*Picture);
  const TKitGlyphImage A = First->Image(TKitButtonState::bsUp);
  const TKitGlyphImage B = Second->Image(TKitButtonState::bsUp);
  ASSERT_TRUE(A.Present());
  ASSERT_TRUE(B.Present());
  EXPECT_EQ(A.Canvas, B.Canvas);
  EXPECT_NE(A.Rect, B.Rect);
  std::shared_ptr<TKitGlyphList> List = TKitGlyphList::OfSize(16, 16);
  EXPECT_EQ(List->Count(), 2);
  // A state showing a picture already prepared takes no new slot.
  First->Image(TKitButtonState::bsMouseOver);
  First->Image(TKitButtonState::bsDown);
  EXPECT_EQ(List->Count(), 2);
  First->Image(TKitButtonState::bsDisabledUp);
  EXPECT_EQ(List->Count(), 3);
  First.reset();
  EXPECT_EQ(List->Count(), 1);
  Second->SetStyle(TKitGlyphStyle::gsExplorer);
  EXPECT_EQ(List->Count(), 0);
}

TEST(GlyphListTest, FreedSlotsAreReusedAndStoredPicturesSurviveGrowth) {
  TKitGlyphList List(2, 1);
  TBitmap Picture(2, 1);
  TBitmap Mask(2, 1);
  for (int I = 0; I < 3; ++I) {
    Picture.SetPixel(0, 0, PixelOf(static_cast<std::uint8_t>(10 * (I + 1)), 0, 0));
    EXPECT_EQ(List.Add(Picture, Mask), I);
  }
  List.Delete(1);
  EXPECT_EQ(List.Count(), 2);
  EXPECT_EQ(List.Add(Picture, Mask), 1);
  for (int I = 3; I < 9; ++I) EXPECT_EQ(List.Add(Picture, Mask), I);
  EXPECT_EQ(List.ImageCanvas().Pixel(0, 0), 10);
  EXPECT_EQ(List.ImageCanvas().Pixel(4, 0), 30);
  EXPECT_EQ(List.ImageRect(4), Rect(8, 0, 10, 1));
}
