// The connection to the display: top-level windows and the events they receive. The framework's
// application object runs its message loop on this interface; X11, Win32 and a headless
// implementation for tests provide it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Window.h"

enum class TPointerButton : std::uint8_t { pbLeft, pbRight, pbMiddle };

// Modifier keys and held pointer buttons at the time of an event.
enum TEventModifier : unsigned {
  emShift = 1u << 0,
  emCtrl = 1u << 1,
  emAlt = 1u << 2,
  emLeftButton = 1u << 3,
  emRightButton = 1u << 4,
  emMiddleButton = 1u << 5,
};

// Keys that are no characters, with the classic virtual-key numbers.
enum TVirtualKey : unsigned {
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
};

class TNativeWindow;

struct TWindowEvent {
  enum class TKind : std::uint8_t {
    wkExpose,        // X, Y, Width, Height: client area to present again
    wkButtonDown,    // Button, X, Y, Modifiers, DoubleClick
    wkButtonUp,      // Button, X, Y, Modifiers (without the released button)
    wkPointerMove,   // X, Y, Modifiers
    wkPointerLeave,  // the pointer left the client area
    wkKeyDown,  // Key (a virtual key, or 0), Character (what the key types, lower case), Modifiers
    wkClose,    // the user asked to close the window
  };
  TKind Kind = TKind::wkExpose;
  TNativeWindow* Window = nullptr;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  TPointerButton Button = TPointerButton::pbLeft;
  unsigned Modifiers = 0;
  bool DoubleClick = false;
  unsigned Key = 0;
  char32_t Character = 0;
};

// An icon image: Width x Height pixels of 0xAARRGGBB, straight alpha.
struct TIconPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

struct TWindowOptions {
  int ClientWidth = 0;
  int ClientHeight = 0;
  std::string Caption;    // UTF-8
  std::string IconName;   // UTF-8: the application's title
  std::string ClassName;  // the program's class, for window managers
  // A dialog belongs to this window: it stays above it and has no task-bar entry of its own.
  TNativeWindow* Owner = nullptr;
  // Only a close box: no minimise box (dialogs).
  bool Dialog = false;
  // A tip: no frame, no task-bar entry, above other windows, and it never takes the keyboard.
  bool Popup = false;
};

// The pixels the window manager's frame adds on each side of a window's client area.
struct TFrameExtents {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend constexpr bool operator==(const TFrameExtents&, const TFrameExtents&) = default;
};

// A top-level window of fixed client size, with a system menu and a minimise box but no
// maximise box, closed through its close box.
class TNativeWindow : public TPlatformWindow {
 public:
  virtual void SetCaption(const std::string& Utf8) = 0;
  virtual void SetIconName(const std::string& Utf8) = 0;
  virtual void SetIcons(const std::vector<TIconPixels>& Icons) = 0;
  // The client size, which the user cannot change.
  virtual void SetClientSize(int Width, int Height) = 0;
  // Shows the window with its client area's top-left at a screen position.
  virtual void Show(int X, int Y) = 0;
  virtual void Hide() = 0;
};

class TWindowSystem {
 public:
  virtual ~TWindowSystem() = default;
  virtual std::unique_ptr<TNativeWindow> CreateWindow(const TWindowOptions& Options) = 0;
  // The next event, waiting at most TimeoutMs milliseconds (forever when negative); false when
  // none came in time.
  virtual bool NextEvent(TWindowEvent& Event, int TimeoutMs) = 0;
  virtual void ScreenSize(int& Width, int& Height) const = 0;
  // The part of the screen a new window goes in: the monitor holding the pointer, less the
  // desktop's panels (platform/MonitorChoice.h).
  virtual TRect PointerWorkArea() const = 0;
  // The frame a top-level window of this kind gets; zero on each side when the window manager
  // does not say.
  virtual TFrameExtents FrameExtents(bool Dialog) = 0;
  // The scale for pictures and text (platform/DisplayScale.h): the user's OSTREL_SCALE when
  // valid, else the desktop's, 1 at 96 dots per inch.
  virtual double DesktopScale() const = 0;
  virtual void CursorPos(int& X, int& Y) const = 0;
  // Milliseconds of a steady clock, for timing ticks.
  virtual std::int64_t Milliseconds() const = 0;
};
