// Turns a window's mouse and keyboard messages into the window system's events.
#pragma once

#include "platform/WindowSystem.h"

#include <windows.h>

// The system's macro of this name would rename the window system's method.
#undef CreateWindow

#include <functional>

// Keeps what input needs between messages: whether the pointer's leaving is being watched,
// and the first half of a character typed as a surrogate pair.
class TWin32Input {
 public:
  using TPost = std::function<void(const TWindowEvent&)>;

  TWin32Input(HWND Window, TNativeWindow* Target, TPost Post);

  // Handles a mouse or key message; false for messages it leaves to the system.
  bool Handle(UINT Message, WPARAM WParam, LPARAM LParam);

 private:
  void PointerButton(UINT Message, WPARAM WParam, LPARAM LParam);
  void PointerMove(WPARAM WParam, LPARAM LParam);
  void PointerLeave();
  bool Key(WPARAM WParam, bool System);
  bool Character(WPARAM WParam, bool System);
  TWindowEvent NewEvent(TWindowEvent::TKind Kind) const;

  HWND FWindow;
  TNativeWindow* FTarget;
  TPost FPost;
  bool FTrackingLeave = false;
  wchar_t FHighSurrogate = 0;
};
