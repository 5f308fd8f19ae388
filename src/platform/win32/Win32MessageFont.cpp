// The message font of the non-client metrics, as the system's own message boxes show it.
#include <windows.h>

#include "platform/win32/Win32MessageFont.h"

TMessageFontSpec NonClientMessageFont() {
  NONCLIENTMETRICSA Metrics{};
  Metrics.cbSize = sizeof Metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0) ||
      Metrics.lfMessageFont.lfFaceName[0] == '\0')
    return {"Tahoma", -11};
  return {Metrics.lfMessageFont.lfFaceName, static_cast<int>(Metrics.lfMessageFont.lfHeight)};
}
