// The end-to-end tests' shared ground: one virtual display with a window manager for the whole
// process, the menu program started in a folder of its own, and the helpers that drive it.
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

inline constexpr int MenuWidth = 360;
inline constexpr int MenuHeight = 260;
inline constexpr TPixel BackgroundColor = PixelOf(0x20, 0x40, 0x80);
inline const std::string AppName = "Ostrel E2E Menu";
inline const std::string AppTaskName = "Ostrel E2E Task";

// A button rectangle in client coordinates.
struct TButtonPlace {
  int X, Y, Width, Height;
  int CenterX() const { return X + Width / 2; }
  int CenterY() const { return Y + Height / 2; }
};
// The button rectangles most menus of these tests use.
inline constexpr TButtonPlace FirstButton{20, 20, 200, 32};
inline constexpr TButtonPlace SecondButton{20, 70, 200, 32};
// A point of the background that no button covers.
inline constexpr int FreeX = 300, FreeY = 200;

bool OnPath(const std::string& Program);

// Polls Done every few milliseconds for at most about TimeoutMs.
bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = 5000);

// What a command printed, and whether it ended with status 0.
struct TCommandResult {
  bool Ok = false;
  std::string Output;
};
TCommandResult Capture(const std::string& Command);

// Text quoted for the shell.
std::string Quoted(const std::string& Text);

// The visible windows whose name is exactly Name.
std::vector<::Window> WindowsNamed(const std::string& Name);

void Xdotool(const std::string& Arguments);

// The started menu program; killed when the test ends without having seen it exit.
class TMenuProcess {
 public:
  TMenuProcess(const std::string& Folder, const std::string& DisplayName);
  ~TMenuProcess();
  TMenuProcess(const TMenuProcess&) = delete;
  TMenuProcess& operator=(const TMenuProcess&) = delete;

  bool Started() const { return FPid > 0; }
  pid_t Pid() const { return FPid; }
  // The exit code once the program has ended within about TimeoutMs, -1 for a signal.
  std::optional<int> WaitExit(int TimeoutMs = 5000);
  bool Running();

 private:
  pid_t FPid = -1;
  std::optional<int> FStatus;
};

// One menu entry as menu.ini describes it.
struct TEntry {
  std::string Text;
  std::string ExePath;
  std::string CommandLine;
  std::string PreRunMessage;
  std::string AfterRunMessage;
  bool TerminateAfterStart = false;
  TButtonPlace Place = FirstButton;
};

class EndToEndTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  bool HasWindowManager() const { return WindowManager > 0; }
  bool WindowManagerReady();
  bool RootProperty(const char* Name, Atom Kind);

  // A target script that records its working directory and arguments, one a line, in Marker.
  std::string WriteTarget(const std::string& Name, const std::string& Marker);
  void WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background = "menu.bmp");
  // Starts the program and returns its menu window once that shows its background.
  ::Window StartMenu();

  std::optional<TPixel> PixelAt(::Window W, int X, int Y);
  std::vector<unsigned long> Area(::Window W, const TButtonPlace& Place);
  void Click(::Window W, const TButtonPlace& Place);
  // Waits for a visible dialog other than Except and returns it, or 0.
  ::Window WaitDialog(::Window Except = 0);
  void PressReturn(::Window W);
  bool Gone(::Window W, const std::string& Name);
  bool MarkerWritten(const std::string& Marker);

  static std::unique_ptr<TXvfb> Server;
  static pid_t WindowManager;

  TTempDir Folder;
  Display* Probe = nullptr;
  std::unique_ptr<TScopedEnv> DisplayEnv;
  std::unique_ptr<TMenuProcess> Menu;
};
