// A button's caption layer: the caption area and its pressed shift, the menu button's centred
// caption, the hot colour, the disabled look, hidden captions and a glyph beside the caption.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CaptionSheet.h"
#include "controls/button/KitDrawButtonCaption.h"
#include "controls/draw/KitDrawText.h"
#include "framework/ColorToRGB.h"
#include "support/Pixels.h"

namespace {

constexpr int Width = 120;
constexpr int Height = 30;
const TRect Face{0, 0, Width, Height};
const std::string Caption = "Run Setup";
const TColor EnterColor = ColorOf(0, 255, 0);
constexpr unsigned DrawFormat = DT_EXPANDTABS | DT_WORDBREAK;

std::unique_ptr<TBitmap> ButtonSheet() {
  auto Bitmap = Sheet(Width, Height);
  // Times New Roman, bold, height -19, yellow: the menu window's template button.
  TCanvas& Canvas = Bitmap->Canvas();
  Canvas.Font.SetName("Times New Roman");
  Canvas.Font.SetHeight(-19);
  Canvas.Font.SetColor(clYellow);
  return Bitmap;
}

class DrawButtonCaptionTest : public ::testing::Test {
 protected:
  DrawButtonCaptionTest() {
    Font.SetName("Times New Roman");
    Font.SetHeight(-19);
    Font.SetStyle({fsBold});
    Font.SetColor(clYellow);
    FontFX.SetStyle(TKitThreeDStyle::tdSunkenShadow);
    FontFX.SetLightColor(clBlack);
    FontFX.SetShadowColor(clBlack);
  }

  TKitButtonCaption Button() {
    return {.Font = Font, .Layout = Layout, .Caption = Caption, .FontFX = &FontFX};
  }

  std::unique_ptr<TBitmap> Paint(TKitButtonState State, const TKitButtonCaption& Settings) {
    auto Bitmap = ButtonSheet();
    KitDrawButtonCaption(Bitmap->Canvas(), KitButtonContentRect(Face, 1, State, false), State,
                         Settings);
    return Bitmap;
  }

  // The worked placement: the caption's extent plus 4, centred in the content rectangle and
  // moved one pixel into its margin.
  TRect CaptionRect(const TRect& Content) {
    auto Measuring = ButtonSheet();
    Measuring->Canvas().Font.Assign(Font);
    const TSize Text = Measuring->Canvas().TextExtent(Caption);
    const int X = (Content.Width() - (Text.cx + 4)) / 2;
    const int Y = (Content.Height() - (Text.cy + 4)) / 2;
    return Bounds(Content.Left + X + 1, Content.Top + Y + 1, Text.cx + 4, Text.cy + 4);
  }

  // The caption drawn straight into Rect in Color with Flags.
  std::unique_ptr<TBitmap> Reference(const TRect& Rect, TColor Color,
                                     TKitDrawTextStyles Flags = {TKitDrawTextStyle::dtEnabled}) {
    auto Bitmap = ButtonSheet();
    TCanvas& Canvas = Bitmap->Canvas();
    Canvas.Font.Assign(Font);
    Canvas.Font.SetColor(Color);
    Canvas.Brush.Style = TBrushStyle::bsClear;
    KitDrawTextExt(Canvas, Caption, &FontFX, Rect, DrawFormat, Flags, nullptr);
    return Bitmap;
  }

  TFont Font;
  TKitFxCaption FontFX;
  TKitButtonLayout Layout;
};

}  // namespace

TEST(ButtonContentRectTest, InsetByTheBevelAndShiftedWhilePressed) {
  const TRect Still{1, 1, Width - 1, Height - 1};
  const TRect Pressed{2, 2, Width, Height};
  for (TKitButtonState State :
       {TKitButtonState::bsUp, TKitButtonState::bsDisabledUp, TKitButtonState::bsMouseOver,
        TKitButtonState::bsDragOver, TKitButtonState::bsDisabledDown}) {
    SCOPED_TRACE(static_cast<int>(State));
    EXPECT_EQ(KitButtonContentRect(Face, 1, State, false), Still);
  }
  for (TKitButtonState State :
       {TKitButtonState::bsOptionSet, TKitButtonState::bsDown, TKitButtonState::bsDropDownOpen}) {
    SCOPED_TRACE(static_cast<int>(State));
    EXPECT_EQ(KitButtonContentRect(Face, 1, State, false), Pressed);
  }
  // A combo's open menu presses only its arrow part.
  EXPECT_EQ(KitButtonContentRect(Face, 1, TKitButtonState::bsDropDownOpen, true), Still);
  EXPECT_EQ(KitButtonContentRect(Face, 1, TKitButtonState::bsDown, true), Pressed);
  EXPECT_EQ(KitButtonContentRect(Face, 3, TKitButtonState::bsDown, false),
            Rect(4, 4, Width - 2, Height - 2));
}

TEST_F(DrawButtonCaptionTest, MenuButtonCaptionIsCentredInTheContentArea) {
  const auto Drawn = Paint(TKitButtonState::bsUp, Button());
  const TRect Text = CaptionRect({1, 1, Width - 1, Height - 1});
  EXPECT_TRUE(SameImage(*Drawn, *Reference(Text, clYellow)));
  EXPECT_NE(ChangedBounds(*Drawn, PixelFor(SheetBackground)), TRect{});
}

TEST_F(DrawButtonCaptionTest, PressedCaptionMovesOnePixelRightAndDown) {
  const auto Up = Paint(TKitButtonState::bsUp, Button());
  const auto Down = Paint(TKitButtonState::bsDown, Button());
  const TRect Text = CaptionRect({2, 2, Width, Height});
  EXPECT_EQ(Text, OffsetRect(CaptionRect({1, 1, Width - 1, Height - 1}), 1, 1));
  EXPECT_TRUE(SameImage(*Down, *Reference(Text, clYellow)));
  const TRect Ink = ChangedBounds(*Up, PixelFor(SheetBackground));
  EXPECT_EQ(ChangedBounds(*Down, PixelFor(SheetBackground)), OffsetRect(Ink, 1, 1));
  for (int Y = 0; Y + 1 < Height; ++Y)
    for (int X = 0; X + 1 < Width; ++X)
      ASSERT_EQ(Down->Pixel(X + 1, Y + 1), Up->Pixel(X, Y)) << X << ", " << Y;
}

TEST_F(DrawButtonCaptionTest, HotAndPressedCaptionTakesTheEnterColourWhenAsked) {
  TKitButtonCaption Settings = Button();
  Settings.AllowMouseOver = true;
  Settings.EnterColorChange = true;
  Settings.EnterColor = EnterColor;
  struct TCase {
    TKitButtonState State;
    bool Hot;
  };
  const TCase Cases[] = {
      {TKitButtonState::bsUp, false},       {TKitButtonState::bsMouseOver, true},
      {TKitButtonState::bsOptionSet, true}, {TKitButtonState::bsDown, true},
      {TKitButtonState::bsDragOver, true},  {TKitButtonState::bsDropDownOpen, true}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.State));
    const TRect Text = CaptionRect(KitButtonContentRect(Face, 1, Case.State, false));
    EXPECT_TRUE(SameImage(*Paint(Case.State, Settings),
                          *Reference(Text, Case.Hot ? EnterColor : clYellow)));
  }
  // Either setting alone keeps the font's colour.
  Settings.AllowMouseOver = false;
  const TRect Still = CaptionRect({1, 1, Width - 1, Height - 1});
  EXPECT_TRUE(
      SameImage(*Paint(TKitButtonState::bsMouseOver, Settings), *Reference(Still, clYellow)));
  Settings.AllowMouseOver = true;
  Settings.EnterColorChange = false;
  EXPECT_TRUE(
      SameImage(*Paint(TKitButtonState::bsMouseOver, Settings), *Reference(Still, clYellow)));
}

TEST_F(DrawButtonCaptionTest, DisabledCaptionIsSunkenGreyAndNeverShifted) {
  TKitButtonCaption Settings = Button();
  Settings.Enabled = false;
  const TRect Text = CaptionRect({1, 1, Width - 1, Height - 1});
  const auto Expected =
      Reference(Text, clYellow, {TKitDrawTextStyle::dtDisabled, TKitDrawTextStyle::dt3DDisabled});
  const auto DisabledUp = Paint(TKitButtonState::bsDisabledUp, Settings);
  EXPECT_TRUE(SameImage(*DisabledUp, *Expected));
  EXPECT_TRUE(SameImage(*Paint(TKitButtonState::bsDisabledDown, Settings), *Expected));
  EXPECT_NE(PixelsNotEqual(*DisabledUp, Face, PixelFor(ColorToRGB(clGrayText))).size(),
            PixelsNotEqual(*DisabledUp, Face, PixelFor(SheetBackground)).size());
}

TEST_F(DrawButtonCaptionTest, HiddenOrEmptyCaptionDrawsNothing) {
  TKitButtonCaption Settings = Button();
  Settings.UseCaption = false;
  EXPECT_EQ(ChangedBounds(*Paint(TKitButtonState::bsDown, Settings), PixelFor(SheetBackground)),
            TRect{});
  Settings.UseCaption = true;
  Settings.Caption.clear();
  EXPECT_EQ(
      ChangedBounds(*Paint(TKitButtonState::bsMouseOver, Settings), PixelFor(SheetBackground)),
      TRect{});
}

TEST_F(DrawButtonCaptionTest, GlyphOfTheStateStandsLeftOfTheCaption) {
  // An 8 x 8 picture: a magenta border, which shows through, around a blue square.
  TBitmap Picture(8, 8);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) {
      const bool Border = X == 0 || X == 7 || Y == 0 || Y == 7;
      Picture.SetPixel(X, Y, Border ? PixelOf(255, 0, 255) : PixelOf(0, 0, 255));
    }
  TKitGlyph Glyph;
  Glyph.SetGlyph(Picture);
  Glyph.SetStyle(TKitGlyphStyle::gsExplorer);
  TKitButtonCaption Settings = Button();
  Settings.Glyph = &Glyph;

  auto Measuring = ButtonSheet();
  Measuring->Canvas().Font.Assign(Font);
  const TSize Text = Measuring->Canvas().TextExtent(Caption);
  const TRect Content{1, 1, Width - 1, Height - 1};
  const int BlockWidth = 8 + Layout.Spacing() + Text.cx + 4;
  const int BlockHeight = std::max(8, Text.cy + 4);
  const int Left = Content.Left + (Content.Width() - BlockWidth) / 2;
  const int Top = Content.Top + (Content.Height() - BlockHeight) / 2;
  const TRect Inside = Bounds(Left + 1, Top + (BlockHeight - 8) / 2 + 1, 6, 6);

  const auto Hot = Paint(TKitButtonState::bsMouseOver, Settings);
  EXPECT_EQ(PixelsNotEqual(*Hot, Inside, PixelOf(0, 0, 255)), "");
  EXPECT_EQ(ChangedBounds(*Hot, PixelFor(SheetBackground)).Left, Inside.Left);
  // Not hot, the explorer picture is grey: 255 x 0.11 = 28.
  const auto Up = Paint(TKitButtonState::bsUp, Settings);
  EXPECT_EQ(PixelsNotEqual(*Up, Inside, PixelOf(28, 28, 28)), "");
}
