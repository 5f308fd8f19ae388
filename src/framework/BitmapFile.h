// Bitmap files: decoding every format a user may have, and writing the standard ones.
#pragma once

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
