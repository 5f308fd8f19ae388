// Outlines flattened to closed polygons: curves within a tenth of a pixel, degenerate contours
// dropped, every contour closed.
#include "platform/OutlinePath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double DistanceToQuadratic(TPointF P, TPointF A, TPointF C, TPointF B) {
  double Best = 1e9;
  for (int I = 0; I <= 10000; ++I) {
    const double T = I / 10000.0, U = 1 - T;
    const double X = U * U * A.X + 2 * U * T * C.X + T * T * B.X;
    const double Y = U * U * A.Y + 2 * U * T * C.Y + T * T * B.Y;
    Best = std::min(Best, std::hypot(P.X - X, P.Y - Y));
  }
  return Best;
}

TEST(OutlinePathTest, ContoursAreClosedAndThoseEnclosingNothingAreDropped) {
  TOutlinePath Path;
  Path.MoveTo({0, 0});
  Path.LineTo({10, 0});
  Path.LineTo({10, 10});
  Path.MoveTo({20, 20});  // a lone point
  Path.MoveTo({30, 30});
  Path.LineTo({40, 30});  // a line: two points
  Path.MoveTo({50, 50});
  Path.LineTo({60, 50});
  Path.LineTo({60, 60});
  const std::vector<TContour> Contours = Path.Take();
  ASSERT_EQ(Contours.size(), 2u);
  for (const TContour& Contour : Contours) {
    ASSERT_GE(Contour.size(), 3u);
    EXPECT_EQ(Contour.front().X, Contour.back().X);
    EXPECT_EQ(Contour.front().Y, Contour.back().Y);
  }
  EXPECT_EQ(Contours[1].front().X, 50);
}

TEST(OutlinePathTest, CurvesStayWithinATenthOfAPixelAndEndOnTheirEndPoint) {
  const TPointF A{0, 0}, Control{50, 100}, B{100, 0};
  TOutlinePath Path;
  Path.MoveTo(A);
  Path.ConicTo(Control, B);
  Path.CubicTo({100, -50}, {0, -50}, A);
  const std::vector<TContour> Contours = Path.Take();
  ASSERT_EQ(Contours.size(), 1u);
  const TContour& Points = Contours.front();
  std::size_t AtB = 0;
  while (AtB < Points.size() && !(Points[AtB].X == B.X && Points[AtB].Y == B.Y)) ++AtB;
  ASSERT_LT(AtB, Points.size()) << "the curve must end exactly on its end point";
  EXPECT_GT(AtB, 8u) << "a curve this large needs many segments";
  for (std::size_t I = 0; I <= AtB; ++I)
    EXPECT_LE(DistanceToQuadratic(Points[I], A, Control, B), 0.1) << I;
  // Between two flattened points the chord stays close to the curve too.
  for (std::size_t I = 0; I < AtB; ++I) {
    const TPointF Mid{(Points[I].X + Points[I + 1].X) / 2, (Points[I].Y + Points[I + 1].Y) / 2};
    EXPECT_LE(DistanceToQuadratic(Mid, A, Control, B), 0.1) << I;
  }
}

}  // namespace
