// The pictures a glyph holder draws: each state's own picture from the strip, the grey up
// picture of explorer buttons, the embossed disabled picture, and what shows through.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CaptionSheet.h"
#include "controls/button/KitButtonLayout.h"
#include "controls/button/KitGlyph.h"
#include "core/Colors.h"
#include "framework/ColorToRGB.h"
#include "support/Pixels.h"

namespace {

const TColor Key = ColorOf(255, 0, 255);
const TColor Colours[] = {ColorOf(200, 40, 40), ColorOf(40, 200, 40), ColorOf(40, 40, 200),
                          ColorOf(200, 200, 40), ColorOf(40, 200, 200)};
const TRect Target{10, 10, 50, 40};
// Where a 6 x 6 picture lands when centred in Target.
const TRect Placed = Bounds(27, 22, 6, 6);
const TRect Inner = Bounds(28, 23, 4, 4);

// Pictures of 6 x 6: a one-pixel border in the key colour around a square of one colour.
std::unique_ptr<TBitmap> Strip(int Count) {
  auto Bitmap = std::make_unique<TBitmap>(6 * Count, 6);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 6 * Count; ++X) {
      const bool Border = X % 6 == 0 || X % 6 == 5 || Y == 0 || Y == 5;
      Bitmap->SetPixel(X, Y, PixelFor(Border ? Key : Colours[X / 6]));
    }
  return Bitmap;
}

TPixel RgbPixel(TColor Color) {
  return PixelFor(ColorToRGB(Color));
}

class GlyphImageTest : public ::testing::Test {
 protected:
  // Draws the picture of State, without a caption, on a fresh sheet.
  const TBitmap& Draw(TKitButtonState State) {
    Bitmap = Sheet(60, 50);
    Glyph.DrawButtonGlyphAndText(Bitmap->Canvas(), "", nullptr, Target, State, Layout,
                                 {TKitDrawTextStyle::dtEnabled}, false, 0);
    return *Bitmap;
  }

  // "" when the picture's inside is all Pixel and its border shows the sheet.
  std::string Differences(TKitButtonState State, TPixel Pixel) {
    const TBitmap& Drawn = Draw(State);
    return PixelsNotEqual(Drawn, Inner, Pixel) +
           PixelsNotEqualOutside(Drawn, Inner, PixelFor(SheetBackground));
  }

  TKitGlyph Glyph;
  TKitButtonLayout Layout;
  std::unique_ptr<TBitmap> Bitmap;
};

}  // namespace

TEST_F(GlyphImageTest, FullStripShowsEachStatesOwnPicture) {
  Glyph.SetGlyph(*Strip(5));
  ASSERT_EQ(Glyph.NumGlyphs(), 5);
  struct TCase {
    TKitButtonState State;
    int Standard;
    int Explorer;
  };
  const TCase Cases[] = {
      {TKitButtonState::bsUp, 0, 0},           {TKitButtonState::bsDisabledUp, 1, 1},
      {TKitButtonState::bsMouseOver, 2, 2},    {TKitButtonState::bsOptionSet, 3, 3},
      {TKitButtonState::bsDown, 4, 4},         {TKitButtonState::bsDragOver, 0, 2},
      {TKitButtonState::bsDropDownOpen, 0, 4}, {TKitButtonState::bsDisabledDown, 1, 1}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.State));
    Glyph.SetStyle(TKitGlyphStyle::gsStandard);
    EXPECT_EQ(Differences(Case.State, PixelFor(Colours[Case.Standard])), "");
    Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
    EXPECT_EQ(Differences(Case.State, PixelFor(Colours[Case.Explorer])), "");
  }
}

TEST_F(GlyphImageTest, ExplorerUpPictureIsGreyUntilTheButtonIsHot) {
  Glyph.SetGlyph(*Strip(1));
  Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
  // 200 x 0.30 + 40 x 0.59 + 40 x 0.11 = 88.
  EXPECT_EQ(Differences(TKitButtonState::bsUp, PixelOf(88, 88, 88)), "");
  EXPECT_EQ(Differences(TKitButtonState::bsMouseOver, PixelFor(Colours[0])), "");
  EXPECT_EQ(Differences(TKitButtonState::bsDown, PixelFor(Colours[0])), "");
  EXPECT_EQ(Differences(TKitButtonState::bsDropDownOpen, PixelFor(Colours[0])), "");
  // The change of style prepares the pictures again.
  Glyph.SetStyle(TKitGlyphStyle::gsStandard);
  EXPECT_EQ(Differences(TKitButtonState::bsUp, PixelFor(Colours[0])), "");
}

TEST_F(GlyphImageTest, ExplorerStripWithAHotPictureKeepsItsUpPicture) {
  Glyph.SetGlyph(*Strip(3));
  Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
  EXPECT_EQ(Differences(TKitButtonState::bsUp, PixelFor(Colours[0])), "");
  EXPECT_EQ(Differences(TKitButtonState::bsMouseOver, PixelFor(Colours[2])), "");
}

TEST_F(GlyphImageTest, DisabledPictureIsEmbossedFromTheFirst) {
  Glyph.SetGlyph(*Strip(1));
  for (TKitButtonState State : {TKitButtonState::bsDisabledUp, TKitButtonState::bsDisabledDown}) {
    SCOPED_TRACE(static_cast<int>(State));
    const TBitmap& Drawn = Draw(State);
    // The square in shadow, its highlight showing one pixel below and to the right.
    EXPECT_EQ(PixelsNotEqual(Drawn, Inner, RgbPixel(clBtnShadow)), "");
    EXPECT_EQ(PixelsNotEqual(Drawn, Bounds(32, 24, 1, 4), RgbPixel(clBtnHighlight)), "");
    EXPECT_EQ(PixelsNotEqual(Drawn, Bounds(29, 27, 4, 1), RgbPixel(clBtnHighlight)), "");
    EXPECT_EQ(ChangedBounds(Drawn, PixelFor(SheetBackground)), Rect(28, 23, 33, 28));
    EXPECT_EQ(PixelsNotEqual(Drawn, Bounds(28, 27, 1, 1), PixelFor(SheetBackground)), "");
    EXPECT_EQ(PixelsNotEqual(Drawn, Bounds(32, 23, 1, 1), PixelFor(SheetBackground)), "");
  }
  // A strip with a disabled picture of its own shows that one.
  Glyph.SetGlyph(*Strip(2));
  EXPECT_EQ(Differences(TKitButtonState::bsDisabledUp, PixelFor(Colours[1])), "");
}

TEST_F(GlyphImageTest, BottomLeftPixelShowsThroughUntilAnotherColourIsChosen) {
  Glyph.SetGlyph(*Strip(1));
  EXPECT_EQ(Glyph.TransparentColor(), Key);
  Glyph.SetTransparentColor(clNone);
  const TBitmap& Opaque = Draw(TKitButtonState::bsUp);
  EXPECT_EQ(PixelsNotEqual(Opaque, Inner, PixelFor(Colours[0])), "");
  EXPECT_EQ(ChangedBounds(Opaque, PixelFor(SheetBackground)), Placed);
  EXPECT_EQ(PixelsNotEqual(Opaque, Bounds(27, 22, 6, 1), PixelFor(Key)), "");

  Glyph.SetTransparentColor(Colours[0]);
  const TBitmap& Ring = Draw(TKitButtonState::bsUp);
  EXPECT_EQ(PixelsNotEqual(Ring, Inner, PixelFor(SheetBackground)), "");
  EXPECT_EQ(PixelsNotEqual(Ring, Bounds(27, 27, 6, 1), PixelFor(Key)), "");
}

TEST_F(GlyphImageTest, NewGlyphReplacesThePreparedPictures) {
  Glyph.SetGlyph(*Strip(1));
  EXPECT_EQ(Differences(TKitButtonState::bsUp, PixelFor(Colours[0])), "");
  auto Other = Strip(2);
  // Pictures 6 wide and 6 high, the second one drawn first.
  TBitmap Swapped(6, 6);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 6; ++X) Swapped.SetPixel(X, Y, Other->Pixel(X + 6, Y));
  Glyph.SetGlyph(Swapped);
  EXPECT_EQ(Differences(TKitButtonState::bsUp, PixelFor(Colours[1])), "");
}
