// Resampling a picture to another size: each target pixel averages the source area it covers
// when shrinking, and blends the nearest source pixels bilinearly when enlarging, so that a
// menu drawn larger or smaller for the screen shows no blocks or dropped lines.
#pragma once

#include "framework/Bitmap.h"

// Target becomes Width x Height pixels of Source resampled, each axis on its own: area
// averaging along an axis that shrinks, bilinear along one that grows, a copy along one that
// keeps its size. All four bytes of a pixel are resampled alike. An empty Source or size makes
// an empty Target; raises what TBitmap::SetSize raises.
void ResampleBitmap(const TBitmap& Source, TBitmap& Target, int Width, int Height);
