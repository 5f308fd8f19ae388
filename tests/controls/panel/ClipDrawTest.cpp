// Drawing list items: tiling from the target's corner, clipping to the rectangle and to the
// canvas, offsets, the transparent colour, and the canvas left as it was found.
#include <gtest/gtest.h>

#include <string>

#include "controls/panel/KitBitmapList.h"
#include "support/Pixels.h"

namespace {

// Every pixel different from its neighbours, so that a misplaced copy shows.
class TPicture : public TBitmap {
 public:
  TPicture(int Width, int Height) : TBitmap(Width, Height) {
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        SetPixel(X, Y,
                 PixelOf(static_cast<std::uint8_t>(X), static_cast<std::uint8_t>(Y),
                         static_cast<std::uint8_t>(16 * (X >> 8) + 64 * (Y >> 8) + 7)));
  }
};

// A target surface with every pixel set to Marker.
class TTarget : public TBitmap {
 public:
  TTarget(int Width, int Height) : TBitmap(Width, Height) { FillBitmap(*this, Marker); }
};

int Mod(int A, int B) {
  return ((A % B) + B) % B;
}

// Pixels of Area whose value is not the bitmap's pixel at the tile position, where the pattern
// starts Offset pixels before the area's corner; "" when all match.
std::string TileMismatches(const TBitmap& Target, const TRect& Area, const TBitmap& Source,
                           int Offset) {
  std::string Result;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) {
      const TPixel Want = Source.Pixel(Mod(X - Area.Left + Offset, Source.Width()),
                                       Mod(Y - Area.Top + Offset, Source.Height()));
      if (Target.Pixel(X, Y) != Want && Result.size() < 200)
        Result += std::to_string(X) + "," + std::to_string(Y) + " ";
    }
  return Result;
}

class TClipDrawTest : public ::testing::Test {
 protected:
  void Load(int Width, int Height) {
    if (List.GetEmpty()) List.Add();
    List.GetArrayItem(0)->SetBitmap(TPicture(Width, Height));
  }
  const TBitmap& Source() const { return List.GetArrayItem(0)->GetBitmap(); }
  TKitBitmapList List{nullptr};
};

TEST_F(TClipDrawTest, ABitmapAsLargeAsTheTargetIsCopiedPixelForPixel) {
  Load(320, 240);
  TTarget Target(320, 240);
  List.ClipDraw(Target.Canvas(), {0, 0, 320, 240}, bdTile | bdRealizePalette, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Target, {0, 0, 320, 240}, Source(), 0), "");
}

TEST_F(TClipDrawTest, ASmallerBitmapRepeatsWithTheLastColumnAndRowCut) {
  Load(100, 100);
  TTarget Target(320, 240);
  List.ClipDraw(Target.Canvas(), {0, 0, 320, 240}, bdTile | bdRealizePalette, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Target, {0, 0, 320, 240}, Source(), 0), "");
  EXPECT_EQ(Target.Pixel(319, 239), Source().Pixel(19, 39));
}

TEST_F(TClipDrawTest, ALargerBitmapIsCutAtTheRightAndBottom) {
  Load(400, 300);
  TTarget Target(320, 240);
  List.ClipDraw(Target.Canvas(), {0, 0, 320, 240}, bdTile, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Target, {0, 0, 320, 240}, Source(), 0), "");
}

TEST_F(TClipDrawTest, TilingStartsAtTheRectangleAndStaysInsideIt) {
  Load(30, 20);
  TTarget Target(120, 90);
  const TRect Area{7, 11, 101, 77};
  List.ClipDraw(Target.Canvas(), Area, bdTile, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Target, Area, Source(), 0), "");
  EXPECT_EQ(PixelsNotEqualOutside(Target, Area, Marker), "");
}

TEST_F(TClipDrawTest, WithoutTilingTheBitmapIsDrawnOnceAtTheCorner) {
  Load(30, 20);
  TTarget Target(120, 90);
  const TRect Area{7, 11, 101, 77};
  List.ClipDraw(Target.Canvas(), Area, 0, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Target, Bounds(7, 11, 30, 20), Source(), 0), "");
  EXPECT_EQ(PixelsNotEqualOutside(Target, Bounds(7, 11, 30, 20), Marker), "");
  // A rectangle smaller than the bitmap cuts it.
  TTarget Small(40, 40);
  List.ClipDraw(Small.Canvas(), {5, 5, 15, 12}, 0, 0, 0, 0, 0);
  EXPECT_EQ(TileMismatches(Small, {5, 5, 15, 12}, Source(), 0), "");
  EXPECT_EQ(PixelsNotEqualOutside(Small, {5, 5, 15, 12}, Marker), "");
}

TEST_F(TClipDrawTest, AnOffsetMovesThePatternBackInBothDirections) {
  Load(30, 20);
  for (int Offset : {13, -13, 45}) {
    SCOPED_TRACE(Offset);
    TTarget Target(90, 70);
    const TRect Area{4, 6, 80, 66};
    List.ClipDraw(Target.Canvas(), Area, bdTile, Offset, 0, 0, 0);
    EXPECT_EQ(TileMismatches(Target, Area, Source(), Offset), "");
    EXPECT_EQ(PixelsNotEqualOutside(Target, Area, Marker), "");
  }
}

TEST_F(TClipDrawTest, TheTransparentColourIsLeftOut) {
  TBitmap Bitmap(4, 4);
  FillBitmap(Bitmap, Rgb(255, 0, 255));
  Bitmap.SetPixel(1, 2, Rgb(10, 20, 30));
  List.Add();
  List.GetArrayItem(0)->SetBitmap(Bitmap);
  TTarget Target(8, 8);
  List.ClipDraw(Target.Canvas(), {0, 0, 8, 8}, bdTile | bdTransparent, 0, clFuchsia, 0, 0);
  EXPECT_EQ(Target.Pixel(1, 2), Rgb(10, 20, 30));
  EXPECT_EQ(Target.Pixel(5, 6), Rgb(10, 20, 30));
  EXPECT_EQ(Target.Pixel(1, 6), Rgb(10, 20, 30));
  EXPECT_EQ(PixelsNotEqual(Target, {0, 0, 1, 8}, Marker), "");
  // Without the flag the colour is drawn like any other.
  List.ClipDraw(Target.Canvas(), {0, 0, 8, 8}, bdTile, 0, clFuchsia, 0, 0);
  EXPECT_EQ(Target.Pixel(0, 0), Rgb(255, 0, 255));
}

TEST_F(TClipDrawTest, TheCanvasClipAndOriginAreHonouredAndKept) {
  Load(10, 10);
  TTarget Target(60, 60);
  TCanvas& Canvas = Target.Canvas();
  Canvas.SetOrigin({20, 10});
  Canvas.SetClipRect({0, 0, 15, 25});
  List.ClipDraw(Canvas, {5, 5, 40, 40}, bdTile, 0, 0, 0, 0);
  // Drawn on the surface where the rectangle and the clip overlap, shifted by the origin.
  const TRect Drawn{25, 15, 35, 35};
  EXPECT_EQ(PixelsNotEqualOutside(Target, Drawn, Marker), "");
  EXPECT_EQ(Target.Pixel(25, 15), Source().Pixel(0, 0));
  EXPECT_EQ(Target.Pixel(34, 34), Source().Pixel(9, 9));
  EXPECT_TRUE(Canvas.HasClipRect());
  EXPECT_EQ(Canvas.ClipRect(), (TRect{0, 0, 15, 25}));
  Canvas.ClearClipRect();
  List.ClipDraw(Canvas, {0, 0, 5, 5}, bdTile, 0, 0, 0, 0);
  EXPECT_FALSE(Canvas.HasClipRect());
}

TEST_F(TClipDrawTest, DrawAndDrawExtPlaceTheBitmapAtItsOwnSize) {
  Load(12, 8);
  TTarget Target(40, 30);
  List.Draw(Target.Canvas(), 3, 4, 0, 7);
  EXPECT_EQ(TileMismatches(Target, Bounds(3, 4, 12, 8), Source(), 0), "");
  EXPECT_EQ(PixelsNotEqualOutside(Target, Bounds(3, 4, 12, 8), Marker), "");

  TTarget Other(40, 30);
  EXPECT_EQ(List.DrawExt(Other.Canvas(), {10, 10, 40, 15}, 0, 0, 0), (TRect{10, 10, 22, 15}));
  EXPECT_EQ(List.DrawExt(Other.Canvas(), {0, 0, 30, 20}, bdTile, 0, 0), (TRect{0, 0, 30, 20}));
  EXPECT_EQ(TileMismatches(Other, {0, 0, 30, 20}, Source(), 0), "");
}

TEST_F(TClipDrawTest, AnEmptyBitmapDrawsNothing) {
  List.Add();
  TTarget Target(20, 20);
  List.ClipDraw(Target.Canvas(), {0, 0, 20, 20}, bdTile, 0, 0, 0, 0);
  EXPECT_EQ(List.DrawExt(Target.Canvas(), {0, 0, 20, 20}, bdTile, 0, 0), TRect{});
  EXPECT_EQ(PixelsNotEqual(Target, {0, 0, 20, 20}, Marker), "");
}

}  // namespace
