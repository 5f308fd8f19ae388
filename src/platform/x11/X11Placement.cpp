// Where the X11 window system places new windows and how large it draws them: the monitors of
// RandR, the desktop's work area, the window manager's frames and the desktop's text scale.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <cstdlib>

#include "platform/DisplayScale.h"
#include "platform/MonitorChoice.h"
#include "platform/x11/X11WindowSystem.h"

namespace {

// How long the window manager may take to answer a frame request; one that does not answer
// leaves the window placed by its client area.
constexpr int FrameAnswerMs = 250;

// Up to Count 32-bit values of a property, as Xlib hands them: one long each.
std::vector<long> ReadLongs(Display* Dpy, ::Window Handle, Atom Property, Atom Type, long Count) {
  Atom ActualType = None;
  int Format = 0;
  unsigned long Items = 0, After = 0;
  unsigned char* Data = nullptr;
  std::vector<long> Values;
  if (XGetWindowProperty(Dpy, Handle, Property, 0, Count, False, Type, &ActualType, &Format, &Items,
                         &After, &Data) == Success &&
      Data && ActualType == Type && Format == 32) {
    const auto* Longs = reinterpret_cast<const long*>(Data);
    Values.assign(Longs, Longs + Items);
  }
  if (Data) XFree(Data);
  return Values;
}

}  // namespace

std::vector<TRect> TX11WindowSystem::Monitors() const {
  std::vector<TRect> Result;
  int EventBase = 0, ErrorBase = 0, Major = 0, Minor = 0;
  // Monitors came with RandR 1.5; an older server is placed on as one screen.
  if (!XRRQueryExtension(FDisplay, &EventBase, &ErrorBase) ||
      !XRRQueryVersion(FDisplay, &Major, &Minor) || Major < 1 || (Major == 1 && Minor < 5))
    return Result;
  int Count = 0;
  XRRMonitorInfo* Infos = XRRGetMonitors(FDisplay, FRoot, True, &Count);
  if (!Infos) return Result;
  for (int I = 0; I < Count; ++I)
    Result.push_back(Bounds(Infos[I].x, Infos[I].y, Infos[I].width, Infos[I].height));
  XRRFreeMonitors(Infos);
  return Result;
}

TRect TX11WindowSystem::DesktopWorkArea() const {
  const std::vector<long> Current =
      ReadLongs(FDisplay, FRoot, FAtoms.NetCurrentDesktop, XA_CARDINAL, 1);
  const long Desktop = Current.empty() ? 0 : Current.front();
  if (Desktop < 0 || Desktop > 1023) return {};
  const std::vector<long> Areas =
      ReadLongs(FDisplay, FRoot, FAtoms.NetWorkarea, XA_CARDINAL, 4 * (Desktop + 1));
  const auto First = static_cast<std::size_t>(4 * Desktop);
  if (Areas.size() < First + 4) return {};
  return Bounds(static_cast<int>(Areas[First]), static_cast<int>(Areas[First + 1]),
                static_cast<int>(Areas[First + 2]), static_cast<int>(Areas[First + 3]));
}

TRect TX11WindowSystem::PointerWorkArea() const {
  if (FPointerWorkArea) return *FPointerWorkArea;
  int X = 0, Y = 0, Width = 0, Height = 0;
  CursorPos(X, Y);
  ScreenSize(Width, Height);
  FPointerWorkArea =
      ::PointerWorkArea(Monitors(), {X, Y}, DesktopWorkArea(), {0, 0, Width, Height});
  return *FPointerWorkArea;
}

double TX11WindowSystem::DesktopScale() const {
  return ChosenScale(std::getenv("OSTREL_SCALE"),
                     ScaleFromXResources(XResourceManagerString(FDisplay)));
}

bool TX11WindowSystem::WindowManagerSupports(Atom Feature) const {
  const std::vector<long> Supported =
      ReadLongs(FDisplay, FRoot, FAtoms.NetSupported, XA_ATOM, 1024);
  for (long Value : Supported)
    if (static_cast<Atom>(Value) == Feature) return true;
  return false;
}

TFrameExtents TX11WindowSystem::FrameExtents(bool Dialog) {
  std::optional<TFrameExtents>& Known = FFrames[Dialog ? 1 : 0];
  if (!Known) Known = AskFrameExtents(Dialog);
  return *Known;
}

TFrameExtents TX11WindowSystem::AskFrameExtents(bool Dialog) {
  if (!WindowManagerSupports(FAtoms.NetRequestFrameExtents)) return {};
  XSetWindowAttributes Attributes{};
  Attributes.event_mask = PropertyChangeMask;
  const ::Window Probe = XCreateWindow(FDisplay, FRoot, 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                                       CopyFromParent, CWEventMask, &Attributes);
  const long Kind =
      static_cast<long>(Dialog ? FAtoms.NetWmWindowTypeDialog : FAtoms.NetWmWindowTypeNormal);
  XChangeProperty(FDisplay, Probe, FAtoms.NetWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&Kind), 1);
  // Of a fixed size, as the program's windows are: window managers leave the resize handle off
  // such windows, and their frames are lower by it.
  if (XSizeHints* Hints = XAllocSizeHints()) {
    Hints->flags = PMinSize | PMaxSize;
    Hints->min_width = Hints->max_width = Hints->min_height = Hints->max_height = 1;
    XSetWMNormalHints(FDisplay, Probe, Hints);
    XFree(Hints);
  }
  XEvent Request{};
  Request.xclient.type = ClientMessage;
  Request.xclient.window = Probe;
  Request.xclient.message_type = FAtoms.NetRequestFrameExtents;
  Request.xclient.format = 32;
  XSendEvent(FDisplay, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &Request);
  XFlush(FDisplay);
  const std::int64_t Deadline = Milliseconds() + FrameAnswerMs;
  bool Answered = false;
  while (!Answered) {
    XEvent Event;
    if (XCheckTypedWindowEvent(FDisplay, Probe, PropertyNotify, &Event)) {
      Answered = Event.xproperty.atom == FAtoms.NetFrameExtents;
      continue;
    }
    const std::int64_t Left = Deadline - Milliseconds();
    if (Left <= 0) break;
    pollfd Readable{ConnectionNumber(FDisplay), POLLIN, 0};
    poll(&Readable, 1, static_cast<int>(Left));
  }
  TFrameExtents Frame;
  const std::vector<long> Sides =
      ReadLongs(FDisplay, Probe, FAtoms.NetFrameExtents, XA_CARDINAL, 4);
  // The order of _NET_FRAME_EXTENTS is left, right, top, bottom.
  if (Sides.size() == 4)
    Frame = {static_cast<int>(Sides[0]), static_cast<int>(Sides[2]), static_cast<int>(Sides[1]),
             static_cast<int>(Sides[3])};
  XDestroyWindow(FDisplay, Probe);
  XFlush(FDisplay);
  return Frame;
}
