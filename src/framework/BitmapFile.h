// Bitmap files: decoding every format a user may have, and writing the standard ones.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"

// Replaces Bitmap's contents with the picture in Bytes; raises EInvalidGraphic "Bitmap image is
// not valid" (Bitmap unchanged) for anything that is not a valid bitmap file, and
// EOutOfResources for a picture larger than TBitmap::MaxBytes.
void DecodeBitmapFile(std::string_view Bytes, TBitmap& Bitmap);

// What the bitmap of an icon image holds, checked against its data.
struct TDibInfo {
  int Width = 0;
  // The colour rows': half the height the header gives, which counts the AND mask's rows too.
  int Height = 0;
  int BitCount = 0;
  // Where the colour rows end and the AND mask, if the data hold it, begins.
  std::size_t MaskOffset = 0;
};

// The bitmap of an icon image: a bitmap-info header of 12, 40, 108 or 124 bytes at the start of
// Dib, no run-length data, sides up to TIcon::MaxBitmapSide. Unlike a file's, its 32-bit pixels
// keep their alpha (the top byte, or the mask a larger header names), and its colour masks must
// fit the pixel and have no gap. Raises EInvalidGraphic "Icon image is not valid".
TDibInfo ReadIconDib(std::string_view Dib);
// The same, and the colour rows decoded into Pixels (Width x Height, top-down, 0xAARRGGBB; the
// alpha bytes 0 where the data carry none).
TDibInfo DecodeIconDib(std::string_view Dib, std::vector<TPixel>& Pixels);

// A bitmap file of Bitmap: 24 bits per pixel, or 32 with the alpha bytes kept when any pixel
// has alpha; bottom-up rows, no colour table.
std::string EncodeBitmapFile(const TBitmap& Bitmap);

// Where the parts of a file made by NewBitmapFile lie.
struct TBitmapFileLayout {
  std::size_t PaletteOffset = 0;  // the colour table: blue, green, red and a zero byte an entry
  std::size_t PixelOffset = 0;    // the bottom row, then the rows above it
  std::size_t Stride = 0;         // bytes from one row to the next
};

// A bitmap file of Width x Height pixels of BitCount bits with a colour table of Colors entries:
// the headers written, the colour table and the rows zero, to be filled in. The size must be one
// a TBitmap may have.
std::string NewBitmapFile(int Width, int Height, unsigned BitCount, std::size_t Colors,
                          TBitmapFileLayout& Layout);
