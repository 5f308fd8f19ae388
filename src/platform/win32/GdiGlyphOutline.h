// Glyph outlines from the classic native outline format, flattened to closed polygons.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/TextEngine.h"

// Data is what GetGlyphOutlineW gives with GGO_NATIVE: polygon headers, each followed by its
// line, quadratic and cubic spline records, in 16.16 fixed point with y growing upwards. The
// contours come back in pixels with y growing downwards; records that run past the end of the
// data are dropped.
std::vector<TContour> FlattenNativeOutline(const std::vector<unsigned char>& Data);
