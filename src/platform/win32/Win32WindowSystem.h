// The Windows desktop as the window system: one window class, the thread's message queue, and
// the events its window procedure collects.
#pragma once

#include "platform/WindowSystem.h"

#include <windows.h>

// The system's header names its window-creating function by a macro that would rename the
// window system's method of that name.
#undef CreateWindow

#include <deque>
#include <memory>

#include "platform/win32/Win32TaskButton.h"

class TWin32WindowSystem : public TWindowSystem {
 public:
  // The desktop of the process, its window class registered; nullptr with a message in Error
  // when the class cannot be registered.
  static std::unique_ptr<TWin32WindowSystem> Open(std::string& Error);
  // Registers the window class of the program's windows.
  explicit TWin32WindowSystem(HINSTANCE Instance);
  ~TWin32WindowSystem() override;
  TWin32WindowSystem(const TWin32WindowSystem&) = delete;
  TWin32WindowSystem& operator=(const TWin32WindowSystem&) = delete;

  std::unique_ptr<TNativeWindow> CreateWindow(const TWindowOptions& Options) override;
  // Dispatches the thread's messages until a window procedure has collected an event.
  bool NextEvent(TWindowEvent& Event, int TimeoutMs) override;
  void ScreenSize(int& Width, int& Height) const override;
  void CursorPos(int& X, int& Y) const override;
  // The work area of the monitor holding the pointer.
  TRect PointerWorkArea() const override;
  // The frame AdjustWindowRectEx gives the window's styles.
  TFrameExtents FrameExtents(bool Dialog) override;
  // The effective DPI of the pointer's monitor where the system tells it per monitor (Windows
  // 8.1 on), else the system's DPI; OSTREL_SCALE overrides either.
  double DesktopScale() const override;
  std::int64_t Milliseconds() const override;

  HINSTANCE Instance() const { return FInstance; }
  static const wchar_t* ClassName();
  // The task-bar entry that owns a window of these options: made for the first top-level window
  // that is neither owned, a dialog nor a tip; nullptr for the others.
  TWin32TaskButton* TaskButtonFor(const TWindowOptions& Options);
  // Called by window procedures for every event they turn a message into.
  void Post(const TWindowEvent& Event) { FQueue.push_back(Event); }

 private:
  HINSTANCE FInstance;
  std::deque<TWindowEvent> FQueue;
  std::unique_ptr<TWin32TaskButton> FTaskButton;
};
