// A top-level X window of fixed client size that shows the framework's back buffer.
#include "platform/x11/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

#include "platform/x11/X11Text.h"
#include "platform/x11/X11WindowSystem.h"

namespace {

// The protocol's sizes are 16-bit; larger requests would wrap around.
constexpr int MaxWindowSide = 32767;
// Icons past this side are skipped: no window manager shows them, and a few of them would make
// the property larger than one request can carry.
constexpr int MaxIconSide = 256;
// The words of a ChangeProperty request besides its data.
constexpr std::size_t PropertyRequestWords = 6;

// The fields and bits of _MOTIF_WM_HINTS that the window sets.
enum : long { mwmHintsFunctions = 1, mwmHintsDecorations = 2 };
enum : long { mwmFuncMove = 4, mwmFuncMinimize = 8, mwmFuncClose = 32 };
enum : long { mwmDecorBorder = 2, mwmDecorTitle = 8, mwmDecorMenu = 16, mwmDecorMinimize = 32 };

int ClampSide(int Value) {
  return std::clamp(Value, 1, MaxWindowSide);
}

// Format-32 property data is an array of longs on the client side, whatever their width.
void SetLongs(Display* Dpy, ::Window Handle, Atom Property, Atom Type, const long* Values,
              int Count) {
  XChangeProperty(Dpy, Handle, Property, Type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(Values), Count);
}

void SetBytes(Display* Dpy, ::Window Handle, Atom Property, Atom Type, const std::string& Bytes) {
  XChangeProperty(Dpy, Handle, Property, Type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(Bytes.data()),
                  static_cast<int>(Bytes.size()));
}

}  // namespace

TX11Window::TX11Window(TX11WindowSystem& System, const TWindowOptions& Options)
    : FSystem(System),
      FDisplay(System.Dpy()),
      FWidth(ClampSide(Options.ClientWidth)),
      FHeight(ClampSide(Options.ClientHeight)) {
  const TX11VisualChoice& Choice = System.VisualChoice();
  XSetWindowAttributes Attributes{};
  // No background: every exposed rectangle is presented from the back buffer, and clearing
  // it first would only flicker.
  Attributes.background_pixmap = None;
  Attributes.border_pixel = 0;
  Attributes.colormap = Choice.Colors;
  Attributes.bit_gravity = NorthWestGravity;
  Attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                          EnterWindowMask | LeaveWindowMask | KeyPressMask | StructureNotifyMask;
  // A tip is placed and stacked by the program alone: window managers leave such windows be.
  Attributes.override_redirect = Options.Popup ? True : False;
  FHandle = XCreateWindow(
      FDisplay, System.Root(), 0, 0, static_cast<unsigned>(FWidth), static_cast<unsigned>(FHeight),
      0, Choice.Depth, InputOutput, Choice.ChosenVisual,
      CWBackPixmap | CWBorderPixel | CWColormap | CWBitGravity | CWEventMask | CWOverrideRedirect,
      &Attributes);
  FGc = XCreateGC(FDisplay, FHandle, 0, nullptr);

  XWMHints* Hints = XAllocWMHints();
  if (Hints) {
    Hints->flags = InputHint | StateHint;
    Hints->input = True;
    Hints->initial_state = NormalState;
    XSetWMHints(FDisplay, FHandle, Hints);
    XFree(Hints);
  }
  Atom DeleteWindow = System.Atoms().WmDeleteWindow;
  XSetWMProtocols(FDisplay, FHandle, &DeleteWindow, 1);
  // A process id names a process only together with the machine it runs on.
  const long Pid = getpid();
  SetLongs(FDisplay, FHandle, System.Atoms().NetWmPid, XA_CARDINAL, &Pid, 1);
  char Host[256] = {};
  if (gethostname(Host, sizeof Host - 1) == 0)
    SetBytes(FDisplay, FHandle, XA_WM_CLIENT_MACHINE, XA_STRING, Host);

  SetClass(Options.ClassName);
  SetCaption(Options.Caption);
  SetIconName(Options.IconName);
  SetFunctions(Options.Dialog);
  SetKind(Options);
  SetSizeHints();
  CreateImage();
  System.Register(this);
}

TX11Window::~TX11Window() {
  FSystem.Unregister(this);
  FImage.reset();
  XFreeGC(FDisplay, FGc);
  if (!FLost) XDestroyWindow(FDisplay, FHandle);
  XFlush(FDisplay);
}

void TX11Window::SetSizeHints() {
  XSizeHints* Hints = XAllocSizeHints();
  if (!Hints) return;
  // Static gravity asks window managers to put the client area, not the frame, at the position.
  Hints->flags = PMinSize | PMaxSize | PWinGravity;
  Hints->min_width = Hints->max_width = FWidth;
  Hints->min_height = Hints->max_height = FHeight;
  Hints->win_gravity = StaticGravity;
  if (FPositioned) {
    Hints->flags |= PPosition | USPosition;
    Hints->x = FX;
    Hints->y = FY;
  }
  XSetWMNormalHints(FDisplay, FHandle, Hints);
  XFree(Hints);
}

void TX11Window::SetFunctions(bool Dialog) {
  long Functions = mwmFuncMove | mwmFuncClose;
  long Decorations = mwmDecorBorder | mwmDecorTitle | mwmDecorMenu;
  if (!Dialog) {
    Functions |= mwmFuncMinimize;
    Decorations |= mwmDecorMinimize;
  }
  const long Hints[5] = {mwmHintsFunctions | mwmHintsDecorations, Functions, Decorations, 0, 0};
  const Atom Property = FSystem.Atoms().MotifWmHints;
  SetLongs(FDisplay, FHandle, Property, Property, Hints, 5);
}

void TX11Window::SetKind(const TWindowOptions& Options) {
  const TX11Atoms& Atoms = FSystem.Atoms();
  if (const auto* Owner = dynamic_cast<const TX11Window*>(Options.Owner))
    XSetTransientForHint(FDisplay, FHandle, Owner->Handle());
  const bool Dialog = Options.Owner || Options.Dialog;
  const long Kind =
      static_cast<long>(Dialog ? Atoms.NetWmWindowTypeDialog : Atoms.NetWmWindowTypeNormal);
  SetLongs(FDisplay, FHandle, Atoms.NetWmWindowType, XA_ATOM, &Kind, 1);
}

void TX11Window::SetClass(const std::string& ClassName) {
  std::string Name = ClassName;
  std::transform(Name.begin(), Name.end(), Name.begin(), [](char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
  });
  std::string Class = ClassName;
  XClassHint Hint;
  Hint.res_name = Name.data();
  Hint.res_class = Class.data();
  XSetClassHint(FDisplay, FHandle, &Hint);
}

void TX11Window::SetName(Atom Utf8Property, Atom LatinProperty, const std::string& Utf8) {
  const TX11Name Name = X11NameOf(Utf8);
  SetBytes(FDisplay, FHandle, Utf8Property, FSystem.Atoms().Utf8String, Name.Utf8);
  XTextProperty Compound{};
  char* List[] = {const_cast<char*>(Name.Legible.c_str())};
  if (!Name.Latin1Enough &&
      Xutf8TextListToTextProperty(FDisplay, List, 1, XCompoundTextStyle, &Compound) >= 0) {
    XSetTextProperty(FDisplay, FHandle, &Compound, LatinProperty);
    XFree(Compound.value);
  } else {
    SetBytes(FDisplay, FHandle, LatinProperty, XA_STRING, Name.Latin1);
  }
  XFlush(FDisplay);
}

void TX11Window::SetCaption(const std::string& Utf8) {
  SetName(FSystem.Atoms().NetWmName, XA_WM_NAME, Utf8);
}

void TX11Window::SetIconName(const std::string& Utf8) {
  SetName(FSystem.Atoms().NetWmIconName, XA_WM_ICON_NAME, Utf8);
}

void TX11Window::SetIcons(const std::vector<TIconPixels>& Icons) {
  // The server refuses a request longer than it allows (BadLength); icons that would pass that
  // are left out.
  long MaxRequest = XExtendedMaxRequestSize(FDisplay);
  if (MaxRequest == 0) MaxRequest = XMaxRequestSize(FDisplay);
  const std::size_t MaxWords = static_cast<std::size_t>(MaxRequest) - PropertyRequestWords;
  std::vector<long> Data;
  for (const TIconPixels& Icon : Icons) {
    const auto Count = static_cast<std::size_t>(Icon.Width) * Icon.Height;
    if (Icon.Width <= 0 || Icon.Height <= 0 || Icon.Width > MaxIconSide ||
        Icon.Height > MaxIconSide || Icon.Pixels.size() < Count ||
        Data.size() + 2 + Count > MaxWords)
      continue;
    Data.push_back(Icon.Width);
    Data.push_back(Icon.Height);
    Data.insert(Data.end(), Icon.Pixels.begin(), Icon.Pixels.begin() + Count);
  }
  const Atom Property = FSystem.Atoms().NetWmIcon;
  if (Data.empty())
    XDeleteProperty(FDisplay, FHandle, Property);
  else
    SetLongs(FDisplay, FHandle, Property, XA_CARDINAL, Data.data(), static_cast<int>(Data.size()));
  XFlush(FDisplay);
}

void TX11Window::SetClientSize(int Width, int Height) {
  Width = ClampSide(Width);
  Height = ClampSide(Height);
  if (Width == FWidth && Height == FHeight) return;
  FWidth = Width;
  FHeight = Height;
  // The hints go first: window managers refuse sizes outside the old ones.
  SetSizeHints();
  XResizeWindow(FDisplay, FHandle, static_cast<unsigned>(FWidth), static_cast<unsigned>(FHeight));
  FImage.reset();
  CreateImage();
  XFlush(FDisplay);
}

void TX11Window::CreateImage() {
  const TX11VisualChoice& Choice = FSystem.VisualChoice();
  FImage = std::make_unique<TX11Image>(FDisplay, Choice.ChosenVisual, Choice.Depth, FWidth, FHeight,
                                       [this] { return FSystem.SharedImages(); });
  if (FImage->SharedRefused()) FSystem.SharedImagesFailed();
}

void TX11Window::Show(int X, int Y) {
  if (FMapped) {
    XRaiseWindow(FDisplay, FHandle);
    XFlush(FDisplay);
    return;
  }
  FPositioned = true;
  FX = X;
  FY = Y;
  SetSizeHints();
  XMoveWindow(FDisplay, FHandle, X, Y);
  XMapRaised(FDisplay, FHandle);
  XFlush(FDisplay);
  FMapped = true;
}

void TX11Window::Hide() {
  if (!FMapped) return;
  // Withdrawing also tells a window manager that has reparented the window.
  XWithdrawWindow(FDisplay, FHandle, FSystem.Screen());
  XFlush(FDisplay);
  FMapped = false;
  FExposed = false;
}

void TX11Window::Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
                         int Height) {
  // A window that is not yet viewable keeps nothing that is put into it (a window manager may
  // not have mapped it yet); its first exposure asks for the whole client area, which is
  // presented then.
  if (FLost || !FMapped || !FExposed || !FImage->Valid()) return;
  const int Left = std::max(X, 0), Top = std::max(Y, 0);
  const int Right = std::min(X + Width, FWidth), Bottom = std::min(Y + Height, FHeight);
  if (Left >= Right || Top >= Bottom) return;
  FImage->Put(FHandle, FGc, Pixels, Stride, Left, Top, Right - Left, Bottom - Top);
}

void TX11Window::ClientOrigin(int& X, int& Y) const {
  ::Window Child = 0;
  X = Y = 0;
  XTranslateCoordinates(FDisplay, FHandle, FSystem.Root(), 0, 0, &X, &Y, &Child);
}

void TX11Window::CursorPos(int& X, int& Y) const {
  FSystem.CursorPos(X, Y);
}
