// Which part of the screen a new window is placed in: the monitor that holds the pointer, less
// what the desktop keeps for its panels.
#pragma once

#include <vector>

#include "core/Types.h"

// The monitor holding Pointer (else the one nearest to it; the whole Screen when there are no
// monitors), intersected with the desktop's work area when it gives one that overlaps it.
TRect PointerWorkArea(const std::vector<TRect>& Monitors, TPoint Pointer, const TRect& WorkArea,
                      const TRect& Screen);
