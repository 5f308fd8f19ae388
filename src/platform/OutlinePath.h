// Glyph outlines traced as moves, lines and curves and flattened to closed polygons.
#pragma once

#include <vector>

#include "platform/TextEngine.h"

// Collects the contours of an outline in the order its drawing commands come. Curves are
// replaced by straight segments within a tenth of a pixel; every contour ends on its first
// point, and contours that enclose nothing (fewer than three points) are left out.
class TOutlinePath {
 public:
  // Starts a contour at To, closing the one before.
  void MoveTo(TPointF To);
  void LineTo(TPointF To);
  void ConicTo(TPointF Control, TPointF To);
  void CubicTo(TPointF Control1, TPointF Control2, TPointF To);
  // The contours so far, the last one closed.
  std::vector<TContour> Take();

 private:
  void Finish();

  std::vector<TContour> FContours;
};
