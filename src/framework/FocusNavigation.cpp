// Focus moves by order and by direction.
#include "framework/FocusNavigation.h"

namespace {

// Centres doubled, so that they stay whole numbers.
TPoint DoubleCentre(const TRect& Place) {
  return {Place.Left + Place.Right, Place.Top + Place.Bottom};
}

// The step along the arrow and across it from one centre to another.
void Components(TFocusMove Move, TPoint From, TPoint To, std::int64_t& Along,
                std::int64_t& Across) {
  const std::int64_t DX = std::int64_t{To.X} - From.X;
  const std::int64_t DY = std::int64_t{To.Y} - From.Y;
  switch (Move) {
    case TFocusMove::fmLeft:
      Along = -DX;
      Across = DY;
      break;
    case TFocusMove::fmRight:
      Along = DX;
      Across = DY;
      break;
    case TFocusMove::fmUp:
      Along = -DY;
      Across = DX;
      break;
    default:
      Along = DY;
      Across = DX;
      break;
  }
  if (Across < 0) Across = -Across;
}

int NearestInDirection(const std::vector<TRect>& Places, int Current, TFocusMove Move) {
  const TPoint From = DoubleCentre(Places[static_cast<std::size_t>(Current)]);
  int Best = Current;
  std::int64_t BestDistance = 0;
  for (int I = 0; I < static_cast<int>(Places.size()); ++I) {
    if (I == Current) continue;
    const TPoint To = DoubleCentre(Places[static_cast<std::size_t>(I)]);
    std::int64_t Along = 0, Across = 0;
    Components(Move, From, To, Along, Across);
    if (Along <= 0 || Across > Along) continue;
    const std::int64_t Distance = Along * Along + Across * Across;
    if (Best == Current || Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  return Best;
}

}  // namespace

int FocusTarget(const std::vector<TRect>& Places, int Current, TFocusMove Move) {
  const int Count = static_cast<int>(Places.size());
  if (Count == 0) return -1;
  if (Current < 0 || Current >= Count)
    return Move == TFocusMove::fmPrevious || Move == TFocusMove::fmLast ? Count - 1 : 0;
  switch (Move) {
    case TFocusMove::fmNext:
      return (Current + 1) % Count;
    case TFocusMove::fmPrevious:
      return (Current + Count - 1) % Count;
    case TFocusMove::fmFirst:
      return 0;
    case TFocusMove::fmLast:
      return Count - 1;
    default:
      return NearestInDirection(Places, Current, Move);
  }
}
