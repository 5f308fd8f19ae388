// The driver of the tests: a display without a screen, a registry in memory, and a shell that
// records what it would have opened.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Driver.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/MemoryRegistry.h"
#include "platform/posix/PosixFileSystem.h"

// One use of the shell's "open".
struct THeadlessLaunch {
  std::string FileName;
  std::string Parameters;
  std::string Directory;
};

// Windows are THeadlessWindows, events are posted by the test, and time is a clock that moves
// only when the program would wait. Files are the real ones. Glyphs, code pages, system colours,
// the message font and the process's facts are those of the driver that was current when this
// one was made (the host); without a host, asking for them raises std::logic_error.
class THeadlessDriver : public TDriver, public TWindowSystem {
 public:
  // Always this driver itself.
  TWindowSystem* OpenWindowSystem(std::string& Error) override;
  const TFileSystem& Files() const override { return FFiles; }
  // A copy of Registry as it is now.
  std::unique_ptr<TRegistryService> OpenRegistry() override;
  // From the locale's language, as on the system the tests run on.
  int AnsiCodePage() const override;
  std::u32string DecodeCodePage(std::string_view Text, int CodePage) const override;
  TTextEngine& TextEngine() override;
  std::uint32_t SystemColorRGB(int Index) const override;
  TMessageFontSpec MessageFont() const override;
  std::string ExecutableFileName() const override;
  void ReleaseFreedMemory() override;

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
  // Put in place of the host's text engine by a test that watches what the program asks of it.
  TTextEngine* Fonts = nullptr;
  std::int64_t Clock = 0;
  // What the shell would have opened, in order.
  std::vector<THeadlessLaunch> Launches;
  std::function<void(const THeadlessLaunch&)> OnShellOpen;
  // What ShellOpen answers: empty for a start, else the reason a real system would give.
  std::string RefuseWith;
  // What OpenRegistry gives a copy of.
  TMemoryRegistry Registry;

 private:
  friend class THeadlessOwnedWindow;
  TDriver& Host() const;

  TPosixFileSystem FFiles;
  std::deque<TWindowEvent> FQueue;
  std::vector<THeadlessWindow*> FWindows;
  int FPointerX = 0;
  int FPointerY = 0;
};
