// TCanvas shapes: exclusive right and bottom edges, origin and clip, pens, polygons, copies.
#include "framework/Canvas.h"

#include <gtest/gtest.h>

#include "core/Exception.h"
#include "support/Pixels.h"

namespace {

class CanvasTest : public testing::Test {
 protected:
  void SetUp() override { FillBitmap(Surface, Marker); }
  TBitmap Surface{20, 16};
  TCanvas& Canvas = Surface.Canvas();
};

constexpr TPixel Red = Rgb(255, 0, 0);

TEST_F(CanvasTest, FillRectExcludesRightAndBottom) {
  Canvas.Brush.Color = clRed;
  Canvas.FillRect({2, 3, 6, 5});
  EXPECT_EQ(PixelsNotEqual(Surface, {2, 3, 6, 5}, Red), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {2, 3, 6, 5}, Marker), "");
}

TEST_F(CanvasTest, ClearBrushAndNoneColourDrawNothing) {
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Canvas.FillRect({0, 0, 20, 16});
  Canvas.Brush = {clNone, TBrushStyle::bsSolid};
  Canvas.FillRect({0, 0, 20, 16});
  Canvas.SetPixel(1, 1, clNone);
  Canvas.Pen.Color = clNone;
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(10, 10);
  EXPECT_EQ(ChangedBounds(Surface, Marker), TRect{});
}

TEST_F(CanvasTest, SystemColoursResolveThroughTheScheme) {
  Canvas.Brush.Color = clBtnFace;
  Canvas.FillRect({0, 0, 1, 1});
  EXPECT_EQ(Surface.Pixel(0, 0), Rgb(212, 208, 200));
  EXPECT_EQ(Canvas.Pixel(0, 0), static_cast<TColor>(0xC8D0D4));
  Canvas.SetPixel(1, 0, static_cast<TColor>(0x80000040));  // past the table: black
  EXPECT_EQ(Surface.Pixel(1, 0), Rgb(0, 0, 0));
}

TEST_F(CanvasTest, OriginAndClipConfineDrawingToAControl) {
  Canvas.SetOrigin({5, 4});
  Canvas.SetClipRect({0, 0, 6, 3});
  Canvas.Brush.Color = clRed;
  Canvas.FillRect({-10, -10, 100, 100});
  EXPECT_EQ(PixelsNotEqual(Surface, {5, 4, 11, 7}, Red), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {5, 4, 11, 7}, Marker), "");
  EXPECT_EQ(Canvas.ClipRect(), (TRect{0, 0, 6, 3}));
  EXPECT_EQ(Canvas.Pixel(6, 0), clNone);
  Canvas.ClearClipRect();
  EXPECT_EQ(Canvas.ClipRect(), (TRect{-5, -4, 15, 12}));
}

TEST_F(CanvasTest, FrameRectAndRectangle) {
  Canvas.Brush.Color = clRed;
  Canvas.FrameRect({1, 1, 5, 4});
  EXPECT_EQ(PixelsNotEqual(Surface, {2, 2, 4, 3}, Marker), "");
  EXPECT_EQ(Surface.Pixel(4, 3), Red);
  EXPECT_EQ(Surface.Pixel(5, 3), Marker);
  FillBitmap(Surface, Marker);
  Canvas.Pen.Color = clBlue;
  Canvas.Brush.Color = clLime;
  Canvas.Rectangle(2, 2, 7, 6);
  EXPECT_EQ(Surface.Pixel(2, 2), Rgb(0, 0, 255));
  EXPECT_EQ(Surface.Pixel(6, 5), Rgb(0, 0, 255));
  EXPECT_EQ(PixelsNotEqual(Surface, {3, 3, 6, 5}, Rgb(0, 255, 0)), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {2, 2, 7, 6}, Marker), "");
}

TEST_F(CanvasTest, LinesLeaveOutTheirLastPoint) {
  Canvas.Pen.Color = clRed;
  Canvas.MoveTo(1, 1);
  Canvas.LineTo(6, 1);
  EXPECT_EQ(PixelsNotEqual(Surface, {1, 1, 6, 2}, Red), "");
  EXPECT_EQ(Surface.Pixel(6, 1), Marker);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{6, 1}));
  Canvas.LineTo(6, 6);
  EXPECT_EQ(PixelsNotEqual(Surface, {6, 1, 7, 6}, Red), "");
  EXPECT_EQ(Surface.Pixel(6, 6), Marker);
  FillBitmap(Surface, Marker);
  Canvas.Polyline({{0, 10}, {4, 10}, {4, 14}});
  EXPECT_EQ(Surface.Pixel(3, 10), Red);
  EXPECT_EQ(Surface.Pixel(4, 10), Red);
  EXPECT_EQ(Surface.Pixel(4, 13), Red);
  EXPECT_EQ(Surface.Pixel(4, 14), Marker);
}

TEST_F(CanvasTest, DiagonalLinesTouchOnePixelPerStep) {
  Canvas.Pen.Color = clRed;
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(5, 5);
  for (int I = 0; I < 5; ++I) EXPECT_EQ(Surface.Pixel(I, I), Red) << I;
  EXPECT_EQ(ChangedBounds(Surface, Marker), (TRect{0, 0, 5, 5}));
}

TEST_F(CanvasTest, DashedAndWidePens) {
  Canvas.Pen = {clRed, 1, TPenStyle::psDot};
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(12, 0);
  EXPECT_EQ(Surface.Pixel(0, 0), Red);
  EXPECT_EQ(Surface.Pixel(2, 0), Red);
  EXPECT_EQ(Surface.Pixel(3, 0), Marker);
  EXPECT_EQ(Surface.Pixel(6, 0), Red);
  Canvas.Pen = {clRed, 3, TPenStyle::psSolid};
  Canvas.MoveTo(2, 8);
  Canvas.LineTo(8, 8);
  EXPECT_EQ(ChangedBounds(Surface, Marker), (TRect{0, 0, 9, 10}));
  EXPECT_EQ(Surface.Pixel(2, 7), Red);
  EXPECT_EQ(Surface.Pixel(2, 9), Red);
  Canvas.Pen.Style = TPenStyle::psClear;
  FillBitmap(Surface, Marker);
  Canvas.LineTo(0, 15);
  EXPECT_EQ(ChangedBounds(Surface, Marker), TRect{});
}

TEST_F(CanvasTest, PolygonFillsLikeARectangleAndOutlinesWithThePen) {
  Canvas.Pen.Style = TPenStyle::psClear;
  Canvas.Brush.Color = clRed;
  Canvas.Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
  EXPECT_EQ(PixelsNotEqual(Surface, {2, 2, 8, 6}, Red), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {2, 2, 8, 6}, Marker), "");

  FillBitmap(Surface, Marker);
  Canvas.Pen = {clBlue, 1, TPenStyle::psSolid};
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Canvas.Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
  EXPECT_EQ(Surface.Pixel(2, 2), Rgb(0, 0, 255));
  EXPECT_EQ(Surface.Pixel(8, 6), Rgb(0, 0, 255));
  EXPECT_EQ(Surface.Pixel(5, 4), Marker);
}

TEST_F(CanvasTest, TriangleFillHasNoGapsAtSharedEdges) {
  Canvas.Pen.Style = TPenStyle::psClear;
  Canvas.Brush.Color = clRed;
  Canvas.Polygon({{0, 0}, {12, 0}, {0, 12}});
  Canvas.Brush.Color = clBlue;
  Canvas.Polygon({{12, 0}, {12, 12}, {0, 12}});
  EXPECT_EQ(Surface.Pixel(0, 0), Red);
  EXPECT_EQ(Surface.Pixel(11, 11), Rgb(0, 0, 255));
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 12; ++X) EXPECT_NE(Surface.Pixel(X, Y), Marker) << X << "," << Y;
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {0, 0, 12, 12}, Marker), "");
}

TEST_F(CanvasTest, CopyRectCopiesAndStretches) {
  TBitmap Source(4, 2);
  Source.SetPixel(0, 0, Rgb(10, 0, 0));
  Source.SetPixel(1, 0, Rgb(20, 0, 0));
  Source.SetPixel(2, 1, Rgb(30, 0, 0));
  Canvas.CopyRect({1, 1, 5, 3}, Source.Canvas(), {0, 0, 4, 2});
  EXPECT_EQ(Surface.Pixel(1, 1), Rgb(10, 0, 0));
  EXPECT_EQ(Surface.Pixel(3, 2), Rgb(30, 0, 0));
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {1, 1, 5, 3}, Marker), "");
  Canvas.CopyRect({10, 10, 18, 14}, Source.Canvas(), {0, 0, 4, 2});
  EXPECT_EQ(Surface.Pixel(10, 10), Rgb(10, 0, 0));
  EXPECT_EQ(Surface.Pixel(11, 11), Rgb(10, 0, 0));
  EXPECT_EQ(Surface.Pixel(12, 11), Rgb(20, 0, 0));
  EXPECT_EQ(Surface.Pixel(14, 12), Rgb(30, 0, 0));
}

TEST_F(CanvasTest, CopyWithinOneSurfaceReadsTheOldPixels) {
  for (int X = 0; X < 6; ++X) Surface.SetPixel(X, 0, Rgb(X * 10, 0, 0));
  Canvas.CopyRect({1, 0, 7, 1}, Canvas, {0, 0, 6, 1});
  for (int X = 1; X < 7; ++X) EXPECT_EQ(Surface.Pixel(X, 0), Rgb((X - 1) * 10, 0, 0)) << X;
}

TEST_F(CanvasTest, DrawClipsAtTheSurfaceEdge) {
  TBitmap Picture(6, 6);
  FillBitmap(Picture, Rgb(9, 9, 9));
  Canvas.Draw(17, 13, Picture);
  EXPECT_EQ(PixelsNotEqual(Surface, {17, 13, 20, 16}, Rgb(9, 9, 9)), "");
  EXPECT_EQ(PixelsNotEqualOutside(Surface, {17, 13, 20, 16}, Marker), "");
}

TEST(BitmapTest, SizesAreBounded) {
  TBitmap Bitmap;
  EXPECT_TRUE(Bitmap.Empty());
  EXPECT_TRUE(TBitmap::SizeAllowed(8192, 8192));
  EXPECT_FALSE(TBitmap::SizeAllowed(65535, 65535));
  EXPECT_FALSE(TBitmap::SizeAllowed(-1, 5));
  int Changes = 0;
  Bitmap.OnChange = [&](TObject*) { ++Changes; };
  Bitmap.SetSize(3, 2);
  EXPECT_EQ(Changes, 1);
  EXPECT_THROW(Bitmap.SetSize(65535, 65535), EOutOfResources);
  EXPECT_EQ(Bitmap.Width(), 3);
  Bitmap.SetSize(0, 7);
  EXPECT_TRUE(Bitmap.Empty());
}

}  // namespace
