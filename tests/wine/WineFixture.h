// The Windows build's tests under Wine: one virtual display, window manager and private 32-bit
// Wine prefix for the whole run, the menu program started in a folder of its own, and the
// helpers that drive it through the display.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "platform/X11TestDisplay.h"
#include "support/TempDir.h"

inline constexpr int MenuWidth = 320;
inline constexpr int MenuHeight = 200;
inline constexpr TPixel BackgroundColor = PixelOf(0x20, 0x40, 0x80);
inline const std::string AppName = "Ostrel Wine Menu";
inline const std::string AppTaskName = "Ostrel Wine Task";

// A button rectangle in client coordinates.
struct TButtonPlace {
  int X, Y, Width, Height;
  int CenterX() const { return X + Width / 2; }
  int CenterY() const { return Y + Height / 2; }
};
inline constexpr TButtonPlace FirstButton{20, 20, 200, 32};
inline constexpr TButtonPlace SecondButton{20, 70, 200, 32};
// A point of the background that no button covers.
inline constexpr int FreeX = 280, FreeY = 170;

// One menu entry as menu.ini describes it.
struct TEntry {
  std::string Text;
  std::string ExePath;
  std::string CommandLine;
  TButtonPlace Place = FirstButton;
  std::string PreRunMessage{};
};

// Polls Done every few milliseconds for at most about TimeoutMs.
bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = 10000);

// What a shell command printed on its standard output, and whether it ended with status 0.
struct TCommandResult {
  bool Ok = false;
  std::string Output;
};
TCommandResult Capture(const std::string& Command);

// Text quoted for the shell.
std::string Quoted(const std::string& Text);

// The name Wine gives a Linux path through the drive it maps to the root folder.
std::string WindowsPath(const std::string& Path);

// The menu program under Wine, started in Folder with its output in Log; killed at the end
// unless it was seen to exit.
class TWineProcess {
 public:
  TWineProcess(const std::string& Program, const std::string& Folder, const std::string& Log);
  ~TWineProcess();
  TWineProcess(const TWineProcess&) = delete;
  TWineProcess& operator=(const TWineProcess&) = delete;

  // The exit code once the program has ended within about TimeoutMs, -1 for a signal.
  std::optional<int> WaitExit(int TimeoutMs = 10000);
  bool Running();

 private:
  pid_t FPid = -1;
  std::optional<int> FStatus;
};

class WineTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // The small Windows target, copied into tools/; it reports to tools/ArgsProbe.txt.
  std::string AddProbe();
  void WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background = "menu.bmp");
  // Starts the program, with more Wine debug channels when asked, and returns its menu window
  // once that shows its background.
  ::Window StartMenu();
  void StartProgram(const std::string& WineDebug = "-all");

  // The visible windows whose name is exactly Name.
  std::vector<::Window> WindowsNamed(const std::string& Name);
  std::optional<TPixel> PixelAt(::Window W, int X, int Y);
  std::vector<unsigned long> Area(::Window W, const TButtonPlace& Place);
  void MovePointer(::Window W, int X, int Y);
  void Click(::Window W, const TButtonPlace& Place);
  void PressReturn(::Window W);
  bool ProbeReported();
  std::string Log() const { return ReadAll(Folder.File("ostrel.log")); }

  // Set up once for the run; a failure there is reported by every test.
  static std::unique_ptr<TXvfb> Server;
  static pid_t WindowManager;
  static std::string Prefix;
  static std::string SetUpFailure;

  TTempDir Folder;
  Display* Probe = nullptr;
  std::unique_ptr<TWineProcess> Menu;
};
