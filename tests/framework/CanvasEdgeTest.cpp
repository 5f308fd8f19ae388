// The 3D edge routine: colours of every ring, soft, flat and mono variants, partial sides,
// corners, the middle and the adjustment.
#include <gtest/gtest.h>

#include "framework/Canvas.h"
#include "support/Pixels.h"

namespace {

constexpr TPixel Face = Rgb(212, 208, 200);  // BTNFACE and 3DLIGHT
constexpr TPixel Light = Rgb(212, 208, 200);
constexpr TPixel Shadow = Rgb(128, 128, 128);
constexpr TPixel Highlight = Rgb(255, 255, 255);
constexpr TPixel DkShadow = Rgb(64, 64, 64);
constexpr TPixel Black = Rgb(0, 0, 0);
constexpr TPixel White = Rgb(255, 255, 255);

struct TRingCase {
  const char* Name;
  unsigned Edge;
  unsigned Flags;
  TPixel OuterTL, OuterBR, InnerTL, InnerBR;  // Marker where a ring is not drawn
};

class EdgeColoursTest : public testing::TestWithParam<TRingCase> {};

// Draws on a 10 x 8 rectangle at (1, 1) of a 12 x 10 surface and checks the middle of each line.
TEST_P(EdgeColoursTest, LinesTakeTheSchemeColours) {
  const TRingCase& Case = GetParam();
  TBitmap Surface(12, 10);
  FillBitmap(Surface, Marker);
  TRect R{1, 1, 11, 9};
  Surface.Canvas().DrawEdge(R, Case.Edge, Case.Flags | BF_RECT);
  EXPECT_EQ(Surface.Pixel(5, 1), Case.OuterTL) << "outer top";
  EXPECT_EQ(Surface.Pixel(1, 4), Case.OuterTL) << "outer left";
  EXPECT_EQ(Surface.Pixel(5, 8), Case.OuterBR) << "outer bottom";
  EXPECT_EQ(Surface.Pixel(10, 4), Case.OuterBR) << "outer right";
  EXPECT_EQ(Surface.Pixel(5, 2), Case.InnerTL) << "inner top";
  EXPECT_EQ(Surface.Pixel(2, 4), Case.InnerTL) << "inner left";
  EXPECT_EQ(Surface.Pixel(5, 7), Case.InnerBR) << "inner bottom";
  EXPECT_EQ(Surface.Pixel(9, 4), Case.InnerBR) << "inner right";
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {1, 1, 11, 9}, Marker), "");
  EXPECT_EQ(R, (TRect{1, 1, 11, 9})) << "no BF_ADJUST, no change";
}

INSTANTIATE_TEST_SUITE_P(
    Rings, EdgeColoursTest,
    testing::Values(
        TRingCase{"RaisedOuter", BDR_RAISEDOUTER, 0, Light, DkShadow, Marker, Marker},
        TRingCase{"SunkenOuter", BDR_SUNKENOUTER, 0, Shadow, Highlight, Marker, Marker},
        // An inner ring alone is drawn in the outermost position.
        TRingCase{"RaisedInnerAlone", BDR_RAISEDINNER, 0, Highlight, Shadow, Marker, Marker},
        TRingCase{"SunkenInnerAlone", BDR_SUNKENINNER, 0, DkShadow, Light, Marker, Marker},
        TRingCase{"Raised", EDGE_RAISED, 0, Light, DkShadow, Highlight, Shadow},
        TRingCase{"Sunken", EDGE_SUNKEN, 0, Shadow, Highlight, DkShadow, Light},
        TRingCase{"Etched", EDGE_ETCHED, 0, Shadow, Highlight, Highlight, Shadow},
        TRingCase{"Bump", EDGE_BUMP, 0, Light, DkShadow, DkShadow, Light},
        TRingCase{"SoftRaised", EDGE_RAISED, BF_SOFT, Highlight, DkShadow, Light, Shadow},
        TRingCase{"SoftSunken", EDGE_SUNKEN, BF_SOFT, DkShadow, Highlight, Shadow, Light},
        TRingCase{"Flat", EDGE_SUNKEN, BF_FLAT, Shadow, Shadow, Face, Face},
        TRingCase{"Mono", EDGE_RAISED, BF_MONO, Black, Black, White, White},
        TRingCase{"BothOuterBitsCancel", BDR_RAISEDOUTER | BDR_SUNKENOUTER | BDR_RAISEDINNER, 0,
                  Highlight, Shadow, Marker, Marker}),
    [](const testing::TestParamInfo<TRingCase>& Info) { return Info.param.Name; });

TEST(EdgeCornersTest, TopLeftCornerIsTopLeftColourOthersBottomRight) {
  TBitmap Surface(6, 6);
  FillBitmap(Surface, Marker);
  TRect R{0, 0, 6, 6};
  Surface.Canvas().DrawEdge(R, EDGE_RAISED, BF_RECT);
  EXPECT_EQ(Surface.Pixel(0, 0), Light);
  EXPECT_EQ(Surface.Pixel(5, 0), DkShadow);
  EXPECT_EQ(Surface.Pixel(0, 5), DkShadow);
  EXPECT_EQ(Surface.Pixel(5, 5), DkShadow);
  EXPECT_EQ(Surface.Pixel(1, 1), Highlight);
  EXPECT_EQ(Surface.Pixel(4, 1), Shadow);
  EXPECT_EQ(Surface.Pixel(1, 4), Shadow);
  EXPECT_EQ(PixelsNotEqual(Surface, {2, 2, 4, 4}, Marker), "");
}

TEST(EdgeSidesTest, ASingleSideCoversItsCornersAndInnerLinesReachFreeEnds) {
  TBitmap Surface(8, 6);
  FillBitmap(Surface, Marker);
  TRect R{0, 0, 8, 6};
  Surface.Canvas().DrawEdge(R, EDGE_SUNKEN, BF_TOP);
  EXPECT_EQ(PixelsNotEqual(Surface, {0, 0, 8, 1}, Shadow), "");
  EXPECT_EQ(PixelsNotEqual(Surface, {0, 1, 8, 2}, DkShadow), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {0, 0, 8, 2}, Marker), "");

  FillBitmap(Surface, Marker);
  Surface.Canvas().DrawEdge(R, EDGE_SUNKEN, BF_TOP | BF_LEFT);
  EXPECT_EQ(Surface.Pixel(1, 1), DkShadow);
  EXPECT_EQ(Surface.Pixel(7, 1), DkShadow) << "inner top runs to the free right end";
  EXPECT_EQ(Surface.Pixel(1, 5), DkShadow) << "inner left runs to the free bottom end";
  EXPECT_EQ(Surface.Pixel(0, 1), Shadow) << "outer left, not the inner line";
}

TEST(EdgeAdjustTest, AdjustMovesOnlyTheDrawnSidesByTheRingCount) {
  TBitmap Surface(20, 20);
  TRect Two{0, 0, 20, 20};
  Surface.Canvas().DrawEdge(Two, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(Two, (TRect{2, 2, 18, 18}));
  TRect One{0, 0, 20, 20};
  Surface.Canvas().DrawEdge(One, BDR_SUNKENOUTER, BF_TOPLEFT | BF_ADJUST);
  EXPECT_EQ(One, (TRect{1, 1, 20, 20}));
  TRect Partial{0, 0, 20, 20};
  Surface.Canvas().DrawEdge(Partial, EDGE_ETCHED, BF_BOTTOMRIGHT | BF_ADJUST);
  EXPECT_EQ(Partial, (TRect{0, 0, 18, 18}));
}

TEST(EdgeMiddleTest, MiddleFillsTheInsideWithTheFaceColour) {
  TBitmap Surface(8, 8);
  FillBitmap(Surface, Marker);
  TRect R{0, 0, 8, 8};
  Surface.Canvas().DrawEdge(R, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  EXPECT_EQ(PixelsNotEqual(Surface, {2, 2, 6, 6}, Face), "");
}

TEST(EdgeClipTest, EdgesRespectTheCanvasClip) {
  TBitmap Surface(10, 10);
  FillBitmap(Surface, Marker);
  TCanvas& Canvas = Surface.Canvas();
  Canvas.SetOrigin({2, 2});
  Canvas.SetClipRect({0, 0, 3, 3});
  TRect R{0, 0, 6, 6};
  Canvas.DrawEdge(R, EDGE_RAISED, BF_RECT);
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {2, 2, 5, 5}, Marker), "");
  EXPECT_EQ(Surface.Pixel(2, 2), Light);
}

}  // namespace
