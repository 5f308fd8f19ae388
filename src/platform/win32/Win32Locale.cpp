// The ANSI code page on Windows, as the system reports it.
#include <windows.h>

#include "platform/Locale.h"

int SystemAnsiCodePage() {
  return static_cast<int>(GetACP());
}
