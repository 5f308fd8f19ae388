// The atoms the window system names in properties and client messages, interned once.
#pragma once

#include <X11/Xlib.h>

struct TX11Atoms {
  // Interns every atom in one round trip.
  explicit TX11Atoms(Display* Dpy);

  Atom WmProtocols = None;
  Atom WmDeleteWindow = None;
  Atom MotifWmHints = None;
  Atom NetWmName = None;
  Atom NetWmIconName = None;
  Atom NetWmIcon = None;
  Atom NetWmPid = None;
  Atom NetWmWindowType = None;
  Atom NetWmWindowTypeDialog = None;
  Atom NetWmWindowTypeNormal = None;
  Atom Utf8String = None;
  Atom NetSupported = None;
  Atom NetWorkarea = None;
  Atom NetCurrentDesktop = None;
  Atom NetFrameExtents = None;
  Atom NetRequestFrameExtents = None;
};
