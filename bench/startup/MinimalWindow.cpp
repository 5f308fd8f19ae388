// The reference of the start-up benchmark: the least an Xlib program does to show a picture of
// a given size. It maps a window, puts the whole image on the first exposure, and puts the
// button rectangle inverted when the pointer enters it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ReferenceWindow.h"

namespace {

void Fill(std::vector<std::uint32_t>& Pixels, int Width, int Height, bool Hot) {
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      Pixels[static_cast<std::size_t>(Y) * Width + X] = ReferencePixel(X, Y, Hot);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: minimal-window WIDTH HEIGHT\n", stderr);
    return 2;
  }
  const int Width = std::atoi(argv[1]), Height = std::atoi(argv[2]);
  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr || Width <= 0 || Height <= 0) return 1;
  const int ScreenNumber = DefaultScreen(Dpy);
  Window Win =
      XCreateSimpleWindow(Dpy, RootWindow(Dpy, ScreenNumber), 0, 0, Width, Height, 0, 0, 0);
  XSelectInput(Dpy, Win, ExposureMask | PointerMotionMask | LeaveWindowMask);
  XMapWindow(Dpy, Win);

  std::vector<std::uint32_t> Pixels(static_cast<std::size_t>(Width) * Height);
  XImage* Image = XCreateImage(Dpy, DefaultVisual(Dpy, ScreenNumber), 24, ZPixmap, 0,
                               reinterpret_cast<char*>(Pixels.data()), Width, Height, 32, 0);
  GC Gc = DefaultGC(Dpy, ScreenNumber);
  bool Hot = false;
  for (;;) {
    XEvent Event;
    XNextEvent(Dpy, &Event);
    if (Event.type == Expose && Event.xexpose.count == 0) {
      Fill(Pixels, Width, Height, Hot);
      XPutImage(Dpy, Win, Gc, Image, 0, 0, 0, 0, Width, Height);
    } else if (Event.type == MotionNotify || Event.type == LeaveNotify) {
      const bool Inside =
          Event.type == MotionNotify && ReferenceButton.Contains(Event.xmotion.x, Event.xmotion.y);
      if (Inside == Hot) continue;
      Hot = Inside;
      Fill(Pixels, Width, Height, Hot);
      const TReferenceRect& R = ReferenceButton;
      XPutImage(Dpy, Win, Gc, Image, R.X, R.Y, R.X, R.Y, R.Width, R.Height);
    }
    XFlush(Dpy);
  }
}
