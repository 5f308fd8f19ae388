// Glyph outlines from the classic native outline format, flattened to closed polygons.
#include "platform/win32/GdiGlyphOutline.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double Tolerance = 0.1;
constexpr int MaxSegments = 100;

TPointF ToPixels(const POINTFX& Point) {
  const double X = Point.x.value + Point.x.fract / 65536.0;
  const double Y = Point.y.value + Point.y.fract / 65536.0;
  return {X, -Y};
}

double Length(double X, double Y) {
  return std::sqrt(X * X + Y * Y);
}

// The number of segments that keep a curve whose second derivative is at most Bend within
// the tolerance: a chord over a parameter step h strays at most h * h * Bend / 8.
int SegmentsFor(double Bend) {
  const double Segments = std::ceil(std::sqrt(Bend / (8.0 * Tolerance)));
  return std::clamp(static_cast<int>(Segments), 1, MaxSegments);
}

void AddConic(TContour& Contour, TPointF Control, TPointF To) {
  const TPointF From = Contour.back();
  const double Bend = 2 * Length(From.X - 2 * Control.X + To.X, From.Y - 2 * Control.Y + To.Y);
  const int Segments = SegmentsFor(Bend);
  for (int Step = 1; Step <= Segments; ++Step) {
    const double T = static_cast<double>(Step) / Segments, S = 1 - T;
    Contour.push_back({S * S * From.X + 2 * S * T * Control.X + T * T * To.X,
                       S * S * From.Y + 2 * S * T * Control.Y + T * T * To.Y});
  }
}

void AddCubic(TContour& Contour, TPointF Control1, TPointF Control2, TPointF To) {
  const TPointF From = Contour.back();
  const double Bend =
      6 *
      std::max(Length(From.X - 2 * Control1.X + Control2.X, From.Y - 2 * Control1.Y + Control2.Y),
               Length(Control1.X - 2 * Control2.X + To.X, Control1.Y - 2 * Control2.Y + To.Y));
  const int Segments = SegmentsFor(Bend);
  for (int Step = 1; Step <= Segments; ++Step) {
    const double T = static_cast<double>(Step) / Segments, S = 1 - T;
    const double A = S * S * S, B = 3 * S * S * T, C = 3 * S * T * T, D = T * T * T;
    Contour.push_back({A * From.X + B * Control1.X + C * Control2.X + D * To.X,
                       A * From.Y + B * Control1.Y + C * Control2.Y + D * To.Y});
  }
}

// A quadratic B-spline record: the points between the first and the last are control points,
// with an on-curve point implied halfway between each two of them.
void AddQuadraticSpline(TContour& Contour, const std::vector<TPointF>& Points) {
  for (std::size_t I = 0; I + 1 < Points.size(); ++I) {
    const TPointF Control = Points[I];
    const TPointF To = I + 2 == Points.size() ? Points[I + 1]
                                              : TPointF{(Points[I].X + Points[I + 1].X) / 2,
                                                        (Points[I].Y + Points[I + 1].Y) / 2};
    AddConic(Contour, Control, To);
  }
}

void AddRecord(TContour& Contour, WORD Type, const std::vector<TPointF>& Points) {
  if (Type == TT_PRIM_LINE) {
    Contour.insert(Contour.end(), Points.begin(), Points.end());
  } else if (Type == TT_PRIM_QSPLINE) {
    AddQuadraticSpline(Contour, Points);
  } else if (Type == TT_PRIM_CSPLINE) {
    for (std::size_t I = 0; I + 2 < Points.size(); I += 3)
      AddCubic(Contour, Points[I], Points[I + 1], Points[I + 2]);
  }
}

void Close(TContour& Contour, std::vector<TContour>& Contours) {
  if (Contour.size() < 3) return;
  if (Contour.back().X != Contour.front().X || Contour.back().Y != Contour.front().Y)
    Contour.push_back(Contour.front());
  Contours.push_back(std::move(Contour));
}

}  // namespace

std::vector<TContour> FlattenNativeOutline(const std::vector<unsigned char>& Data) {
  std::vector<TContour> Contours;
  std::size_t Pos = 0;
  while (Pos + sizeof(TTPOLYGONHEADER) <= Data.size()) {
    TTPOLYGONHEADER Header;
    std::memcpy(&Header, Data.data() + Pos, sizeof Header);
    if (Header.cb < sizeof Header || Header.cb > Data.size() - Pos) break;
    const std::size_t End = Pos + Header.cb;
    TContour Contour{ToPixels(Header.pfxStart)};
    std::size_t Record = Pos + sizeof Header;
    // A record is its type, its point count, then the points, all unaligned in the buffer.
    const std::size_t RecordHead = offsetof(TTPOLYCURVE, apfx);
    while (Record + RecordHead <= End) {
      WORD Type = 0, Count = 0;
      std::memcpy(&Type, Data.data() + Record, sizeof Type);
      std::memcpy(&Count, Data.data() + Record + sizeof Type, sizeof Count);
      const std::size_t Bytes = RecordHead + std::size_t{Count} * sizeof(POINTFX);
      if (Bytes > End - Record) break;
      std::vector<TPointF> Points(Count);
      for (WORD I = 0; I < Count; ++I) {
        POINTFX Point;
        std::memcpy(&Point, Data.data() + Record + RecordHead + I * sizeof(POINTFX), sizeof Point);
        Points[I] = ToPixels(Point);
      }
      AddRecord(Contour, Type, Points);
      Record += Bytes;
    }
    Close(Contour, Contours);
    Pos = End;
  }
  return Contours;
}
