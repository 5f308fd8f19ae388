// Resampling pictures: area averages when shrinking, bilinear blends when enlarging, and exact
// colours at the edges and in plain areas.
#include "framework/BitmapResample.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/Pixels.h"

namespace {

// A row of grey levels as a Width x 1 picture.
void FillRow(TBitmap& Bitmap, const std::vector<int>& Levels) {
  Bitmap.SetSize(static_cast<int>(Levels.size()), 1);
  for (std::size_t I = 0; I < Levels.size(); ++I)
    Bitmap.SetPixel(static_cast<int>(I), 0, Rgb(Levels[I], Levels[I], Levels[I]));
}

std::vector<int> RedOfRow(const TBitmap& Bitmap) {
  std::vector<int> Result;
  for (int X = 0; X < Bitmap.Width(); ++X) Result.push_back((Bitmap.Pixel(X, 0) >> 16) & 0xFF);
  return Result;
}

TEST(BitmapResampleTest, HalvingAveragesEachBlockOfFour) {
  TBitmap Source(4, 4);
  const TPixel Blocks[2][2] = {{Rgb(200, 0, 0), Rgb(0, 200, 0)},
                               {Rgb(0, 0, 200), Rgb(40, 80, 120)}};
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) Source.SetPixel(X, Y, Blocks[Y / 2][X / 2]);
  // One odd pixel in the last block moves its average by a quarter of the difference.
  Source.SetPixel(3, 3, Rgb(80, 0, 200));
  TBitmap Target;
  ResampleBitmap(Source, Target, 2, 2);
  ASSERT_EQ(Target.Width(), 2);
  ASSERT_EQ(Target.Height(), 2);
  EXPECT_EQ(Target.Pixel(0, 0), Blocks[0][0]);
  EXPECT_EQ(Target.Pixel(1, 0), Blocks[0][1]);
  EXPECT_EQ(Target.Pixel(0, 1), Blocks[1][0]);
  EXPECT_EQ(Target.Pixel(1, 1), Rgb(50, 60, 140));
}

TEST(BitmapResampleTest, ShrinkingByANonWholeRatioWeighsPixelsByTheirCoveredPart) {
  TBitmap Source, Target;
  FillRow(Source, {0, 90, 180});
  ResampleBitmap(Source, Target, 2, 1);
  // Each target pixel covers one and a half source pixels.
  EXPECT_EQ(RedOfRow(Target), (std::vector<int>{30, 150}));
  FillRow(Source, {0, 255});
  ResampleBitmap(Source, Target, 1, 1);
  EXPECT_EQ(RedOfRow(Target), (std::vector<int>{128}));
}

TEST(BitmapResampleTest, TheLastTargetPixelIsMadeOfTheLastSourcePixelsOnly) {
  TBitmap Source, Target;
  FillRow(Source, {0, 0, 100, 250, 250});
  ResampleBitmap(Source, Target, 2, 1);
  // [0, 2.5) and [2.5, 5): the right half of the middle pixel and the two bright ones.
  EXPECT_EQ(RedOfRow(Target), (std::vector<int>{20, 220}));
}

TEST(BitmapResampleTest, EnlargingBlendsNeighboursAndRepeatsTheEdges) {
  TBitmap Source, Target;
  FillRow(Source, {0, 255});
  ResampleBitmap(Source, Target, 4, 1);
  EXPECT_EQ(RedOfRow(Target), (std::vector<int>{0, 64, 191, 255}));
  FillRow(Source, {10, 20, 30});
  ResampleBitmap(Source, Target, 6, 1);
  EXPECT_EQ(RedOfRow(Target), (std::vector<int>{10, 13, 18, 23, 28, 30}));
}

TEST(BitmapResampleTest, EnlargingColumnsBlendsRowsAlike) {
  TBitmap Source(1, 2), Target;
  Source.SetPixel(0, 0, Rgb(0, 0, 0));
  Source.SetPixel(0, 1, Rgb(255, 255, 255));
  ResampleBitmap(Source, Target, 2, 4);
  for (int X = 0; X < 2; ++X) {
    EXPECT_EQ(Target.Pixel(X, 0), Rgb(0, 0, 0));
    EXPECT_EQ(Target.Pixel(X, 1), Rgb(64, 64, 64));
    EXPECT_EQ(Target.Pixel(X, 2), Rgb(191, 191, 191));
    EXPECT_EQ(Target.Pixel(X, 3), Rgb(255, 255, 255));
  }
}

TEST(BitmapResampleTest, APlainPictureStaysExactlyItsColourAtAnySize) {
  TBitmap Source(37, 23), Target;
  FillBitmap(Source, Rgb(17, 130, 251));
  for (const TSize Size : {TSize{11, 7}, TSize{80, 50}, TSize{36, 24}, TSize{1, 1}}) {
    ResampleBitmap(Source, Target, Size.cx, Size.cy);
    ASSERT_EQ(Target.Width(), Size.cx);
    ASSERT_EQ(Target.Height(), Size.cy);
    EXPECT_EQ(PixelsNotEqual(Target, Bounds(0, 0, Size.cx, Size.cy), Rgb(17, 130, 251)), "")
        << Size.cx << " x " << Size.cy;
  }
}

TEST(BitmapResampleTest, TheSameSizeIsACopyAndAlphaIsResampledToo) {
  TBitmap Source(3, 2), Target;
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X) Source.SetPixel(X, Y, 0x10203040u * static_cast<TPixel>(X + Y + 1));
  ResampleBitmap(Source, Target, 3, 2);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X) EXPECT_EQ(Target.Pixel(X, Y), Source.Pixel(X, Y));
  TBitmap Icon(2, 1);
  Icon.SetPixel(0, 0, 0xFF000000u);
  Icon.SetPixel(1, 0, 0x00000000u);
  ResampleBitmap(Icon, Target, 1, 1);
  EXPECT_EQ(Target.Pixel(0, 0), 0x80000000u);
}

TEST(BitmapResampleTest, NothingToResampleGivesAnEmptyPicture) {
  TBitmap Empty, Target(5, 5);
  ResampleBitmap(Empty, Target, 4, 4);
  EXPECT_TRUE(Target.Empty());
  TBitmap Source(2, 2);
  Target.SetSize(5, 5);
  ResampleBitmap(Source, Target, 0, 3);
  EXPECT_TRUE(Target.Empty());
}

}  // namespace
