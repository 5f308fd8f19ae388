// The frame routines: standard frames from the 3D edge routine, 3D frames in two colours and the
// drop-shadow frame. Each moves the rectangle inwards past what it drew.
#pragma once

#include <cstdint>

#include "controls/draw/KitBevelTypes.h"
#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// Draws a named frame with one or two edge calls; Flags (the edge routine's BF_ values) join the
// flags of the calls that take extra flags. Always true.
bool KitDrawStdFrame(TCanvas& Canvas, TRect& Rect, TKitBorderStyle Style, std::uint16_t Flags);

// The pixels a standard frame takes on each side: 0 for lsNone, 1 for the single-line styles,
// 2 for the others.
int KitDrawStdFrameExt(TKitBorderStyle Style);

// A lowered, raised, black (bvNormal) or double-line (bvFrame...) frame Width pixels wide. Draws
// nothing and returns false for width 0 or less, bvNone and bvShadow. Leaves the canvas with the
// pen and brush it last drew with.
bool KitDrawFrame3D(TCanvas& Canvas, TRect& Rect, TKitBevelStyle Style, TColor Light, TColor Shadow,
                    int Width);

// A drop shadow ShadowWidth pixels wide on the right and bottom, and FrameWidth one-pixel frames
// in Light inside it. Unless Transparent, the corners the shadow leaves free take Border.
// Always true.
bool KitDrawFrameShadow(TCanvas& Canvas, TRect& Rect, TColor Light, TColor Shadow, TColor Border,
                        int ShadowWidth, int FrameWidth, bool Transparent);
