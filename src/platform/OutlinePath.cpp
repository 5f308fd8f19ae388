// Glyph outlines traced as moves, lines and curves and flattened to closed polygons.
#include "platform/OutlinePath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Tolerance = 0.1;
constexpr int MaxSegments = 100;

double Length(double X, double Y) {
  return std::sqrt(X * X + Y * Y);
}

// The number of segments that keep a curve whose second derivative is at most Bend within
// the tolerance: a chord over a parameter step h strays at most h * h * Bend / 8.
int SegmentsFor(double Bend) {
  const double Segments = std::ceil(std::sqrt(Bend / (8.0 * Tolerance)));
  return std::clamp(static_cast<int>(Segments), 1, MaxSegments);
}

}  // namespace

void TOutlinePath::MoveTo(TPointF To) {
  Finish();
  FContours.push_back({To});
}

void TOutlinePath::LineTo(TPointF To) {
  FContours.back().push_back(To);
}

void TOutlinePath::ConicTo(TPointF Control, TPointF To) {
  const TPointF From = FContours.back().back();
  const double Bend = 2 * Length(From.X - 2 * Control.X + To.X, From.Y - 2 * Control.Y + To.Y);
  const int Segments = SegmentsFor(Bend);
  for (int Step = 1; Step <= Segments; ++Step) {
    const double T = static_cast<double>(Step) / Segments, S = 1 - T;
    LineTo({S * S * From.X + 2 * S * T * Control.X + T * T * To.X,
            S * S * From.Y + 2 * S * T * Control.Y + T * T * To.Y});
  }
}

void TOutlinePath::CubicTo(TPointF Control1, TPointF Control2, TPointF To) {
  const TPointF From = FContours.back().back();
  const double Bend =
      6 *
      std::max(Length(From.X - 2 * Control1.X + Control2.X, From.Y - 2 * Control1.Y + Control2.Y),
               Length(Control1.X - 2 * Control2.X + To.X, Control1.Y - 2 * Control2.Y + To.Y));
  const int Segments = SegmentsFor(Bend);
  for (int Step = 1; Step <= Segments; ++Step) {
    const double T = static_cast<double>(Step) / Segments, S = 1 - T;
    const double A = S * S * S, B = 3 * S * S * T, C = 3 * S * T * T, D = T * T * T;
    LineTo({A * From.X + B * Control1.X + C * Control2.X + D * To.X,
            A * From.Y + B * Control1.Y + C * Control2.Y + D * To.Y});
  }
}

std::vector<TContour> TOutlinePath::Take() {
  Finish();
  return std::move(FContours);
}

void TOutlinePath::Finish() {
  if (FContours.empty()) return;
  TContour& Contour = FContours.back();
  if (Contour.size() < 3) {
    FContours.pop_back();
    return;
  }
  if (Contour.back().X != Contour.front().X || Contour.back().Y != Contour.front().Y)
    Contour.push_back(Contour.front());
}
