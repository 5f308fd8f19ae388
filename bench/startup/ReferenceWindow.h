// What the reference window of the start-up benchmark and the menu it is measured against share:
// four labelled rectangles, where the menu has its buttons, the first of which reacts to the
// pointer.
#pragma once

#include <array>

struct TReferenceRect {
  int X, Y, Width, Height;
  bool Contains(int PX, int PY) const {
    return PX >= X && PY >= Y && PX < X + Width && PY < Y + Height;
  }
};

// The menu of the benchmark places its buttons here too (bench/run-startup.sh writes them).
inline constexpr std::array<TReferenceRect, 4> ReferenceLabels{{
    {40, 60, 260, 32},
    {40, 100, 260, 32},
    {40, 140, 260, 32},
    {40, 180, 260, 32},
}};
