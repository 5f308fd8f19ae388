// Turns the display's events into the window system's.
#include "platform/x11/X11EventTranslator.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

#include "platform/x11/X11KeySym.h"

namespace {

using TKind = TWindowEvent::TKind;

constexpr unsigned PointerButtonMasks = Button1Mask | Button2Mask | Button3Mask;

unsigned ModifiersOf(unsigned State) {
  unsigned Modifiers = 0;
  if (State & ShiftMask) Modifiers |= emShift;
  if (State & ControlMask) Modifiers |= emCtrl;
  if (State & Mod1Mask) Modifiers |= emAlt;
  if (State & Button1Mask) Modifiers |= emLeftButton;
  if (State & Button2Mask) Modifiers |= emMiddleButton;
  if (State & Button3Mask) Modifiers |= emRightButton;
  return Modifiers;
}

// The framework's button for an X button number; false for the wheel and extra buttons.
bool PointerButtonOf(unsigned Number, TPointerButton& Button, unsigned& Modifier) {
  switch (Number) {
    case Button1:
      Button = TPointerButton::pbLeft;
      Modifier = emLeftButton;
      return true;
    case Button2:
      Button = TPointerButton::pbMiddle;
      Modifier = emMiddleButton;
      return true;
    case Button3:
      Button = TPointerButton::pbRight;
      Modifier = emRightButton;
      return true;
    default:
      return false;
  }
}

// The virtual key of a keysym that types no character of its own, or 0.
unsigned VirtualKeyOf(KeySym Sym) {
  switch (Sym) {
    case XK_Return:
    case XK_KP_Enter:
      return vkReturn;
    case XK_Escape:
      return vkEscape;
    case XK_Tab:
    case XK_KP_Tab:
    case XK_ISO_Left_Tab:
      return vkTab;
    case XK_space:
    case XK_KP_Space:
      return vkSpace;
    case XK_Home:
    case XK_KP_Home:
      return vkHome;
    case XK_End:
    case XK_KP_End:
      return vkEnd;
    case XK_Left:
    case XK_KP_Left:
      return vkLeft;
    case XK_Right:
    case XK_KP_Right:
      return vkRight;
    case XK_Up:
    case XK_KP_Up:
      return vkUp;
    case XK_Down:
    case XK_KP_Down:
      return vkDown;
    default:
      return 0;
  }
}

}  // namespace

TX11EventTranslator::TX11EventTranslator(Display* Dpy, const TX11Atoms& Atoms)
    : FDisplay(Dpy), FAtoms(Atoms) {}

bool TX11EventTranslator::Translate(XEvent& Source, TNativeWindow* Target, TWindowEvent& Event) {
  Event = TWindowEvent();
  Event.Window = Target;
  switch (Source.type) {
    case Expose:
      return TranslateExpose(Source.xexpose, Event);
    case ButtonPress:
      return TranslatePress(Source.xbutton, Event);
    case ButtonRelease:
      return TranslateRelease(Source.xbutton, Event);
    case MotionNotify:
      return TranslateMotion(Source, Event);
    case EnterNotify:
      // Entering moves the pointer onto the window, which may bring no motion of its own
      // (a window mapped under a resting pointer).
      if (Source.xcrossing.mode != NotifyNormal) return false;
      Event.Kind = TKind::wkPointerMove;
      Event.X = Source.xcrossing.x;
      Event.Y = Source.xcrossing.y;
      Event.Modifiers = ModifiersOf(Source.xcrossing.state);
      return true;
    case LeaveNotify:
      // While a button is held the window keeps the pointer (an implicit grab) and goes on
      // hearing of it, so leaving is not news yet; it is when the grab ends outside.
      if (Source.xcrossing.mode == NotifyUngrab ||
          (Source.xcrossing.mode == NotifyNormal &&
           !(Source.xcrossing.state & PointerButtonMasks))) {
        Event.Kind = TKind::wkPointerLeave;
        return true;
      }
      return false;
    case KeyPress:
      return TranslateKey(Source.xkey, Event);
    case ClientMessage:
      return TranslateClientMessage(Source.xclient, Event);
    case DestroyNotify:
      // Destroyed by another client: the program ends as when the window is closed.
      Event.Kind = TKind::wkClose;
      return Source.xdestroywindow.window == Source.xdestroywindow.event;
    default:
      return false;
  }
}

bool TX11EventTranslator::TranslateExpose(XExposeEvent& Source, TWindowEvent& Event) {
  int Left = Source.x, Top = Source.y;
  int Right = Source.x + Source.width, Bottom = Source.y + Source.height;
  XEvent Next;
  while (XCheckTypedWindowEvent(FDisplay, Source.window, Expose, &Next)) {
    Left = std::min(Left, Next.xexpose.x);
    Top = std::min(Top, Next.xexpose.y);
    Right = std::max(Right, Next.xexpose.x + Next.xexpose.width);
    Bottom = std::max(Bottom, Next.xexpose.y + Next.xexpose.height);
  }
  Event.Kind = TKind::wkExpose;
  Event.X = Left;
  Event.Y = Top;
  Event.Width = Right - Left;
  Event.Height = Bottom - Top;
  return true;
}

bool TX11EventTranslator::IsDoubleClick(const XButtonEvent& Source) const {
  if (!FLastPress || FLastPress->Window != Source.window || FLastPress->Button != Source.button)
    return false;
  // Server times are 32-bit milliseconds that wrap around.
  const Time Elapsed = (Source.time - FLastPress->When) & 0xFFFFFFFFul;
  return Elapsed <= DoubleClickTime && std::abs(Source.x - FLastPress->X) <= DoubleClickDistance &&
         std::abs(Source.y - FLastPress->Y) <= DoubleClickDistance;
}

bool TX11EventTranslator::TranslatePress(const XButtonEvent& Source, TWindowEvent& Event) {
  unsigned Modifier = 0;
  if (!PointerButtonOf(Source.button, Event.Button, Modifier)) return false;
  Event.Kind = TKind::wkButtonDown;
  Event.X = Source.x;
  Event.Y = Source.y;
  // The state is that before the press; the framework expects the pressed button held.
  Event.Modifiers = ModifiersOf(Source.state) | Modifier;
  Event.DoubleClick = IsDoubleClick(Source);
  // A double click ends the pair: the next press starts a new one.
  if (Event.DoubleClick)
    FLastPress.reset();
  else
    FLastPress = TPress{Source.window, Source.button, Source.time, Source.x, Source.y};
  return true;
}

bool TX11EventTranslator::TranslateRelease(const XButtonEvent& Source, TWindowEvent& Event) {
  unsigned Modifier = 0;
  if (!PointerButtonOf(Source.button, Event.Button, Modifier)) return false;
  Event.Kind = TKind::wkButtonUp;
  Event.X = Source.x;
  Event.Y = Source.y;
  Event.Modifiers = ModifiersOf(Source.state) & ~Modifier;
  return true;
}

bool TX11EventTranslator::TranslateMotion(XEvent& Source, TWindowEvent& Event) {
  // Only the latest of the motions already read matters to the program.
  XEvent Next;
  while (XEventsQueued(FDisplay, QueuedAlready) > 0) {
    XPeekEvent(FDisplay, &Next);
    if (Next.type != MotionNotify || Next.xmotion.window != Source.xmotion.window) break;
    XNextEvent(FDisplay, &Source);
  }
  Event.Kind = TKind::wkPointerMove;
  Event.X = Source.xmotion.x;
  Event.Y = Source.xmotion.y;
  Event.Modifiers = ModifiersOf(Source.xmotion.state);
  return true;
}

bool TX11EventTranslator::TranslateKey(XKeyEvent& Source, TWindowEvent& Event) {
  char Text[16];
  KeySym Sym = NoSymbol;
  const int Length = XLookupString(&Source, Text, sizeof Text, &Sym, nullptr);
  Event.Kind = TKind::wkKeyDown;
  Event.Modifiers = ModifiersOf(Source.state);
  Event.Key = VirtualKeyOf(Sym);
  if (Event.Key == vkSpace) Event.Character = U' ';
  if (Event.Key != 0) return true;
  char32_t Code = KeySymToUnicode(Sym);
  // Keypad digits type characters that their keysyms do not stand for.
  if (Code == 0 && Length == 1) Code = KeySymToUnicode(static_cast<unsigned char>(Text[0]));
  if (Code == 0) return false;
  // Accelerators match letters without regard to case, and Shift may be held with Alt.
  if ((Source.state & Mod1Mask) && Code >= U'A' && Code <= U'Z') Code += U'a' - U'A';
  Event.Character = Code;
  return true;
}

bool TX11EventTranslator::TranslateClientMessage(const XClientMessageEvent& Source,
                                                 TWindowEvent& Event) {
  if (Source.message_type != FAtoms.WmProtocols || Source.format != 32 ||
      static_cast<Atom>(Source.data.l[0]) != FAtoms.WmDeleteWindow)
    return false;
  Event.Kind = TKind::wkClose;
  return true;
}
