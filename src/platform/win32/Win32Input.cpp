// Turns a window's mouse and keyboard messages into the window system's events.
#include "platform/win32/Win32Input.h"

#include <windowsx.h>

#include <utility>

namespace {

using TKind = TWindowEvent::TKind;

bool Held(int VirtualKey) {
  return GetKeyState(VirtualKey) < 0;
}

// Mouse messages carry the buttons and Shift and Ctrl; Alt is asked of the keyboard.
unsigned ModifiersOfMouse(WPARAM WParam) {
  unsigned Modifiers = 0;
  if (WParam & MK_SHIFT) Modifiers |= emShift;
  if (WParam & MK_CONTROL) Modifiers |= emCtrl;
  if (Held(VK_MENU)) Modifiers |= emAlt;
  if (WParam & MK_LBUTTON) Modifiers |= emLeftButton;
  if (WParam & MK_RBUTTON) Modifiers |= emRightButton;
  if (WParam & MK_MBUTTON) Modifiers |= emMiddleButton;
  return Modifiers;
}

unsigned ModifiersOfKeyboard() {
  unsigned Modifiers = 0;
  if (Held(VK_SHIFT)) Modifiers |= emShift;
  if (Held(VK_CONTROL)) Modifiers |= emCtrl;
  if (Held(VK_MENU)) Modifiers |= emAlt;
  if (Held(VK_LBUTTON)) Modifiers |= emLeftButton;
  if (Held(VK_RBUTTON)) Modifiers |= emRightButton;
  if (Held(VK_MBUTTON)) Modifiers |= emMiddleButton;
  return Modifiers;
}

constexpr WPARAM AnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

TPointerButton ButtonOf(UINT Message) {
  switch (Message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      return TPointerButton::pbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      return TPointerButton::pbMiddle;
    default:
      return TPointerButton::pbLeft;
  }
}

// The virtual key of a key that types no character of its own, or 0.
unsigned VirtualKeyOf(WPARAM Key) {
  switch (Key) {
    case VK_RETURN:
      return vkReturn;
    case VK_ESCAPE:
      return vkEscape;
    case VK_TAB:
      return vkTab;
    case VK_SPACE:
      return vkSpace;
    case VK_HOME:
      return vkHome;
    case VK_END:
      return vkEnd;
    case VK_LEFT:
      return vkLeft;
    case VK_RIGHT:
      return vkRight;
    case VK_UP:
      return vkUp;
    case VK_DOWN:
      return vkDown;
    default:
      return 0;
  }
}

}  // namespace

TWin32Input::TWin32Input(HWND Window, TNativeWindow* Target, TPost Post)
    : FWindow(Window), FTarget(Target), FPost(std::move(Post)) {}

TWindowEvent TWin32Input::NewEvent(TKind Kind) const {
  TWindowEvent Event;
  Event.Kind = Kind;
  Event.Window = FTarget;
  return Event;
}

bool TWin32Input::Handle(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      PointerButton(Message, WParam, LParam);
      return true;
    case WM_MOUSEMOVE:
      PointerMove(WParam, LParam);
      return true;
    case WM_MOUSELEAVE:
      PointerLeave();
      return true;
    case WM_KEYDOWN:
      return Key(WParam, false);
    case WM_SYSKEYDOWN:
      // Alt with a key: reported, and still left to the system for Alt+F4 and the menu.
      Key(WParam, true);
      return false;
    case WM_CHAR:
      return Character(WParam, false);
    case WM_SYSCHAR:
      return Character(WParam, true);
    default:
      return false;
  }
}

void TWin32Input::PointerButton(UINT Message, WPARAM WParam, LPARAM LParam) {
  const bool Down = Message != WM_LBUTTONUP && Message != WM_RBUTTONUP && Message != WM_MBUTTONUP;
  TWindowEvent Event = NewEvent(Down ? TKind::wkButtonDown : TKind::wkButtonUp);
  Event.Button = ButtonOf(Message);
  Event.X = GET_X_LPARAM(LParam);
  Event.Y = GET_Y_LPARAM(LParam);
  // Down messages count the pressed button as held, up messages no longer count the released
  // one: just what the events say.
  Event.Modifiers = ModifiersOfMouse(WParam);
  Event.DoubleClick =
      Message == WM_LBUTTONDBLCLK || Message == WM_RBUTTONDBLCLK || Message == WM_MBUTTONDBLCLK;
  // While a button is held the window keeps the pointer, as a control pressed and dragged
  // off expects to hear where the pointer goes and where the button comes up.
  if (Down) SetCapture(FWindow);
  FPost(Event);
  if (Down || (WParam & AnyButton) != 0) return;
  ReleaseCapture();
  POINT Pointer{};
  RECT Client{};
  GetCursorPos(&Pointer);
  ScreenToClient(FWindow, &Pointer);
  GetClientRect(FWindow, &Client);
  // Leaving while the button was held was kept back; with the button up it is news.
  if (!PtInRect(&Client, Pointer)) {
    FTrackingLeave = false;
    FPost(NewEvent(TKind::wkPointerLeave));
  }
}

void TWin32Input::PointerMove(WPARAM WParam, LPARAM LParam) {
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT Track{};
    Track.cbSize = sizeof Track;
    Track.dwFlags = TME_LEAVE;
    Track.hwndTrack = FWindow;
    FTrackingLeave = TrackMouseEvent(&Track) != 0;
  }
  TWindowEvent Event = NewEvent(TKind::wkPointerMove);
  Event.X = GET_X_LPARAM(LParam);
  Event.Y = GET_Y_LPARAM(LParam);
  Event.Modifiers = ModifiersOfMouse(WParam);
  FPost(Event);
}

void TWin32Input::PointerLeave() {
  FTrackingLeave = false;
  // While a button is held the window has the pointer captured and still hears of it.
  if (GetCapture() == FWindow) return;
  FPost(NewEvent(TKind::wkPointerLeave));
}

bool TWin32Input::Key(WPARAM WParam, bool System) {
  TWindowEvent Event = NewEvent(TKind::wkKeyDown);
  Event.Key = VirtualKeyOf(WParam);
  if (Event.Key == 0) return false;
  Event.Modifiers = ModifiersOfKeyboard();
  if (System) Event.Modifiers |= emAlt;
  if (Event.Key == vkSpace) Event.Character = U' ';
  FPost(Event);
  return true;
}

bool TWin32Input::Character(WPARAM WParam, bool System) {
  const auto Unit = static_cast<wchar_t>(WParam);
  if (Unit >= 0xD800 && Unit <= 0xDBFF) {
    FHighSurrogate = Unit;
    return true;
  }
  char32_t Code = static_cast<char16_t>(Unit);
  if (Unit >= 0xDC00 && Unit <= 0xDFFF) {
    if (FHighSurrogate == 0) return true;
    Code = 0x10000 + ((static_cast<char32_t>(FHighSurrogate) - 0xD800) << 10) + (Code - 0xDC00);
  }
  FHighSurrogate = 0;
  // Control characters and the blank came as keys already; Alt+Space opens the system menu.
  if (Code <= U' ' || Code == 0x7F) return false;
  TWindowEvent Event = NewEvent(TKind::wkKeyDown);
  Event.Modifiers = ModifiersOfKeyboard();
  if (System) {
    Event.Modifiers |= emAlt;
    // Accelerators match letters without regard to case, and Shift may be held with Alt.
    if (Code >= U'A' && Code <= U'Z') Code += U'a' - U'A';
  }
  Event.Character = Code;
  FPost(Event);
  return true;
}
