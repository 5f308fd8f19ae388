// Pixel sizes and whole-pixel text metrics of a face, as the classic logical font defines them.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/TextEngine.h"

// How large a face is drawn: its em in pixels, and the cell height when the request gave one.
struct TFaceSize {
  static constexpr int DefaultEmPixels = 12;
  // Larger requests are drawn at this size, keeping glyph masks within reason.
  static constexpr int MaxEmPixels = 1000;

  int EmPixels = DefaultEmPixels;
  int CellHeight = 0;  // 0 unless the request asked for a cell height
};

// The size for a request's Height: negative is the em height, positive the cell height
// (ascent + descent), 0 the default. Face may be null when no font could be opened.
TFaceSize FaceSizeFor(FT_Face Face, int Height);

// Metrics of Face at Size, whose em size must be the active one (the fallback for the average
// width measures a glyph). Face may be null: the em box then stands for the cell.
TTextMetrics MeasureFace(FT_Face Face, const TFaceSize& Size);
