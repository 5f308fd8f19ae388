// The connection to an X display, its windows, and the wait for their events.
#include "platform/x11/X11WindowSystem.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/x11/X11Window.h"

namespace {

unsigned XErrors = 0;

int ReportError(Display* Dpy, XErrorEvent* Error) {
  char Text[256] = {};
  XGetErrorText(Dpy, Error->error_code, Text, sizeof Text);
  std::fprintf(stderr, "X error: %s (request %u.%u, resource 0x%lx)\n", Text,
               static_cast<unsigned>(Error->request_code), static_cast<unsigned>(Error->minor_code),
               Error->resourceid);
  ++XErrors;
  return 0;
}

// Xlib cannot go on without its connection; the program ends with the reason and status 1.
// Destructors do not run: those of windows would call Xlib again on the dead connection.
int ReportLostConnection(Display* Dpy) {
  std::fprintf(stderr, "lost the connection to display '%s'\n", DisplayString(Dpy));
  std::fflush(nullptr);
  std::_Exit(1);
}

bool TrueColor24(const Visual* Candidate, int Depth) {
  return Candidate->c_class == TrueColor && Depth == 24;
}

// A 24-bit TrueColor visual where the screen has one (the default visual first), else the
// default visual when it is TrueColor at another depth; false when there is none to draw on.
bool ChooseVisual(Display* Dpy, int Screen, TX11VisualChoice& Choice) {
  Visual* Default = DefaultVisual(Dpy, Screen);
  const int DefaultDepthOfScreen = DefaultDepth(Dpy, Screen);
  if (TrueColor24(Default, DefaultDepthOfScreen)) {
    Choice = {Default, DefaultDepthOfScreen, DefaultColormap(Dpy, Screen)};
    return true;
  }
  XVisualInfo Info{};
  if (XMatchVisualInfo(Dpy, Screen, 24, TrueColor, &Info)) {
    const Colormap Colors = XCreateColormap(Dpy, RootWindow(Dpy, Screen), Info.visual, AllocNone);
    Choice = {Info.visual, Info.depth, Colors};
    return true;
  }
  if (Default->c_class == TrueColor) {
    Choice = {Default, DefaultDepthOfScreen, DefaultColormap(Dpy, Screen)};
    return true;
  }
  return false;
}

// Shared memory needs the server on this machine: a display reached through a local socket.
bool LocalDisplay(const char* Name) {
  const std::string Text = Name ? Name : "";
  return Text.starts_with(":") || Text.starts_with("unix:");
}

}  // namespace

std::unique_ptr<TX11WindowSystem> TX11WindowSystem::Open(std::string& Error) {
  const char* Name = std::getenv("DISPLAY");
  if (!Name || !*Name) {
    Error = "no display: DISPLAY is not set";
    return nullptr;
  }
  Display* Dpy = XOpenDisplay(nullptr);
  if (!Dpy) {
    Error = std::string("cannot open display '") + Name + "'";
    return nullptr;
  }
  TX11VisualChoice Choice;
  if (!ChooseVisual(Dpy, DefaultScreen(Dpy), Choice)) {
    XCloseDisplay(Dpy);
    Error = std::string("display '") + Name + "' has no TrueColor visual";
    return nullptr;
  }
  XSetErrorHandler(ReportError);
  XSetIOErrorHandler(ReportLostConnection);
  return std::make_unique<TX11WindowSystem>(Dpy, Choice);
}

TX11WindowSystem::TX11WindowSystem(Display* Dpy, const TX11VisualChoice& Choice)
    : FDisplay(Dpy),
      FScreen(DefaultScreen(Dpy)),
      FRoot(RootWindow(Dpy, FScreen)),
      FVisual(Choice),
      FOwnColormap(Choice.Colors != DefaultColormap(Dpy, FScreen)),
      FAtoms(Dpy),
      FTranslator(Dpy, FAtoms) {}

TX11WindowSystem::~TX11WindowSystem() {
  if (FOwnColormap) XFreeColormap(FDisplay, FVisual.Colors);
  XCloseDisplay(FDisplay);
}

unsigned TX11WindowSystem::ErrorCount() {
  return XErrors;
}

std::unique_ptr<TNativeWindow> TX11WindowSystem::CreateWindow(const TWindowOptions& Options) {
  return std::make_unique<TX11Window>(*this, Options);
}

bool TX11WindowSystem::SharedImages() {
  if (!FSharedImages)
    FSharedImages = LocalDisplay(DisplayString(FDisplay)) && XShmQueryExtension(FDisplay);
  return *FSharedImages;
}

void TX11WindowSystem::Register(TX11Window* Added) {
  FWindows[Added->Handle()] = Added;
}

void TX11WindowSystem::Unregister(TX11Window* Removed) {
  FWindows.erase(Removed->Handle());
}

bool TX11WindowSystem::SettleFocus() {
  if (!FMappedUnsettled) return false;
  const auto Mapped = FWindows.find(*FMappedUnsettled);
  FMappedUnsettled.reset();
  if (Mapped == FWindows.end() || !Mapped->second->Shown()) return false;
  // A window manager hands the focus to a new window itself; without one the keyboard would
  // follow the pointer, or go nowhere, until the window were clicked.
  ::Window Focus = None;
  int RevertTo = 0;
  XGetInputFocus(FDisplay, &Focus, &RevertTo);
  if (Focus == PointerRoot || Focus == None)
    XSetInputFocus(FDisplay, Mapped->first, RevertToPointerRoot, CurrentTime);
  return true;
}

bool TX11WindowSystem::NextEvent(TWindowEvent& Event, int TimeoutMs) {
  FPointerWorkArea.reset();
  const std::int64_t Deadline = Milliseconds() + TimeoutMs;
  for (;;) {
    // XPending also sends what is still buffered, so the server hears of it before the wait.
    while (XPending(FDisplay) > 0) {
      XEvent Source;
      XNextEvent(FDisplay, &Source);
      if (Source.type == MappingNotify) {
        XRefreshKeyboardMapping(&Source.xmapping);
        continue;
      }
      const auto Found = FWindows.find(Source.xany.window);
      if (Found == FWindows.end()) continue;
      TX11Window* Target = Found->second;
      if (Source.type == DestroyNotify && Source.xdestroywindow.window == Found->first)
        Target->Lost();
      if (Source.type == Expose) Target->Exposed();
      if (Source.type == MapNotify && !Source.xmap.override_redirect)
        FMappedUnsettled = Found->first;
      if (FTranslator.Translate(Source, Target, Event)) return true;
    }
    // Only once the events at hand are handled: the window's first frame, asked for right
    // after its mapping, is not held up by the round trip.
    if (SettleFocus()) continue;
    int Wait = -1;
    if (TimeoutMs >= 0) {
      const std::int64_t Left = Deadline - Milliseconds();
      if (Left <= 0) return false;
      Wait = static_cast<int>(Left);
    }
    pollfd Connection{ConnectionNumber(FDisplay), POLLIN, 0};
    if (poll(&Connection, 1, Wait) < 0 && errno != EINTR) return false;
  }
}

void TX11WindowSystem::ScreenSize(int& Width, int& Height) const {
  Width = DisplayWidth(FDisplay, FScreen);
  Height = DisplayHeight(FDisplay, FScreen);
}

void TX11WindowSystem::CursorPos(int& X, int& Y) const {
  ::Window RootReturn = 0, Child = 0;
  int WindowX = 0, WindowY = 0;
  unsigned Buttons = 0;
  X = Y = 0;
  XQueryPointer(FDisplay, FRoot, &RootReturn, &Child, &X, &Y, &WindowX, &WindowY, &Buttons);
}

std::int64_t TX11WindowSystem::Milliseconds() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
