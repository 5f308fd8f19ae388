// A display without a screen, for tests: windows are THeadlessWindows, events are posted by the
// test, and time is a clock that moves only when the program would wait.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessWindow.h"

// One use of the shell's "open".
struct THeadlessLaunch {
  std::string FileName;
  std::string Parameters;
  std::string Directory;
};

class THeadlessWindowSystem : public TWindowSystem {
 public:
  std::unique_ptr<TNativeWindow> CreateWindow(const TWindowOptions& Options) override;
  // Posted events first; otherwise OnWait runs (a test scripts its next step there), and when
  // there is still nothing the clock moves on by the timeout. Raises std::logic_error when the
  // program would wait forever with nothing to come.
  bool NextEvent(TWindowEvent& Event, int TimeoutMs) override;
  void ScreenSize(int& Width, int& Height) const override;
  void CursorPos(int& X, int& Y) const override;
  // Chosen from Monitors and WorkArea as the real systems choose.
  TRect PointerWorkArea() const override;
  TFrameExtents FrameExtents(bool) override { return Frame; }
  // Scale: the environment is not read, so that a test sees the scale it sets.
  double DesktopScale() const override { return Scale; }
  std::int64_t Milliseconds() const override { return Clock; }
  // Starts nothing: records the launch, tells OnShellOpen and answers RefuseWith.
  std::string ShellOpen(const std::string& FileName, const std::string& Parameters,
                        const std::string& Directory) override;

  void Post(const TWindowEvent& Event) { FQueue.push_back(Event); }
  // Moves the pointer to a screen position, as every window reports it.
  void MovePointer(int X, int Y);
  // The windows created so far that still exist, oldest first.
  const std::vector<THeadlessWindow*>& Windows() const { return FWindows; }

  std::function<void()> OnWait;
  int ScreenWidth = 1024;
  int ScreenHeight = 768;
  // The monitors, as parts of the screen; none is one monitor, the whole screen.
  std::vector<TRect> Monitors;
  // The desktop's work area; empty when it gives none.
  TRect WorkArea;
  TFrameExtents Frame;
  double Scale = 1;
  std::int64_t Clock = 0;
  // What the shell would have opened, in order.
  std::vector<THeadlessLaunch> Launches;
  std::function<void(const THeadlessLaunch&)> OnShellOpen;
  // What ShellOpen answers: empty for a start, else the reason a real system would give.
  std::string RefuseWith;

 private:
  friend class THeadlessOwnedWindow;
  std::deque<TWindowEvent> FQueue;
  std::vector<THeadlessWindow*> FWindows;
  int FPointerX = 0;
  int FPointerY = 0;
};
