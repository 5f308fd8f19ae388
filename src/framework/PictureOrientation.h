// Turning a picture upright as its EXIF orientation asks.
#pragma once

#include "framework/Bitmap.h"

// Source's pixels as they are to be shown under Orientation (1 to 8, as EXIF numbers them):
// mirrored and turned by quarter turns. Orientations 5 to 8 swap width and height. Raises
// EOutOfResources when there is no memory for the result.
void OrientBitmap(const TBitmap& Source, int Orientation, TBitmap& Target);
