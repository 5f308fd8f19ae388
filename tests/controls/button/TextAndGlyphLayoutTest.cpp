// The caption and glyph layout routine: every arrangement and alignment, spacing, offsets,
// wrapping, the arrow, the layout-only flags and transparent glyphs. Expected places come from
// the same canvas's own measurements, and every drawing is compared with the caption and the
// picture drawn directly at those places, so nothing depends on the font's metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "CaptionSheet.h"
#include "controls/button/KitButtonLayout.h"
#include "controls/button/KitDrawTextAndGlyph.h"
#include "controls/draw/KitDrawText.h"
#include "controls/draw/KitFxCaption.h"
#include "support/Pixels.h"

namespace {

constexpr int SheetWidth = 300;
constexpr int SheetHeight = 200;
const TRect Target{20, 15, 280, 185};
const std::string Sample = "Glyph Caption";
const TColor LightColor = ColorOf(250, 250, 120);
const TColor ShadowColor = ColorOf(90, 20, 110);
const TColor GlyphColor = ColorOf(30, 140, 220);
const TColor ArrowColor = ColorOf(0, 200, 0);
// What the layout hands the text routine for a single-line caption.
constexpr unsigned DrawFormat = DT_EXPANDTABS | DT_WORDBREAK;
const TKitDrawTextStyles Enabled{TKitDrawTextStyle::dtEnabled};

struct TPlaced {
  TRect Text;
  TRect Glyph;
};

// The block arrangement, written out from the table of text and glyph moves.
TPlaced Expected(TKitTextArrange Arrange, TKitAlignment Alignment, TSize Text, TSize Glyph, int Gap,
                 const TRect& Rect) {
  TRect T{0, 0, Text.cx, Text.cy};
  TRect G{0, 0, Glyph.cx, Glyph.cy};
  int TextOffset = 0;
  int GlyphOffset = 0;
  TRect Block;
  if (Arrange <= TKitTextArrange::taRightTop) {
    const int H = std::max(Text.cy, Glyph.cy);
    if (H > Text.cy)
      TextOffset = (H - Text.cy) / 2;
    else
      GlyphOffset = (H - Glyph.cy) / 2;
    Block = {0, 0, Text.cx + Gap + Glyph.cx, H};
  } else {
    const int W = std::max(Text.cx, Glyph.cx);
    if (W > Text.cx)
      TextOffset = (W - Text.cx) / 2;
    else
      GlyphOffset = (W - Glyph.cx) / 2;
    Block = {0, 0, W, Text.cy + Gap + Glyph.cy};
  }
  switch (Arrange) {
    case TKitTextArrange::taLeft:
      T = OffsetRect(T, 0, TextOffset);
      G = OffsetRect(G, Text.cx + Gap, GlyphOffset);
      break;
    case TKitTextArrange::taLeftTop:
      T = OffsetRect(T, 0, TextOffset);
      G = OffsetRect(G, Text.cx + Gap, 0);
      break;
    case TKitTextArrange::taRight:
      T = OffsetRect(T, Glyph.cx + Gap, TextOffset);
      G = OffsetRect(G, 0, GlyphOffset);
      break;
    case TKitTextArrange::taRightTop:
      T = OffsetRect(T, Glyph.cx + Gap, TextOffset);
      break;
    case TKitTextArrange::taTop:
      T = OffsetRect(T, TextOffset, 0);
      G = OffsetRect(G, GlyphOffset, Text.cy + Gap);
      break;
    case TKitTextArrange::taTopLeft:
      T = OffsetRect(T, TextOffset, 0);
      G = OffsetRect(G, 0, Text.cy + Gap);
      break;
    case TKitTextArrange::taBottom:
      T = OffsetRect(T, TextOffset, Glyph.cy + Gap);
      G = OffsetRect(G, GlyphOffset, 0);
      break;
    case TKitTextArrange::taBottomLeft:
      T = OffsetRect(T, TextOffset, Glyph.cy + Gap);
      break;
  }
  const TRect Placed = KitAlignRect(Alignment, Block, Rect);
  return {OffsetRect(T, Placed.Left + 1, Placed.Top + 1), OffsetRect(G, Placed.Left, Placed.Top)};
}

void DrawTriangle(TCanvas& Canvas, int X, int Y, int Size, TColor Color) {
  for (int Row = 0; Row < Size; ++Row)
    for (int Column = X + Row; Column < X + 2 * Size - 1 - Row; ++Column)
      Canvas.SetPixel(Column, Y + Row, Color);
}

class TextAndGlyphLayoutTest : public ::testing::Test {
 protected:
  TextAndGlyphLayoutTest()
      : Actual(Sheet(SheetWidth, SheetHeight)), Reference(Sheet(SheetWidth, SheetHeight)) {
    Relief.SetStyle(TKitThreeDStyle::tdSunkenShadow);
    Relief.SetLightColor(LightColor);
    Relief.SetShadowColor(ShadowColor);
  }

  // The caption's measured rectangle: its extent, 2 for the relief and 2 for the margin.
  TSize TextSize(const std::string& Text = Sample, unsigned Format = DT_EXPANDTABS,
                 int Width = 10000) {
    const TSize Size = MeasuredText(Actual->Canvas(), Text, Format, Width);
    return {Size.cx + 4, Size.cy + 4};
  }

  TKitTextGlyphRects Draw(const std::string& Text, const TBitmap* Glyph,
                          const TKitGlyphTextLayout& Layout, const TKitTextOptions& Options = {},
                          TKitDrawTextStyles Flags = Enabled, const TRect& Rect = Target) {
    return KitDrawTextAndGlyph(Actual->Canvas(), Text, &Relief, Rect, {Glyph, nullptr, clNone},
                               Layout, Options, Flags);
  }

  // The caption drawn straight into T and the picture copied to its top-left.
  void DrawExpected(const std::string& Text, const TRect& T, const TBitmap* Glyph, TPoint At,
                    unsigned Format = DrawFormat) {
    TCanvas& Canvas = Reference->Canvas();
    Canvas.Brush.Style = TBrushStyle::bsClear;
    KitDrawTextExt(Canvas, Text, &Relief, T, Format, Enabled, nullptr);
    if (Glyph) Canvas.Draw(At.X, At.Y, *Glyph);
  }

  void Reset() {
    Actual = Sheet(SheetWidth, SheetHeight);
    Reference = Sheet(SheetWidth, SheetHeight);
  }

  TKitFxCaption Relief;
  std::unique_ptr<TBitmap> Actual;
  std::unique_ptr<TBitmap> Reference;
};

}  // namespace

TEST_F(TextAndGlyphLayoutTest, EveryArrangementAndAlignmentPlacesBothExactly) {
  // One picture taller and wider than the caption's line, one smaller in both directions.
  const std::unique_ptr<TBitmap> Pictures[] = {SolidPicture(24, 50, GlyphColor),
                                               SolidPicture(5, 6, GlyphColor)};
  TKitButtonLayout Layout;
  Layout.SetSpacing(5);
  for (const auto& Picture : Pictures)
    for (int Arrange = 0; Arrange <= 7; ++Arrange)
      for (int Alignment = 0; Alignment <= 8; ++Alignment) {
        SCOPED_TRACE(testing::Message() << "picture height " << Picture->Height() << ", arrange "
                                        << Arrange << ", alignment " << Alignment);
        Reset();
        Layout.SetAlignText2Glyph(static_cast<TKitTextArrange>(Arrange));
        Layout.SetAlignment(static_cast<TKitAlignment>(Alignment));
        const TPlaced Want =
            Expected(Layout.AlignText2Glyph(), Layout.Alignment(), TextSize(),
                     {Picture->Width(), Picture->Height()}, Layout.Spacing(), Target);
        const TKitTextGlyphRects Got = Draw(Sample, Picture.get(), Layout);
        EXPECT_EQ(Got.Text, Want.Text);
        EXPECT_EQ(Got.Glyph, Want.Glyph);
        DrawExpected(Sample, Want.Text, Picture.get(), {Want.Glyph.Left, Want.Glyph.Top});
        EXPECT_TRUE(SameImage(*Actual, *Reference));
      }
}

TEST_F(TextAndGlyphLayoutTest, DefaultButtonLayoutCentresTheCaption) {
  TKitButtonLayout Layout;
  const TSize Size = TextSize();
  const TRect Want =
      OffsetRect(KitAlignRect(TKitAlignment::agCenter, {0, 0, Size.cx, Size.cy}, Target), 1, 1);
  EXPECT_EQ(Draw(Sample, nullptr, Layout).Text, Want);
  DrawExpected(Sample, Want, nullptr, {});
  EXPECT_TRUE(SameImage(*Actual, *Reference));
}

TEST_F(TextAndGlyphLayoutTest, SpacingSeparatesOnlyACaptionFromAGlyph) {
  const auto Picture = SolidPicture(16, 16, GlyphColor);
  TKitButtonLayout Layout;
  Layout.SetSpacing(11);
  // A glyph alone is centred by its own size.
  EXPECT_EQ(Draw("", Picture.get(), Layout).Glyph,
            KitAlignRect(TKitAlignment::agCenter, {0, 0, 16, 16}, Target));
  // A caption alone likewise.
  const TSize Size = TextSize();
  EXPECT_EQ(
      Draw(Sample, nullptr, Layout).Text,
      OffsetRect(KitAlignRect(TKitAlignment::agCenter, {0, 0, Size.cx, Size.cy}, Target), 1, 1));
  // Together, the caption starts the gap after the glyph, inside its one-pixel margin.
  const TKitTextGlyphRects Both = Draw(Sample, Picture.get(), Layout);
  EXPECT_EQ(Both.Text.Left - 1 - Both.Glyph.Right, 11);
}

TEST_F(TextAndGlyphLayoutTest, EmptyCaptionWithoutGlyphDrawsNothing) {
  TKitButtonLayout Layout;
  Draw("", nullptr, Layout);
  EXPECT_EQ(ChangedBounds(*Actual, PixelFor(SheetBackground)), TRect{});
}

TEST_F(TextAndGlyphLayoutTest, OffsetsMoveCaptionAndGlyphTogether) {
  const auto Picture = SolidPicture(12, 30, GlyphColor);
  TKitButtonLayout Layout;
  const TKitTextGlyphRects Plain = Draw(Sample, Picture.get(), Layout);
  Reset();
  Layout.SetOffsetX(-7);
  Layout.SetOffsetY(5);
  const TKitTextGlyphRects Moved = Draw(Sample, Picture.get(), Layout);
  EXPECT_EQ(Moved.Text, OffsetRect(Plain.Text, -7, 5));
  EXPECT_EQ(Moved.Glyph, OffsetRect(Plain.Glyph, -7, 5));
  DrawExpected(Sample, Moved.Text, Picture.get(), {Moved.Glyph.Left, Moved.Glyph.Top});
  EXPECT_TRUE(SameImage(*Actual, *Reference));
}

TEST_F(TextAndGlyphLayoutTest, SingleLineCaptionWiderThanTheRectIsCentredNotWrapped) {
  const TRect Narrow{40, 20, 70, 60};
  const std::string Long = "A caption far wider than its button";
  TKitButtonLayout Layout;
  const TSize Size = TextSize(Long);
  ASSERT_GT(Size.cx, Narrow.Width());
  const TKitTextGlyphRects Got = Draw(Long, nullptr, Layout, {}, Enabled, Narrow);
  // (30 - width) / 2 truncates towards zero.
  const int X = Narrow.Left + (Narrow.Width() - Size.cx) / 2 + 1;
  const int Y = Narrow.Top + (Narrow.Height() - Size.cy) / 2 + 1;
  EXPECT_EQ(Got.Text, Bounds(X, Y, Size.cx, Size.cy));
  DrawExpected(Long, Got.Text, nullptr, {});
  EXPECT_TRUE(SameImage(*Actual, *Reference));
  // Nothing cuts the caption at the rectangle's edges.
  EXPECT_LT(ChangedBounds(*Actual, PixelFor(SheetBackground)).Left, Narrow.Left);
}

TEST_F(TextAndGlyphLayoutTest, MultiLineCaptionWrapsAtTheRectAndAlignsEachLine) {
  const std::string Long = "one two three four five six seven";
  const int Width = Actual->Canvas().TextWidth("one two three") + 12;
  const TRect Rect{30, 10, 30 + Width, 190};
  for (TKitAlignment Alignment :
       {TKitAlignment::agTopLeft, TKitAlignment::agCenter, TKitAlignment::agBottomRight}) {
    SCOPED_TRACE(static_cast<int>(Alignment));
    Reset();
    TKitButtonLayout Layout;
    Layout.SetAlignment(Alignment);
    const TSize Size = TextSize(Long, DT_EXPANDTABS | DT_WORDBREAK, Width);
    ASSERT_GE(Size.cy - 4, 3 * Actual->Canvas().TextHeight("x"));
    const TRect Want = OffsetRect(KitAlignRect(Alignment, {0, 0, Size.cx, Size.cy}, Rect), 1, 1);
    EXPECT_EQ(Draw(Long, nullptr, Layout, {.MultiLine = true}, Enabled, Rect).Text, Want);
    DrawExpected(Long, Want, nullptr, {}, DrawFormat | KitAlignmentFormat(Alignment));
    EXPECT_TRUE(SameImage(*Actual, *Reference));
  }
}

TEST_F(TextAndGlyphLayoutTest, AcceleratorMarksAreDrawnAsUnderlines) {
  TKitButtonLayout Layout;
  for (const std::string Text : {"&Open", "Save && Quit"}) {
    SCOPED_TRACE(Text);
    Reset();
    const TKitTextGlyphRects Got = Draw(Text, nullptr, Layout);
    DrawExpected(Text, Got.Text, nullptr, {});
    EXPECT_TRUE(SameImage(*Actual, *Reference));
    auto Literal = Sheet(SheetWidth, SheetHeight);
    Literal->Canvas().Brush.Style = TBrushStyle::bsClear;
    KitDrawTextExt(Literal->Canvas(), Text, &Relief, Got.Text, DrawFormat | DT_NOPREFIX, Enabled,
                   nullptr);
    EXPECT_FALSE(SameImage(*Actual, *Literal));
  }
}

TEST_F(TextAndGlyphLayoutTest, AutoSizeLeavesTheBlockAtTheOrigin) {
  const auto Picture = SolidPicture(10, 60, GlyphColor);
  TKitButtonLayout Layout;
  const TSize Size = TextSize();
  const TKitTextGlyphRects Got =
      Draw(Sample, Picture.get(), Layout, {},
           {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtAutoSize});
  EXPECT_EQ(Got.Glyph, Rect(0, 0, 10, 60));
  EXPECT_EQ(Got.Text, Bounds(10 + 2, (60 - Size.cy) / 2, Size.cx, Size.cy));
}

TEST_F(TextAndGlyphLayoutTest, CalculatingDrawsNothingAndFocusesOnBoth) {
  const auto Picture = SolidPicture(10, 60, GlyphColor);
  TKitButtonLayout Layout;
  const TKitTextGlyphRects Drawn = Draw(Sample, Picture.get(), Layout);
  Reset();
  const TKitTextGlyphRects Got =
      Draw(Sample, Picture.get(), Layout, {}, {TKitDrawTextStyle::dtCalculate});
  EXPECT_EQ(ChangedBounds(*Actual, PixelFor(SheetBackground)), TRect{});
  EXPECT_EQ(Got.Text, Drawn.Text);
  EXPECT_EQ(Got.Glyph, Drawn.Glyph);
  const TRect Both{std::min(Got.Text.Left, Got.Glyph.Left), std::min(Got.Text.Top, Got.Glyph.Top),
                   std::max(Got.Text.Right, Got.Glyph.Right),
                   std::max(Got.Text.Bottom, Got.Glyph.Bottom)};
  EXPECT_EQ(Got.Focus, InflateRect(Both, 2, 2));
}

TEST_F(TextAndGlyphLayoutTest, FocusRectangleFollowsTheRectFlags) {
  const auto Picture = SolidPicture(10, 60, GlyphColor);
  TKitButtonLayout Layout;
  const TKitTextGlyphRects Plain = Draw(Sample, Picture.get(), Layout);
  EXPECT_EQ(Plain.Focus, InflateRect(Target, -1, -1));
  EXPECT_EQ(Draw(Sample, Picture.get(), Layout, {},
                 {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtRectText})
                .Focus,
            InflateRect(Plain.Text, 1, 1));
  EXPECT_EQ(Draw(Sample, Picture.get(), Layout, {},
                 {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtRectGlyph})
                .Focus,
            Plain.Glyph);
  const TRect Both{Plain.Glyph.Left, std::min(Plain.Text.Top, Plain.Glyph.Top), Plain.Text.Right,
                   std::max(Plain.Text.Bottom, Plain.Glyph.Bottom)};
  EXPECT_EQ(Draw(Sample, Picture.get(), Layout, {},
                 {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtRectGlyphText})
                .Focus,
            InflateRect(Both, 1, 1));
}

TEST_F(TextAndGlyphLayoutTest, ArrowBesideTheTextWidensItAndSitsAtItsEnd) {
  TKitButtonLayout Layout;
  Layout.SetArrow(true);
  Layout.SetArrowSize(4);
  Layout.SetArrowColor(ArrowColor);
  const int Room = 7 + 3;
  const TSize Size = TextSize();
  const TRect Block =
      KitAlignRect(TKitAlignment::agCenter, {0, 0, Size.cx + Room, Size.cy}, Target);
  const int ArrowY = Block.Top + 1 + (Size.cy - 4) / 2;

  const TKitTextGlyphRects Right = Draw(Sample, nullptr, Layout);
  EXPECT_EQ(Right.Text, OffsetRect(Block, 1, 1));
  DrawExpected(Sample, Right.Text, nullptr, {});
  DrawTriangle(Reference->Canvas(), Right.Text.Right - 7, ArrowY, 4, ArrowColor);
  EXPECT_TRUE(SameImage(*Actual, *Reference));

  Reset();
  Layout.SetArrowPosition(TKitArrowPosition::apLeftText);
  const TKitTextGlyphRects Left = Draw(Sample, nullptr, Layout);
  EXPECT_EQ(Left.Text, OffsetRect(Block, 1 + Room, 1));
  DrawExpected(Sample, Left.Text, nullptr, {});
  DrawTriangle(Reference->Canvas(), Block.Left + 1, ArrowY, 4, ArrowColor);
  EXPECT_TRUE(SameImage(*Actual, *Reference));
}

TEST_F(TextAndGlyphLayoutTest, ArrowBesideTheGlyphWidensTheGlyphsPlace) {
  const auto Picture = SolidPicture(16, 40, GlyphColor);
  TKitButtonLayout Layout;
  Layout.SetArrow(true);
  Layout.SetArrowColor(ArrowColor);
  Layout.SetArrowIndent(4);
  const int Room = 5 + 4;
  const TSize Size = TextSize();
  for (TKitArrowPosition Position :
       {TKitArrowPosition::apRightGlyph, TKitArrowPosition::apLeftGlyph}) {
    SCOPED_TRACE(static_cast<int>(Position));
    Reset();
    Layout.SetArrowPosition(Position);
    const TPlaced Want = Expected(TKitTextArrange::taRight, TKitAlignment::agCenter, Size,
                                  {16 + Room, 40}, Layout.Spacing(), Target);
    const TKitTextGlyphRects Got = Draw(Sample, Picture.get(), Layout);
    EXPECT_EQ(Got.Text, Want.Text);
    EXPECT_EQ(Got.Glyph, Want.Glyph);
    const bool ArrowFirst = Position == TKitArrowPosition::apLeftGlyph;
    DrawExpected(Sample, Want.Text, Picture.get(),
                 {Want.Glyph.Left + (ArrowFirst ? Room : 0), Want.Glyph.Top});
    DrawTriangle(Reference->Canvas(), ArrowFirst ? Want.Glyph.Left : Want.Glyph.Right - 5,
                 Want.Text.Top + (Want.Text.Height() - 3) / 2, 3, ArrowColor);
    EXPECT_TRUE(SameImage(*Actual, *Reference));
  }
}

TEST_F(TextAndGlyphLayoutTest, PlainLayoutHasNoArrow) {
  TKitGlyphTextLayout Layout;
  const TSize Size = TextSize();
  EXPECT_EQ(Draw(Sample, nullptr, Layout).Text,
            Bounds(Target.Left + 1, Target.Top + 1, Size.cx, Size.cy));
}

TEST_F(TextAndGlyphLayoutTest, GlyphShowsThroughItsTransparentColourOrItsMask) {
  // A 4 x 4 picture: a red ring around a blue 2 x 2 centre.
  TBitmap Picture(4, 4);
  TBitmap Mask(4, 4);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) {
      const bool Centre = X >= 1 && X <= 2 && Y >= 1 && Y <= 2;
      Picture.SetPixel(X, Y, Centre ? PixelFor(clBlue) : PixelFor(clRed));
      // The mask keeps the top row only.
      Mask.SetPixel(X, Y, Y == 0 ? PixelOf(0, 0, 0) : PixelOf(255, 255, 255));
    }
  TKitGlyphTextLayout Layout;
  const TRect At = Bounds(Target.Left, Target.Top, 4, 4);
  const TPixel Back = PixelFor(SheetBackground);

  KitDrawTextAndGlyph(Actual->Canvas(), "", nullptr, Target, {&Picture, nullptr, clRed}, Layout, {},
                      Enabled);
  EXPECT_EQ(PixelsNotEqual(*Actual, At, Back), "21,16 22,16 21,17 22,17 ");

  Reset();
  KitDrawTextAndGlyph(Actual->Canvas(), "", nullptr, Target, {&Picture, &Mask, clBlue}, Layout, {},
                      Enabled);
  EXPECT_EQ(PixelsNotEqual(*Actual, At, Back), "20,15 21,15 22,15 23,15 ");

  Reset();
  KitDrawTextAndGlyph(Actual->Canvas(), "", nullptr, Target, {&Picture, nullptr, clRed, false},
                      Layout, {}, Enabled);
  EXPECT_EQ(PixelsNotEqual(*Actual, At, PixelFor(clRed)), "21,16 22,16 21,17 22,17 ");
  EXPECT_EQ(PixelsNotEqualOutside(*Actual, At, Back), "");
}
