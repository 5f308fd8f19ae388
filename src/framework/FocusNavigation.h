// Which control a navigation key moves the keyboard focus to, decided on the controls' places
// alone so that any layout (columns, rows, grids with holes) moves the same way.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Types.h"

enum class TFocusMove : std::uint8_t {
  fmNext,      // Tab: the next in order, wrapping
  fmPrevious,  // Shift+Tab: the previous in order, wrapping
  fmFirst,     // Home
  fmLast,      // End
  fmLeft,
  fmRight,
  fmUp,
  fmDown,
};

// The index in Places (window rectangles of the controls that can take the focus, in their
// order) that Move leads to from Current, or Current when it leads nowhere. Current is -1 while
// nothing has the focus: the first move then picks the first place (the last for fmPrevious and
// fmLast). An arrow goes to the nearest place whose centre lies within 45 degrees of the
// arrow's direction from the current centre; equal distances go to the earlier place.
int FocusTarget(const std::vector<TRect>& Places, int Current, TFocusMove Move);
