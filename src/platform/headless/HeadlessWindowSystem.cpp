// A display without a screen, for tests.
#include "platform/headless/HeadlessWindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/MonitorChoice.h"

// A headless window that the system keeps track of while it exists.
class THeadlessOwnedWindow : public THeadlessWindow {
 public:
  THeadlessOwnedWindow(THeadlessWindowSystem& System, const TWindowOptions& WindowOptions)
      : THeadlessWindow(WindowOptions), FSystem(System) {
    FSystem.FWindows.push_back(this);
    PointerX = FSystem.FPointerX;
    PointerY = FSystem.FPointerY;
  }
  ~THeadlessOwnedWindow() override {
    auto& List = FSystem.FWindows;
    List.erase(std::remove(List.begin(), List.end(), this), List.end());
    // Events for a window that is gone are dropped, as a display drops them.
    auto& Queue = FSystem.FQueue;
    Queue.erase(std::remove_if(Queue.begin(), Queue.end(),
                               [this](const TWindowEvent& E) { return E.Window == this; }),
                Queue.end());
  }

 private:
  THeadlessWindowSystem& FSystem;
};

std::unique_ptr<TNativeWindow> THeadlessWindowSystem::CreateWindow(const TWindowOptions& Options) {
  return std::make_unique<THeadlessOwnedWindow>(*this, Options);
}

bool THeadlessWindowSystem::NextEvent(TWindowEvent& Event, int TimeoutMs) {
  if (FQueue.empty() && OnWait) OnWait();
  if (!FQueue.empty()) {
    Event = FQueue.front();
    FQueue.pop_front();
    return true;
  }
  if (TimeoutMs < 0) throw std::logic_error("the program waits for events that never come");
  Clock += TimeoutMs;
  return false;
}

void THeadlessWindowSystem::ScreenSize(int& Width, int& Height) const {
  Width = ScreenWidth;
  Height = ScreenHeight;
}

TRect THeadlessWindowSystem::PointerWorkArea() const {
  return ::PointerWorkArea(Monitors, {FPointerX, FPointerY}, WorkArea,
                           {0, 0, ScreenWidth, ScreenHeight});
}

void THeadlessWindowSystem::CursorPos(int& X, int& Y) const {
  X = FPointerX;
  Y = FPointerY;
}

void THeadlessWindowSystem::MovePointer(int X, int Y) {
  FPointerX = X;
  FPointerY = Y;
  for (THeadlessWindow* Window : FWindows) {
    Window->PointerX = X;
    Window->PointerY = Y;
  }
}

std::string THeadlessWindowSystem::ShellOpen(const std::string& FileName,
                                             const std::string& Parameters,
                                             const std::string& Directory) {
  Launches.push_back({FileName, Parameters, Directory});
  if (OnShellOpen) OnShellOpen(Launches.back());
  return RefuseWith;
}
