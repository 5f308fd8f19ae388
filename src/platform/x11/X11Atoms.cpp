// The atoms the window system names in properties and client messages.
#include "platform/x11/X11Atoms.h"

#include <array>
#include <cstddef>
#include <utility>

TX11Atoms::TX11Atoms(Display* Dpy) {
  // The names and the members they fill, side by side so that neither list can drift.
  const std::array<std::pair<const char*, Atom*>, 16> Table = {{
      {"WM_PROTOCOLS", &WmProtocols},
      {"WM_DELETE_WINDOW", &WmDeleteWindow},
      {"_MOTIF_WM_HINTS", &MotifWmHints},
      {"_NET_WM_NAME", &NetWmName},
      {"_NET_WM_ICON_NAME", &NetWmIconName},
      {"_NET_WM_ICON", &NetWmIcon},
      {"_NET_WM_PID", &NetWmPid},
      {"_NET_WM_WINDOW_TYPE", &NetWmWindowType},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &NetWmWindowTypeDialog},
      {"_NET_WM_WINDOW_TYPE_NORMAL", &NetWmWindowTypeNormal},
      {"UTF8_STRING", &Utf8String},
      {"_NET_SUPPORTED", &NetSupported},
      {"_NET_WORKAREA", &NetWorkarea},
      {"_NET_CURRENT_DESKTOP", &NetCurrentDesktop},
      {"_NET_FRAME_EXTENTS", &NetFrameExtents},
      {"_NET_REQUEST_FRAME_EXTENTS", &NetRequestFrameExtents},
  }};
  std::array<char*, Table.size()> Names{};
  std::array<Atom, Table.size()> Atoms{};
  for (std::size_t I = 0; I < Table.size(); ++I) Names[I] = const_cast<char*>(Table[I].first);
  XInternAtoms(Dpy, Names.data(), static_cast<int>(Names.size()), False, Atoms.data());
  for (std::size_t I = 0; I < Table.size(); ++I) *Table[I].second = Atoms[I];
}
