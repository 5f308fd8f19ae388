// Glyph outlines from the classic native outline format, flattened to closed polygons.
#include "platform/win32/GdiGlyphOutline.h"

#include <windows.h>

#include <cstring>

#include "platform/OutlinePath.h"

namespace {

TPointF ToPixels(const POINTFX& Point) {
  const double X = Point.x.value + Point.x.fract / 65536.0;
  const double Y = Point.y.value + Point.y.fract / 65536.0;
  return {X, -Y};
}

// A quadratic B-spline record: the points between the first and the last are control points,
// with an on-curve point implied halfway between each two of them.
void AddQuadraticSpline(TOutlinePath& Path, const std::vector<TPointF>& Points) {
  for (std::size_t I = 0; I + 1 < Points.size(); ++I) {
    const TPointF Control = Points[I];
    const TPointF To = I + 2 == Points.size() ? Points[I + 1]
                                              : TPointF{(Points[I].X + Points[I + 1].X) / 2,
                                                        (Points[I].Y + Points[I + 1].Y) / 2};
    Path.ConicTo(Control, To);
  }
}

void AddRecord(TOutlinePath& Path, WORD Type, const std::vector<TPointF>& Points) {
  if (Type == TT_PRIM_LINE) {
    for (const TPointF& To : Points) Path.LineTo(To);
  } else if (Type == TT_PRIM_QSPLINE) {
    AddQuadraticSpline(Path, Points);
  } else if (Type == TT_PRIM_CSPLINE) {
    for (std::size_t I = 0; I + 2 < Points.size(); I += 3)
      Path.CubicTo(Points[I], Points[I + 1], Points[I + 2]);
  }
}

}  // namespace

std::vector<TContour> FlattenNativeOutline(const std::vector<unsigned char>& Data) {
  TOutlinePath Path;
  std::size_t Pos = 0;
  while (Pos + sizeof(TTPOLYGONHEADER) <= Data.size()) {
    TTPOLYGONHEADER Header;
    std::memcpy(&Header, Data.data() + Pos, sizeof Header);
    if (Header.cb < sizeof Header || Header.cb > Data.size() - Pos) break;
    const std::size_t End = Pos + Header.cb;
    Path.MoveTo(ToPixels(Header.pfxStart));
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
      AddRecord(Path, Type, Points);
      Record += Bytes;
    }
    Pos = End;
  }
  return Path.Take();
}
