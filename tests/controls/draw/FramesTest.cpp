// The frame routines: every standard frame's rings and adjustment, the extra flags, 3D frames of
// each style and width with their mitres, and the drop-shadow frame.
#include <gtest/gtest.h>

#include <vector>

#include "controls/draw/FramePixels.h"
#include "controls/draw/KitFrames.h"

namespace {

constexpr TColor LightColor = clYellow;
constexpr TColor ShadowColor = clNavy;
constexpr TColor BorderColor = clRed;
constexpr TPixel PxYellow = Rgb(255, 255, 0);
constexpr TPixel PxNavy = Rgb(0, 0, 128);
constexpr TPixel PxRed = Rgb(255, 0, 0);

// --- Standard frames ---------------------------------------------------------------------

// One edge ring expected on the surface; Marker stands for a colour the sides do not use.
struct TRing {
  TRect Area;
  TPixel TopLeft;
  TPixel BottomRight;
  unsigned Sides;
};

struct TStdFrameCase {
  const char* Name;
  TKitBorderStyle Style;
  std::uint16_t Flags;
  std::vector<TRing> Rings;
  TRect Result;
};

// Every frame starts on Outer; Second is one pixel in, where a second ring lies.
constexpr TRect Outer{4, 3, 30, 22};
constexpr TRect Second{5, 4, 29, 21};
constexpr TRect Shrunk2{6, 5, 28, 20};

class StdFrameTest : public testing::TestWithParam<TStdFrameCase> {};

TEST_P(StdFrameTest, DrawsItsRingsAndMovesTheRectangleIn) {
  const TStdFrameCase& Case = GetParam();
  TFrameSurface S;
  for (const TRing& Ring : Case.Rings)
    PaintRing(S.Expected, Ring.Area, Ring.TopLeft, Ring.BottomRight, Ring.Sides);
  TRect R = Outer;
  EXPECT_TRUE(KitDrawStdFrame(S.Canvas(), R, Case.Style, Case.Flags));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(R, Case.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, StdFrameTest,
    testing::Values(
        TStdFrameCase{"None", TKitBorderStyle::lsNone, 0, {}, Outer},
        // Soft sunken on the top and left, then raised on the bottom and right of what is left;
        // only the top and left move in.
        TStdFrameCase{"Single",
                      TKitBorderStyle::lsSingle,
                      0,
                      {{Outer, PxDkShadow, Marker, BF_TOPLEFT},
                       {{5, 4, 30, 22}, Marker, PxDkShadow, BF_BOTTOMRIGHT}},
                      {5, 4, 30, 22}},
        TStdFrameCase{
            "Lowered",
            TKitBorderStyle::lsLowered,
            0,
            {{Outer, PxDkShadow, PxHighlight, BF_RECT}, {Second, PxShadow, PxLight, BF_RECT}},
            Shrunk2},
        TStdFrameCase{
            "Raised",
            TKitBorderStyle::lsRaised,
            0,
            {{Outer, PxHighlight, PxDkShadow, BF_RECT}, {Second, PxLight, PxShadow, BF_RECT}},
            Shrunk2},
        TStdFrameCase{
            "Raisedspb",
            TKitBorderStyle::lsRaisedspb,
            0,
            {{Outer, PxHighlight, PxDkShadow, BF_RECT}, {Second, Marker, PxShadow, BF_BOTTOMRIGHT}},
            {5, 4, 28, 20}},
        TStdFrameCase{
            "Loweredspb",
            TKitBorderStyle::lsLoweredspb,
            0,
            {{Outer, PxShadow, PxHighlight, BF_RECT}, {Second, PxDkShadow, Marker, BF_TOPLEFT}},
            {6, 5, 29, 21}},
        TStdFrameCase{
            "RaisedExt",
            TKitBorderStyle::lsRaisedExt,
            0,
            {{Outer, PxHighlight, PxDkShadow, BF_RECT}, {Second, Marker, PxShadow, BF_BOTTOMRIGHT}},
            Shrunk2},
        TStdFrameCase{
            "LoweredExt",
            TKitBorderStyle::lsLoweredExt,
            0,
            {{Outer, PxShadow, PxHighlight, BF_RECT}, {Second, PxDkShadow, Marker, BF_TOPLEFT}},
            Shrunk2},
        TStdFrameCase{
            "FrameInset",
            TKitBorderStyle::lsFrameInset,
            0,
            {{Outer, PxShadow, PxHighlight, BF_RECT}, {Second, PxHighlight, PxShadow, BF_RECT}},
            Shrunk2},
        TStdFrameCase{
            "FrameOffset",
            TKitBorderStyle::lsFrameOffset,
            0,
            {{Outer, PxHighlight, PxShadow, BF_RECT}, {Second, PxShadow, PxHighlight, BF_RECT}},
            Shrunk2},
        // The top row and left column of the rectangle stay untouched.
        TStdFrameCase{
            "WindowBorder",
            TKitBorderStyle::lsWindowBorder,
            0,
            {{Outer, Marker, PxDkShadow, BF_BOTTOMRIGHT}, {Second, PxHighlight, PxShadow, BF_RECT}},
            Shrunk2},
        TStdFrameCase{"SingleRaised",
                      TKitBorderStyle::lsSingleRaised,
                      0,
                      {{Outer, PxHighlight, PxShadow, BF_RECT}},
                      Second},
        TStdFrameCase{"SingleLowered",
                      TKitBorderStyle::lsSingleLowered,
                      0,
                      {{Outer, PxShadow, PxHighlight, BF_RECT}},
                      Second},
        TStdFrameCase{
            "DoubleRaised",
            TKitBorderStyle::lsDoubleRaised,
            0,
            {{Outer, PxHighlight, PxShadow, BF_RECT}, {Second, PxHighlight, PxShadow, BF_RECT}},
            Shrunk2},
        TStdFrameCase{
            "DoubleLowered",
            TKitBorderStyle::lsDoubleLowered,
            0,
            {{Outer, PxShadow, PxHighlight, BF_RECT}, {Second, PxShadow, PxHighlight, BF_RECT}},
            Shrunk2},
        // Extra flags go only to the calls that take them: the mono first line of lsSingle,
        // but not its second.
        TStdFrameCase{"SingleMono",
                      TKitBorderStyle::lsSingle,
                      BF_MONO,
                      {{Outer, PxBlack, Marker, BF_TOPLEFT},
                       {{5, 4, 30, 22}, Marker, PxDkShadow, BF_BOTTOMRIGHT}},
                      {5, 4, 30, 22}},
        // lsLoweredspb passes them to both calls, lsLoweredExt only to the first.
        TStdFrameCase{"LoweredspbFlat",
                      TKitBorderStyle::lsLoweredspb,
                      BF_FLAT,
                      {{Outer, PxShadow, PxShadow, BF_RECT}, {Second, PxFace, Marker, BF_TOPLEFT}},
                      {6, 5, 29, 21}},
        TStdFrameCase{
            "LoweredExtFlat",
            TKitBorderStyle::lsLoweredExt,
            BF_FLAT,
            {{Outer, PxShadow, PxShadow, BF_RECT}, {Second, PxDkShadow, Marker, BF_TOPLEFT}},
            Shrunk2}),
    [](const testing::TestParamInfo<TStdFrameCase>& Info) { return Info.param.Name; });

TEST(StdFrameExtTest, SingleLineStylesTakeOnePixelOthersTwo) {
  EXPECT_EQ(KitDrawStdFrameExt(TKitBorderStyle::lsNone), 0);
  for (TKitBorderStyle Style : {TKitBorderStyle::lsSingle, TKitBorderStyle::lsSingleRaised,
                                TKitBorderStyle::lsSingleLowered})
    EXPECT_EQ(KitDrawStdFrameExt(Style), 1) << static_cast<int>(Style);
  for (TKitBorderStyle Style :
       {TKitBorderStyle::lsLowered, TKitBorderStyle::lsRaised, TKitBorderStyle::lsRaisedspb,
        TKitBorderStyle::lsLoweredspb, TKitBorderStyle::lsRaisedExt, TKitBorderStyle::lsLoweredExt,
        TKitBorderStyle::lsFrameInset, TKitBorderStyle::lsFrameOffset,
        TKitBorderStyle::lsWindowBorder, TKitBorderStyle::lsDoubleRaised,
        TKitBorderStyle::lsDoubleLowered})
    EXPECT_EQ(KitDrawStdFrameExt(Style), 2) << static_cast<int>(Style);
}

// --- 3D frames ---------------------------------------------------------------------------

constexpr TRect Face{5, 5, 25, 20};

// A band of Width pixels round Area, split by diagonal mitres through the top-right and
// bottom-left corners: the top-right corner pixel belongs to the bottom-right band, the
// bottom-left one to the top-left band, as with the one-pixel frame.
void PaintMitredBand(TBitmap& Bitmap, const TRect& Area, int Width, TPixel TopLeft,
                     TPixel BottomRight) {
  const TRect Inner = InflateRect(Area, -Width, -Width);
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) {
      if (Inner.Contains({X, Y})) continue;
      // The top band gives way to the right band at the top-right mitre, the left band to the
      // bottom band at the bottom-left one.
      const bool InTop = Y < Inner.Top && X + Y < Area.Right - 1 + Area.Top;
      const bool InLeft = X < Inner.Left && X + Y < Area.Left + Area.Bottom;
      Bitmap.SetPixel(X, Y, InTop || InLeft ? TopLeft : BottomRight);
    }
}

TEST(Frame3DTest, NothingForZeroWidthNoneOrShadow) {
  TFrameSurface S;
  const struct {
    TKitBevelStyle Style;
    int Width;
  } Cases[] = {{TKitBevelStyle::bvLowered, 0},
               {TKitBevelStyle::bvFrameRaised, -3},
               {TKitBevelStyle::bvNone, 2},
               {TKitBevelStyle::bvShadow, 2}};
  for (const auto& Case : Cases) {
    TRect R = Face;
    EXPECT_FALSE(KitDrawFrame3D(S.Canvas(), R, Case.Style, LightColor, ShadowColor, Case.Width));
    EXPECT_EQ(R, Face);
  }
  EXPECT_EQ(S.Differences(), "");
}

TEST(Frame3DTest, OnePixelLoweredTakesShadowTopLeftAndLightBottomRight) {
  TFrameSurface S;
  Paint(S.Expected, {5, 5, 6, 20}, PxNavy);      // left, down to the bottom-left corner
  Paint(S.Expected, {5, 5, 24, 6}, PxNavy);      // top, short of the top-right corner
  Paint(S.Expected, {24, 5, 25, 20}, PxYellow);  // right, from the top-right corner
  Paint(S.Expected, {6, 19, 25, 20}, PxYellow);  // bottom
  TRect R = Face;
  EXPECT_TRUE(KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvLowered, LightColor, ShadowColor, 1));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(S.Surface.Pixel(24, 5), PxYellow);
  EXPECT_EQ(S.Surface.Pixel(5, 19), PxNavy);
  EXPECT_EQ(R, (TRect{6, 6, 24, 19}));
}

TEST(Frame3DTest, OnePixelRaisedSwapsTheColours) {
  TFrameSurface S;
  Paint(S.Expected, {5, 5, 6, 20}, PxYellow);
  Paint(S.Expected, {5, 5, 24, 6}, PxYellow);
  Paint(S.Expected, {24, 5, 25, 20}, PxNavy);
  Paint(S.Expected, {6, 19, 25, 20}, PxNavy);
  TRect R = Face;
  EXPECT_TRUE(KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvRaised, LightColor, ShadowColor, 1));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(R, (TRect{6, 6, 24, 19}));
}

TEST(Frame3DTest, WideFramesAreMitredBandsOfExactlyTheirWidth) {
  const struct {
    TKitBevelStyle Style;
    int Width;
    TPixel TopLeft, BottomRight;
  } Cases[] = {{TKitBevelStyle::bvLowered, 2, PxNavy, PxYellow},
               {TKitBevelStyle::bvLowered, 3, PxNavy, PxYellow},
               {TKitBevelStyle::bvRaised, 2, PxYellow, PxNavy},
               {TKitBevelStyle::bvRaised, 3, PxYellow, PxNavy},
               {TKitBevelStyle::bvRaised, 7, PxYellow, PxNavy}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::Message()
                 << "style " << static_cast<int>(Case.Style) << " width " << Case.Width);
    TFrameSurface S;
    PaintMitredBand(S.Expected, Face, Case.Width, Case.TopLeft, Case.BottomRight);
    TRect R = Face;
    EXPECT_TRUE(KitDrawFrame3D(S.Canvas(), R, Case.Style, LightColor, ShadowColor, Case.Width));
    EXPECT_EQ(S.Differences(), "");
    EXPECT_EQ(R, InflateRect(Face, -Case.Width, -Case.Width));
  }
}

TEST(Frame3DTest, MitresOfAThreePixelLoweredFrame) {
  TFrameSurface S;
  TRect R = Face;
  KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvLowered, LightColor, ShadowColor, 3);
  const TBitmap& B = S.Surface;
  // Top-right: the diagonal from the corner pixel (24, 5) to the inner corner (22, 7) is light.
  EXPECT_EQ(B.Pixel(24, 5), PxYellow);
  EXPECT_EQ(B.Pixel(23, 6), PxYellow);
  EXPECT_EQ(B.Pixel(22, 7), PxYellow);
  EXPECT_EQ(B.Pixel(23, 5), PxNavy);
  EXPECT_EQ(B.Pixel(22, 6), PxNavy);
  EXPECT_EQ(B.Pixel(21, 7), PxNavy);
  // Bottom-left: the diagonal from (5, 19) to (7, 17) is shadow.
  EXPECT_EQ(B.Pixel(5, 19), PxNavy);
  EXPECT_EQ(B.Pixel(6, 18), PxNavy);
  EXPECT_EQ(B.Pixel(7, 17), PxNavy);
  EXPECT_EQ(B.Pixel(6, 19), PxYellow);
  EXPECT_EQ(B.Pixel(7, 18), PxYellow);
  EXPECT_EQ(B.Pixel(8, 17), PxYellow);
  // The bands end where the returned rectangle begins.
  EXPECT_EQ(R, (TRect{8, 8, 22, 17}));
  EXPECT_EQ(PixelsNotEqual(B, R, Marker), "");
  EXPECT_EQ(PixelsNotEqualOutside(B, Face, Marker), "");
}

TEST(Frame3DTest, NormalWidthThreeIsASolidBlackBand) {
  TFrameSurface S;
  Paint(S.Expected, Face, PxBlack);
  Paint(S.Expected, InflateRect(Face, -3, -3), Marker);
  TRect R = Face;
  EXPECT_TRUE(KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvNormal, LightColor, ShadowColor, 3));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(R, (TRect{8, 8, 22, 17}));
}

TEST(Frame3DTest, NormalWidthOneIsABlackLine) {
  TFrameSurface S;
  PaintFrame(S.Expected, Face, PxBlack);
  TRect R = Face;
  KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvNormal, LightColor, ShadowColor, 1);
  EXPECT_EQ(S.Differences(), "");
}

TEST(Frame3DTest, FrameLoweredWidthOneIsTwoShiftedOutlines) {
  TFrameSurface S;
  PaintFrame(S.Expected, {6, 6, 25, 20}, PxYellow);
  PaintFrame(S.Expected, {5, 5, 24, 19}, PxNavy);
  TRect R = Face;
  EXPECT_TRUE(
      KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvFrameLowered, LightColor, ShadowColor, 1));
  EXPECT_EQ(S.Differences(), "");
  // Neither outline reaches the top-right or bottom-left corner pixel.
  EXPECT_EQ(S.Surface.Pixel(24, 5), Marker);
  EXPECT_EQ(S.Surface.Pixel(5, 19), Marker);
  EXPECT_EQ(R, (TRect{7, 7, 23, 18}));
}

TEST(Frame3DTest, FrameRaisedWidthTwoTakesThreePixels) {
  TFrameSurface S;
  PaintFrame(S.Expected, {6, 6, 25, 20}, PxNavy);
  PaintFrame(S.Expected, {5, 5, 24, 19}, PxYellow);
  PaintFrame(S.Expected, {7, 7, 25, 20}, PxNavy);
  PaintFrame(S.Expected, {5, 5, 23, 18}, PxYellow);
  TRect R = Face;
  EXPECT_TRUE(
      KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvFrameRaised, LightColor, ShadowColor, 2));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(R, (TRect{8, 8, 22, 17}));
  EXPECT_EQ(PixelsNotEqual(S.Surface, R, Marker), "");
}

TEST(Frame3DTest, FrameWiderThanTheRectangleInvertsIt) {
  TFrameSurface S;
  TRect R{10, 10, 14, 13};
  KitDrawFrame3D(S.Canvas(), R, TKitBevelStyle::bvFrameLowered, LightColor, ShadowColor, 50);
  EXPECT_EQ(R, (TRect{61, 61, -37, -38}));
  EXPECT_EQ(PixelsNotEqualOutside(S.Surface, {10, 10, 14, 13}, Marker), "");
}

// --- Drop-shadow frame -------------------------------------------------------------------

void PaintShadowFrame(TBitmap& Bitmap, bool Transparent) {
  Paint(Bitmap, {22, 8, 25, 20}, PxNavy);
  Paint(Bitmap, {8, 17, 25, 20}, PxNavy);
  if (!Transparent) {
    Paint(Bitmap, {22, 5, 25, 8}, PxRed);
    Paint(Bitmap, {5, 17, 8, 20}, PxRed);
  }
  PaintFrame(Bitmap, {5, 5, 22, 17}, PxYellow);
  PaintFrame(Bitmap, {6, 6, 21, 16}, PxYellow);
}

TEST(FrameShadowTest, ShadowBorderCornersAndLightFrames) {
  TFrameSurface S;
  PaintShadowFrame(S.Expected, false);
  S.Canvas().Pen.Width = 4;
  TRect R = Face;
  EXPECT_TRUE(KitDrawFrameShadow(S.Canvas(), R, LightColor, ShadowColor, BorderColor, 3, 2, false));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(R, (TRect{7, 7, 20, 15}));
  EXPECT_EQ(S.Canvas().Pen.Width, 1);
}

TEST(FrameShadowTest, TransparentLeavesTheCornersAlone) {
  TFrameSurface S;
  PaintShadowFrame(S.Expected, true);
  TRect R = Face;
  EXPECT_TRUE(KitDrawFrameShadow(S.Canvas(), R, LightColor, ShadowColor, BorderColor, 3, 2, true));
  EXPECT_EQ(S.Differences(), "");
  EXPECT_EQ(S.Surface.Pixel(24, 5), Marker);
  EXPECT_EQ(S.Surface.Pixel(5, 19), Marker);
  EXPECT_EQ(R, (TRect{7, 7, 20, 15}));
}

TEST(FrameShadowTest, FramesPastTheRectangleStillShrinkIt) {
  TFrameSurface S;
  TRect R{10, 10, 16, 14};
  KitDrawFrameShadow(S.Canvas(), R, LightColor, ShadowColor, BorderColor, 1, 40, true);
  EXPECT_EQ(R, (TRect{50, 50, -25, -27}));
  EXPECT_EQ(PixelsNotEqualOutside(S.Surface, {10, 10, 16, 14}, Marker), "");
}

}  // namespace
