// Measuring captions: the formatted-text extent plus the relief's room and the margin, the
// stand-ins for empty captions, accelerator marks, wrapping, character spacing and rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CaptionSheet.h"
#include "controls/button/KitDrawTextCalc.h"
#include "controls/draw/KitFxCaption.h"

namespace {

const std::string Sample = "Open the\tfolder";

class DrawTextCalcTest : public ::testing::Test {
 protected:
  DrawTextCalcTest() : Bitmap(Sheet(40, 40)) {}

  TCanvas& Canvas() { return Bitmap->Canvas(); }
  const TFont& Font() { return Canvas().Font; }

  // The rectangle KitDrawTextCalc gives for Text wrapped at Width.
  TRect Calc(const std::string& Text, TKit3DCaption* Font3D, const TKitTextOptions& Options,
             int Margin = 0, int Width = 10000) {
    TRect Rect{0, 0, Width, 0};
    KitDrawTextCalc(Text, Font3D, Rect, Font(), Options, Margin);
    return Rect;
  }

  std::unique_ptr<TBitmap> Bitmap;
};

}  // namespace

TEST_F(DrawTextCalcTest, WithoutReliefAddsTheMarginOnBothSides) {
  const TSize Text = MeasuredText(Canvas(), Sample, DT_EXPANDTABS);
  EXPECT_EQ(Calc(Sample, nullptr, {}), Rect(0, 0, Text.cx + 2, Text.cy + 2));
  EXPECT_EQ(Calc(Sample, nullptr, {}, 3), Rect(0, 0, Text.cx + 8, Text.cy + 8));
}

TEST_F(DrawTextCalcTest, EachReliefAddsTheRoomItsCopiesTake) {
  const TSize Text = MeasuredText(Canvas(), Sample, DT_EXPANDTABS);
  struct TCase {
    TKitThreeDStyle Style;
    int Room;
  };
  // Light depth 2, shadow depth 5.
  const TCase Cases[] = {
      {TKitThreeDStyle::tdNone, 0},         {TKitThreeDStyle::tdSunken, 2},
      {TKitThreeDStyle::tdRaised, 2},       {TKitThreeDStyle::tdSunkenShadow, 7},
      {TKitThreeDStyle::tdRaisedShadow, 7}, {TKitThreeDStyle::tdPColorSunken, 7},
      {TKitThreeDStyle::tdPColorRaised, 7}, {TKitThreeDStyle::tdShadow, 5},
      {TKitThreeDStyle::tdOutline, 5},      {TKitThreeDStyle::tdExtrude, 5},
      {TKitThreeDStyle::tdExtrudeEnh, 5},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Style));
    TKit3DCaption Caption;
    Caption.SetStyle(Case.Style);
    Caption.SetLightDepth(2);
    Caption.SetShadowDepth(5);
    EXPECT_EQ(Calc(Sample, &Caption, {}),
              Rect(0, 0, Text.cx + Case.Room + 2, Text.cy + Case.Room + 2));
  }
}

TEST_F(DrawTextCalcTest, MenuButtonCaptionGrowsByFour) {
  TKitFxCaption Caption;
  Caption.SetStyle(TKitThreeDStyle::tdSunkenShadow);
  const TSize Text = Canvas().TextExtent("Install");
  EXPECT_EQ(Calc("Install", &Caption, {}), Rect(0, 0, Text.cx + 4, Text.cy + 4));
}

TEST_F(DrawTextCalcTest, EmptyCaptionAndLoneAmpersandMeasureAsASpace) {
  const TSize Space = Canvas().TextExtent(" ");
  const TRect AsSpace{0, 0, Space.cx + 2, Space.cy + 2};
  EXPECT_EQ(Calc("", nullptr, {}), AsSpace);
  EXPECT_EQ(Calc("&", nullptr, {}), AsSpace);
  // Without accelerators the ampersand is a character of its own.
  const TSize Ampersand = Canvas().TextExtent("&");
  EXPECT_EQ(Calc("&", nullptr, {.ShowAccelChar = false}),
            Rect(0, 0, Ampersand.cx + 2, Ampersand.cy + 2));
  EXPECT_EQ(Calc("", nullptr, {.ShowAccelChar = false}), AsSpace);
}

TEST_F(DrawTextCalcTest, AcceleratorMarksTakeNoRoomUnlessShownAsText) {
  const int Plain = Calc("Open", nullptr, {}).Width();
  EXPECT_EQ(Calc("&Open", nullptr, {}).Width(), Plain);
  EXPECT_EQ(Calc("&Open", nullptr, {.ShowAccelChar = false}).Width(),
            Canvas().TextWidth("&Open") + 2);
  EXPECT_EQ(Calc("A&&B", nullptr, {}).Width(), Canvas().TextWidth("A&B") + 2);
}

TEST_F(DrawTextCalcTest, MultiLineWrapsAtTheWidthAndSingleLineNever) {
  const std::string Long = "one two three four five six seven";
  const int Width = Canvas().TextWidth("one two three") + 1;
  const TSize Wrapped = MeasuredText(Canvas(), Long, DT_EXPANDTABS | DT_WORDBREAK, Width);
  const int LineHeight = Canvas().TextHeight("x");
  ASSERT_GE(Wrapped.cy, 3 * LineHeight);
  EXPECT_EQ(Calc(Long, nullptr, {.MultiLine = true}, 0, Width),
            Rect(0, 0, Wrapped.cx + 2, Wrapped.cy + 2));
  EXPECT_EQ(Calc(Long, nullptr, {}, 0, Width),
            Rect(0, 0, Canvas().TextWidth(Long) + 2, LineHeight + 2));
}

TEST_F(DrawTextCalcTest, TracingWidensEveryCharacterAndIsNotLeftBehind) {
  TKit3DCaption Caption;
  Caption.SetTracing(3);
  Canvas().TextCharacterExtra = 3;
  const TSize Spaced = Canvas().TextExtent("Setup");
  Canvas().TextCharacterExtra = 0;
  EXPECT_EQ(Calc("Setup", &Caption, {}), Rect(0, 0, Spaced.cx + 2, Spaced.cy + 2));

  TCanvas Measuring;
  TRect Measured{0, 0, 1000, 0};
  KitDrawTextCalcExt(Measuring, "Setup", &Caption, Measured, Font(), {}, 0);
  EXPECT_EQ(Measured, Rect(0, 0, Spaced.cx + 2, Spaced.cy + 2));
  EXPECT_EQ(Measuring.TextCharacterExtra, 0);
}

TEST_F(DrawTextCalcTest, UnrotatedCaptionStartsAtItsRectangleSilently) {
  TKitFxCaption Caption;
  Caption.SetPosXY(7, 9);
  int Changes = 0;
  Caption.OnChange = [&](TObject*) { ++Changes; };
  Calc("Setup", &Caption, {});
  EXPECT_EQ(Caption.PosX(), 0);
  EXPECT_EQ(Caption.PosY(), 0);
  EXPECT_EQ(Changes, 0);
}

TEST_F(DrawTextCalcTest, QuarterTurnSwapsTheExtentAndStartsAtTheBottomLeft) {
  TKitFxCaption Caption;
  Caption.SetAngle(90);
  int Changes = 0;
  Caption.OnChange = [&](TObject*) { ++Changes; };
  const TSize Text = Canvas().TextExtent("Setup");
  EXPECT_EQ(Calc("Setup", &Caption, {}), Rect(0, 0, Text.cy + 2, Text.cx + 2));
  // The start lies half a height left and half a width below the centre; halves are
  // truncated and the sums rounded half to even.
  EXPECT_EQ(Caption.PosX(), 0);
  EXPECT_EQ(Caption.PosY(), 2 * (Text.cx / 2));
  EXPECT_EQ(Changes, 0);
}

TEST_F(DrawTextCalcTest, HalfTurnStartsAtTheBottomRightPulledInByTheRelief) {
  TKitFxCaption Caption;
  Caption.SetAngle(180);
  Caption.SetStyle(TKitThreeDStyle::tdSunkenShadow);
  Caption.SetLightDepth(3);
  Caption.SetShadowDepth(3);
  const TSize Text = Canvas().TextExtent("Setup");
  EXPECT_EQ(Calc("Setup", &Caption, {}), Rect(0, 0, Text.cx + 8, Text.cy + 8));
  // Centre (w + 6) / 2 plus half the width, less (6 / 2 - 1) for the relief.
  const auto Expected = [](int Size) {
    const double Value = (Size + 6) / 2.0 + Size / 2;
    return static_cast<int>(std::nearbyint(Value)) - 2;
  };
  EXPECT_EQ(Caption.PosX(), Expected(Text.cx));
  EXPECT_EQ(Caption.PosY(), Expected(Text.cy));
}
