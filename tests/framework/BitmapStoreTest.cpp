// Bitmaps assigned from one another share their pixels until one of them is written to: each
// keeps the pixels it was given, and the stores alive are counted once however many share them.
#include <gtest/gtest.h>

#include <utility>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "support/Pixels.h"

namespace {

// Sizes no other test of the program keeps alive, so that the counts are this test's own.
constexpr int W = 123;
constexpr int H = 45;

TEST(BitmapStore, AnAssignedCopySharesThePixelsUntilItIsWritten) {
  TBitmap Source(W, H);
  Source.SetPixel(1, 2, Rgb(10, 20, 30));
  TBitmap Copy;
  Copy.Assign(Source);
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 1);
  EXPECT_EQ(Copy.Pixel(1, 2), Rgb(10, 20, 30));
  EXPECT_EQ(std::as_const(Copy).ScanLine(0), std::as_const(Source).ScanLine(0));

  Copy.SetPixel(1, 2, Rgb(40, 50, 60));
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 2);
  EXPECT_EQ(Copy.Pixel(1, 2), Rgb(40, 50, 60));
  EXPECT_EQ(Source.Pixel(1, 2), Rgb(10, 20, 30)) << "the source keeps its pixels";
  EXPECT_EQ(Copy.Pixel(W - 1, H - 1), Source.Pixel(W - 1, H - 1));
}

TEST(BitmapStore, WritingTheSourceLeavesTheCopyAsItWas) {
  TBitmap Source(W, H);
  TBitmap Copy;
  Copy.Assign(Source);
  Source.Canvas().Brush = {clRed, TBrushStyle::bsSolid};
  Source.Canvas().FillRect({0, 0, W, H});
  EXPECT_EQ(Source.Pixel(5, 5), Rgb(255, 0, 0));
  EXPECT_EQ(Copy.Pixel(5, 5), Rgb(0, 0, 0));
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 2);
}

TEST(BitmapStore, ReadingThroughACanvasKeepsTheStoreShared) {
  TBitmap Source(W, H);
  Source.SetPixel(3, 4, Rgb(1, 2, 3));
  TBitmap Copy;
  Copy.Assign(Source);
  TBitmap Target(W + 1, H + 1);
  Target.Canvas().CopyRect({0, 0, W, H}, Copy.Canvas(), {0, 0, W, H});
  EXPECT_EQ(Target.Pixel(3, 4), Rgb(1, 2, 3));
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 2) << "the shared store and the target";
}

TEST(BitmapStore, StoresEndWithTheirLastBitmap) {
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 0);
  {
    TBitmap Source(W, H);
    TBitmap Moved;
    Moved.Assign(std::move(Source));
    EXPECT_TRUE(Source.Empty());
    EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 1);
    TBitmap Copy;
    Copy.Assign(Moved);
    Moved.SetSize(0, 0);
    EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 1) << "the copy holds the store";
    EXPECT_EQ(TBitmap::LiveStoresAtLeast(W + 1, H), 0) << "smaller in one direction";
  }
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 0);
}

}  // namespace
