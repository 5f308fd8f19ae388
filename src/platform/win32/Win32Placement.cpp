// Where the Windows desktop places new windows and how large it draws them: the pointer's
// monitor, its work area, the frame of the window's styles and the monitor's DPI.
#include <cstdlib>

#include "platform/DisplayScale.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

HMONITOR PointerMonitor() {
  POINT Pointer{};
  GetCursorPos(&Pointer);
  return MonitorFromPoint(Pointer, MONITOR_DEFAULTTONEAREST);
}

// GetDpiForMonitor's signature; its first argument after the monitor is MDT_EFFECTIVE_DPI (0).
using TGetDpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);

// Windows 7 and 8 have no shcore.dll: the function is looked up, not imported.
double MonitorDpi(HMONITOR Monitor) {
  static TGetDpiForMonitor* const GetDpi =
      SystemFunction<TGetDpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
  UINT DpiX = 0, DpiY = 0;
  if (GetDpi && GetDpi(Monitor, 0, &DpiX, &DpiY) == S_OK && DpiX > 0) return DpiX;
  HDC Screen = GetDC(nullptr);
  const int Dpi = Screen ? GetDeviceCaps(Screen, LOGPIXELSX) : 96;
  if (Screen) ReleaseDC(nullptr, Screen);
  return Dpi > 0 ? Dpi : 96;
}

}  // namespace

TRect TWin32WindowSystem::PointerWorkArea() const {
  MONITORINFO Info{};
  Info.cbSize = sizeof Info;
  if (!GetMonitorInfoW(PointerMonitor(), &Info)) {
    int Width = 0, Height = 0;
    ScreenSize(Width, Height);
    return {0, 0, Width, Height};
  }
  return {Info.rcWork.left, Info.rcWork.top, Info.rcWork.right, Info.rcWork.bottom};
}

TFrameExtents TWin32WindowSystem::FrameExtents(bool Dialog) {
  RECT Frame{0, 0, 0, 0};
  AdjustWindowRectEx(&Frame, TWin32Window::StyleOf(Dialog), FALSE, TWin32Window::ExStyleOf(Dialog));
  return {-Frame.left, -Frame.top, Frame.right, Frame.bottom};
}

double TWin32WindowSystem::DesktopScale() const {
  return ChosenScale(std::getenv("OSTREL_SCALE"), ScaleFromDpi(MonitorDpi(PointerMonitor())));
}
