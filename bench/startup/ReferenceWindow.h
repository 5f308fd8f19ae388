// What the reference window of the start-up benchmark shows, shared by the window and the probe
// that waits for it: a gradient face and one button-sized rectangle that inverts on hover.
#pragma once

#include <cstdint>

struct TReferenceRect {
  int X, Y, Width, Height;
  bool Contains(int PX, int PY) const {
    return PX >= X && PY >= Y && PX < X + Width && PY < Y + Height;
  }
};

// Where the reference window reacts to the pointer, like a menu's first button.
inline constexpr TReferenceRect ReferenceButton{40, 60, 260, 32};

// The face's colour at (X, Y), 0x00RRGGBB; Hot inverts the button rectangle.
inline std::uint32_t ReferencePixel(int X, int Y, bool Hot) {
  const std::uint32_t Face = (static_cast<std::uint32_t>(X & 0xFF) << 16) |
                             (static_cast<std::uint32_t>(Y & 0xFF) << 8) | 0x80u;
  return Hot && ReferenceButton.Contains(X, Y) ? Face ^ 0x00FFFFFFu : Face;
}
