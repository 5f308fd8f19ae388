// TCanvas text: cells, brush fill, clipping, spacing, decoding, prefixes, paths and rotation.
#include <gtest/gtest.h>

#include "framework/Canvas.h"
#include "support/Pixels.h"

namespace {

class CanvasTextTest : public testing::Test {
 protected:
  void SetUp() override {
    FillBitmap(Surface, Marker);
    Canvas.Font.SetName("Arial");
    Canvas.Font.SetHeight(-16);
    Canvas.Font.SetColor(clBlack);
    Canvas.Brush.Style = TBrushStyle::bsClear;
  }
  TBitmap Surface{160, 60};
  TCanvas& Canvas = Surface.Canvas();
};

TEST_F(CanvasTextTest, TextStaysInsideItsCell) {
  TSize Size = Canvas.TextExtent("Hxg");
  EXPECT_GT(Size.cx, 10);
  EXPECT_GE(Size.cy, 16);
  Canvas.TextOut(10, 5, "Hxg");
  TRect Drawn = ChangedBounds(Surface, Marker);
  EXPECT_FALSE(Drawn.IsEmpty());
  EXPECT_GE(Drawn.Left, 10);
  EXPECT_GE(Drawn.Top, 5);
  EXPECT_LE(Drawn.Right, 10 + Size.cx + 1);
  EXPECT_LE(Drawn.Bottom, 5 + Size.cy);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{10 + Size.cx, 5}));
}

TEST_F(CanvasTextTest, SolidBrushFillsTheCell) {
  Canvas.Brush = {clYellow, TBrushStyle::bsSolid};
  Canvas.TextOut(4, 4, "ab");
  TSize Size = Canvas.TextExtent("ab");
  EXPECT_EQ(ChangedBounds(Surface, Marker), (TRect{4, 4, 4 + Size.cx, 4 + Size.cy}));
  EXPECT_EQ(Surface.Pixel(4, 4), Rgb(255, 255, 0));
}

TEST_F(CanvasTextTest, CharacterExtraWidensEveryCharacter) {
  int Plain = Canvas.TextWidth("abcd");
  Canvas.TextCharacterExtra = 3;
  EXPECT_EQ(Canvas.TextWidth("abcd"), Plain + 12);
}

TEST_F(CanvasTextTest, DrawTextClipsToItsRectangleUnlessToldNot) {
  TRect R{10, 10, 20, 40};
  Canvas.DrawText("WWWWWW", R, DT_SINGLELINE);
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {10, 10, 20, 40}, Marker), "");
  FillBitmap(Surface, Marker);
  Canvas.DrawText("WWWWWW", R, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(ChangedBounds(Surface, Marker).Right, 20);
  EXPECT_FALSE(Canvas.HasClipRect());
}

TEST_F(CanvasTextTest, CalcRectMeasuresWithoutDrawing) {
  TRect R{5, 5, 100, 5};
  int Height = Canvas.DrawText("two\nlines", R, DT_CALCRECT);
  EXPECT_EQ(ChangedBounds(Surface, Marker), TRect{});
  EXPECT_EQ(R.Bottom - R.Top, 2 * Canvas.TextHeight("x"));
  EXPECT_EQ(Height, R.Bottom - R.Top);
  EXPECT_EQ(R.Right - R.Left, std::max(Canvas.TextWidth("two"), Canvas.TextWidth("lines")));
}

TEST_F(CanvasTextTest, PrefixUnderlineIsDrawnInTheFontColour) {
  Canvas.Font.SetColor(clRed);
  TRect R{0, 0, 160, 60};
  Canvas.DrawText("&x", R, DT_SINGLELINE);
  int Ascent = Canvas.Face().Metrics().Ascent;
  EXPECT_EQ(Surface.Pixel(0, Ascent + 1), Rgb(255, 0, 0));
  FillBitmap(Surface, Marker);
  Canvas.DrawText("&x", R, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_LT(ChangedBounds(Surface, Marker).Left, Canvas.TextWidth("&"));
}

TEST_F(CanvasTextTest, TextIsDecodedByTheFontsCharacterSet) {
  Canvas.Font.SetCharset(RUSSIAN_CHARSET);
  EXPECT_EQ(Canvas.Decode("\xC0"), U"\u0410");
  EXPECT_EQ(Canvas.Decode("\xD0\x96"), U"\u0416");  // valid UTF-8 wins
  Canvas.Font.SetCharset(ANSI_CHARSET);
  EXPECT_EQ(Canvas.Decode("caf\xE9"), U"caf\u00E9");
  EXPECT_EQ(Canvas.Decode("plain"), U"plain");
}

TEST_F(CanvasTextTest, PathsRecordOutlinesAndStrokeThemWithThePen) {
  Canvas.Font.SetHeight(-40);
  Canvas.BeginPath();
  Canvas.TextOut(10, 5, "O");
  Canvas.EndPath();
  EXPECT_EQ(ChangedBounds(Surface, Marker), TRect{});
  Canvas.Pen = {clBlue, 1, TPenStyle::psSolid};
  Canvas.StrokePath();
  TRect Drawn = ChangedBounds(Surface, Marker);
  ASSERT_FALSE(Drawn.IsEmpty());
  // The letter is hollow: its centre keeps the background.
  EXPECT_EQ(Surface.Pixel((Drawn.Left + Drawn.Right) / 2, (Drawn.Top + Drawn.Bottom) / 2), Marker);
  FillBitmap(Surface, Marker);
  Canvas.StrokePath();  // the path is gone once stroked
  EXPECT_EQ(ChangedBounds(Surface, Marker), TRect{});
}

TEST_F(CanvasTextTest, EscapementTurnsTheBaseline) {
  Canvas.Font.SetEscapement(900);
  Canvas.TextOut(20, 55, "llllllll");
  TRect Drawn = ChangedBounds(Surface, Marker);
  ASSERT_FALSE(Drawn.IsEmpty());
  EXPECT_GT(Drawn.Height(), Drawn.Width());
  EXPECT_LE(Drawn.Bottom, 56);
}

}  // namespace
