// The driver of the tests.
#include "platform/headless/HeadlessDriver.h"

#include <algorithm>
#include <stdexcept>

#include "platform/MonitorChoice.h"
#include "platform/posix/PosixLocale.h"

// A headless window that the system keeps track of while it exists.
class THeadlessOwnedWindow : public THeadlessWindow {
 public:
  THeadlessOwnedWindow(THeadlessDriver& System, const TWindowOptions& WindowOptions)
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
  THeadlessDriver& FSystem;
};

TWindowSystem* THeadlessDriver::OpenWindowSystem(std::string&) {
  return this;
}

std::unique_ptr<TRegistryService> THeadlessDriver::OpenRegistry() {
  return std::make_unique<TMemoryRegistry>(Registry);
}

int THeadlessDriver::AnsiCodePage() const {
  return PosixAnsiCodePage();
}

std::u32string THeadlessDriver::DecodeCodePage(std::string_view Text, int CodePage) const {
  return Host().DecodeCodePage(Text, CodePage);
}

TTextEngine& THeadlessDriver::TextEngine() {
  return Fonts != nullptr ? *Fonts : Host().TextEngine();
}

std::uint32_t THeadlessDriver::SystemColorRGB(int Index) const {
  return Host().SystemColorRGB(Index);
}

TMessageFontSpec THeadlessDriver::MessageFont() const {
  return Host().MessageFont();
}

std::string THeadlessDriver::ExecutableFileName() const {
  return Host().ExecutableFileName();
}

void THeadlessDriver::ReleaseFreedMemory() {
  Host().ReleaseFreedMemory();
}

TDriver& THeadlessDriver::Host() const {
  if (!PreviousDriver()) throw std::logic_error("the headless driver has no host driver");
  return *PreviousDriver();
}

std::unique_ptr<TNativeWindow> THeadlessDriver::CreateWindow(const TWindowOptions& Options) {
  return std::make_unique<THeadlessOwnedWindow>(*this, Options);
}

bool THeadlessDriver::NextEvent(TWindowEvent& Event, int TimeoutMs) {
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

void THeadlessDriver::ScreenSize(int& Width, int& Height) const {
  Width = ScreenWidth;
  Height = ScreenHeight;
}

TRect THeadlessDriver::PointerWorkArea() const {
  return ::PointerWorkArea(Monitors, {FPointerX, FPointerY}, WorkArea,
                           {0, 0, ScreenWidth, ScreenHeight});
}

void THeadlessDriver::CursorPos(int& X, int& Y) const {
  X = FPointerX;
  Y = FPointerY;
}

void THeadlessDriver::MovePointer(int X, int Y) {
  FPointerX = X;
  FPointerY = Y;
  for (THeadlessWindow* Window : FWindows) {
    Window->PointerX = X;
    Window->PointerY = Y;
  }
}

std::string THeadlessDriver::ShellOpen(const std::string& FileName, const std::string& Parameters,
                                       const std::string& Directory) {
  Launches.push_back({FileName, Parameters, Directory});
  if (OnShellOpen) OnShellOpen(Launches.back());
  return RefuseWith;
}
