// Helpers for pixel tests: bitmaps filled with a marker, and counting what changed.
#pragma once

#include <string>

#include "core/Types.h"
#include "framework/Bitmap.h"

// A marker no drawing routine uses, to tell untouched pixels from drawn ones.
inline constexpr TPixel Marker = PixelOf(1, 2, 3);

// The pixel of an RGB triple, as the canvas writes it.
constexpr TPixel Rgb(int R, int G, int B) {
  return PixelOf(static_cast<std::uint8_t>(R), static_cast<std::uint8_t>(G),
                 static_cast<std::uint8_t>(B));
}

void FillBitmap(TBitmap& Bitmap, TPixel Pixel);

// Pixels of Area whose value is not Pixel, as "x,y" texts (empty when all are Pixel).
std::string PixelsNotEqual(const TBitmap& Bitmap, const TRect& Area, TPixel Pixel);

// Pixels outside Area that are not Pixel.
std::string PixelsNotEqualOutside(const TBitmap& Bitmap, const TRect& Area, TPixel Pixel);

// The bounding box of the pixels that are not Pixel; empty when there are none.
TRect ChangedBounds(const TBitmap& Bitmap, TPixel Pixel);
