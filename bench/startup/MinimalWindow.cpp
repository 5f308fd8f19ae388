// The reference of the start-up benchmark: the least an Xlib program does to show a picture and
// four labels. It maps a window, reads the picture as raw 32-bit pixels (nothing to decode), and
// on the first exposure puts it with one request and draws the framed labels with core requests.
// When the pointer enters the first label it draws that label in its hot colour.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ReferenceWindow.h"

namespace {

constexpr unsigned long Yellow = 0xFFFF00, Lime = 0x00FF00;

std::vector<char> ReadRaw(const char* FileName, std::size_t Bytes) {
  std::vector<char> Pixels(Bytes);
  std::FILE* File = std::fopen(FileName, "rb");
  if (File == nullptr || std::fread(Pixels.data(), 1, Bytes, File) != Bytes) {
    std::fprintf(stderr, "minimal-window: cannot read %s\n", FileName);
    std::exit(1);
  }
  std::fclose(File);
  return Pixels;
}

void DrawLabel(Display* Dpy, Window Win, GC Gc, const XFontStruct* LabelFont, int Index, bool Hot) {
  const TReferenceRect& R = ReferenceLabels[static_cast<std::size_t>(Index)];
  XSetForeground(Dpy, Gc, Hot ? Lime : Yellow);
  XDrawRectangle(Dpy, Win, Gc, R.X, R.Y, static_cast<unsigned>(R.Width - 1),
                 static_cast<unsigned>(R.Height - 1));
  const std::string Caption = "Button " + std::to_string(Index + 1);
  const int Baseline = R.Y + (R.Height + LabelFont->ascent - LabelFont->descent) / 2;
  XDrawString(Dpy, Win, Gc, R.X + 8, Baseline, Caption.data(), static_cast<int>(Caption.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: minimal-window PIXELS.raw WIDTH HEIGHT\n", stderr);
    return 2;
  }
  const int Width = std::atoi(argv[2]), Height = std::atoi(argv[3]);
  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr || Width <= 0 || Height <= 0) return 1;
  const int ScreenNumber = DefaultScreen(Dpy);
  Window Win =
      XCreateSimpleWindow(Dpy, RootWindow(Dpy, ScreenNumber), 0, 0, static_cast<unsigned>(Width),
                          static_cast<unsigned>(Height), 0, 0, 0);
  XSelectInput(Dpy, Win, ExposureMask | PointerMotionMask | LeaveWindowMask);
  XMapWindow(Dpy, Win);

  std::vector<char> Pixels =
      ReadRaw(argv[1], static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 4);
  XImage* Image = XCreateImage(Dpy, DefaultVisual(Dpy, ScreenNumber), 24, ZPixmap, 0, Pixels.data(),
                               static_cast<unsigned>(Width), static_cast<unsigned>(Height), 32, 0);
  GC Gc = XCreateGC(Dpy, Win, 0, nullptr);
  XFontStruct* LabelFont = XLoadQueryFont(Dpy, "fixed");
  if (Image == nullptr || LabelFont == nullptr) return 1;
  XSetFont(Dpy, Gc, LabelFont->fid);
  bool Hot = false;
  for (;;) {
    XEvent Event;
    XNextEvent(Dpy, &Event);
    if (Event.type == Expose && Event.xexpose.count == 0) {
      XPutImage(Dpy, Win, Gc, Image, 0, 0, 0, 0, static_cast<unsigned>(Width),
                static_cast<unsigned>(Height));
      for (int I = 0; I < static_cast<int>(ReferenceLabels.size()); ++I)
        DrawLabel(Dpy, Win, Gc, LabelFont, I, Hot && I == 0);
    } else if (Event.type == MotionNotify || Event.type == LeaveNotify) {
      const bool Inside = Event.type == MotionNotify &&
                          ReferenceLabels[0].Contains(Event.xmotion.x, Event.xmotion.y);
      if (Inside == Hot) continue;
      Hot = Inside;
      DrawLabel(Dpy, Win, Gc, LabelFont, 0, Hot);
    }
    XFlush(Dpy);
  }
}
