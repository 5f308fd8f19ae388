// System colours on Windows: what the user's colour scheme says now.
#include <windows.h>

#include "platform/win32/Win32SystemColors.h"

std::uint32_t Win32SystemColorRGB(int Index) {
  // The system has a brush for every colour index it knows; the colour of another is black.
  if (Index < 0 || GetSysColorBrush(Index) == nullptr) return 0;
  return static_cast<std::uint32_t>(GetSysColor(Index));
}
