// The monitor and work area a window is placed in.
#include "platform/MonitorChoice.h"

#include <climits>

namespace {

// How far the point lies outside the rectangle, along either axis: 0 inside.
long long DistanceTo(const TRect& Area, TPoint Point) {
  const long long DX = Point.X < Area.Left     ? Area.Left - Point.X
                       : Point.X >= Area.Right ? Point.X - Area.Right + 1
                                               : 0;
  const long long DY = Point.Y < Area.Top       ? Area.Top - Point.Y
                       : Point.Y >= Area.Bottom ? Point.Y - Area.Bottom + 1
                                                : 0;
  return DX * DX + DY * DY;
}

}  // namespace

TRect PointerWorkArea(const std::vector<TRect>& Monitors, TPoint Pointer, const TRect& WorkArea,
                      const TRect& Screen) {
  TRect Monitor = Screen;
  long long Best = LLONG_MAX;
  for (const TRect& Candidate : Monitors) {
    if (Candidate.IsEmpty()) continue;
    const long long Distance = DistanceTo(Candidate, Pointer);
    if (Distance < Best) {
      Best = Distance;
      Monitor = Candidate;
    }
  }
  // The desktop's work area spans all monitors; a panel on one monitor takes room on it only.
  if (WorkArea.IsEmpty()) return Monitor;
  const TRect Usable = IntersectRect(Monitor, WorkArea);
  return Usable.IsEmpty() ? Monitor : Usable;
}
