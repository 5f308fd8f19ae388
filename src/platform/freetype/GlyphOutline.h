// Glyph outlines flattened to closed polygons.
#pragma once

#include <ft2build.h>
#include FT_OUTLINE_H

#include <vector>

#include "platform/TextEngine.h"

// The contours of Outline in pixels with y growing downwards, curves replaced by straight
// segments within a tenth of a pixel. Every contour ends on its first point; contours that
// enclose nothing (fewer than three points) are left out.
std::vector<TContour> FlattenOutline(FT_Outline& Outline);
