// Bitmap files: decoding every format a user may have, and writing the standard ones.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/Bitmap.h"

// Replaces Bitmap's contents with the picture in Bytes; raises EInvalidGraphic "Bitmap image is
// not valid" (Bitmap unchanged) for anything that is not a valid bitmap file, and
// EOutOfResources for a picture larger than TBitmap::MaxBytes.
void DecodeBitmapFile(std::string_view Bytes, TBitmap& Bitmap);

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
