// The ANSI code page on Windows, as the system reports it.
#include <windows.h>

#include "platform/win32/Win32Locale.h"

int Win32AnsiCodePage() {
  return static_cast<int>(GetACP());
}
