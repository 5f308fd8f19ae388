// Bitmap files reduced to 2, 16 or 256 colours, the form that stored list items with a pixel
// format other than the default carry.
#pragma once

#include <string>

#include "framework/Bitmap.h"

// A bottom-up bitmap file of Bitmap with 1, 4 or 8 bits per pixel for ColorCount 2, 16 or 256
// (any other count is taken as 256). Two colours are black and white split by brightness,
// sixteen the standard colours matched by nearest distance, 256 a 3-3-2 cube of red, green and
// blue levels.
std::string KitEncodeReducedBitmap(const TBitmap& Bitmap, int ColorCount);
