// The family's bitmap-drawing routine: a bitmap copied unscaled into a rectangle, once or tiled,
// opaque or leaving out one transparent colour.
#pragma once

#include <cstdint>

#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

using TKitBmpDrawFlags = std::uint16_t;

// Repeat the bitmap across and down until the rectangle is covered.
inline constexpr TKitBmpDrawFlags bdTile = 0x0020;
// Leave the target untouched where the bitmap has the transparent colour.
inline constexpr TKitBmpDrawFlags bdTransparent = 0x0100;
// Select and realise the bitmap's palette in the target first. Surfaces here are true colour,
// where there is nothing to realise.
inline constexpr TKitBmpDrawFlags bdRealizePalette = 0x1000;

// Draws Bitmap into Rect on Canvas, never outside Rect nor the canvas's clip rectangle. The
// bitmap's top-left corner lies Offset pixels left of and above Rect's top-left corner (so that
// a pattern can go on from a neighbouring rectangle); with bdTile the copies repeat from there
// in both directions. Returns the part of Rect that the bitmap covers, before clipping.
TRect KitBmpDraw(TCanvas& Canvas, const TRect& Rect, const TBitmap& Bitmap, TKitBmpDrawFlags Flags,
                 int Offset, TColor TransparentColor);
