// Helpers for pixel tests.
#include "support/Pixels.h"

#include <algorithm>

void FillBitmap(TBitmap& Bitmap, TPixel Pixel) {
  for (int Y = 0; Y < Bitmap.Height(); ++Y) std::fill_n(Bitmap.ScanLine(Y), Bitmap.Width(), Pixel);
}

namespace {

std::string Collect(const TBitmap& Bitmap, TPixel Pixel, bool Inside, const TRect& Area) {
  std::string Out;
  int Count = 0;
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X)
      if (Area.Contains({X, Y}) == Inside && Bitmap.Pixel(X, Y) != Pixel && ++Count <= 12)
        Out += std::to_string(X) + "," + std::to_string(Y) + " ";
  if (Count > 12) Out += "... (" + std::to_string(Count) + " in all)";
  return Out;
}

}  // namespace

std::string PixelsNotEqual(const TBitmap& Bitmap, const TRect& Area, TPixel Pixel) {
  return Collect(Bitmap, Pixel, true, Area);
}

std::string PixelsNotEqualOutside(const TBitmap& Bitmap, const TRect& Area, TPixel Pixel) {
  return Collect(Bitmap, Pixel, false, Area);
}

TRect ChangedBounds(const TBitmap& Bitmap, TPixel Pixel) {
  TRect Box{Bitmap.Width(), Bitmap.Height(), 0, 0};
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X)
      if (Bitmap.Pixel(X, Y) != Pixel) {
        Box.Left = std::min(Box.Left, X);
        Box.Top = std::min(Box.Top, Y);
        Box.Right = std::max(Box.Right, X + 1);
        Box.Bottom = std::max(Box.Bottom, Y + 1);
      }
  return Box.IsEmpty() ? TRect{} : Box;
}
