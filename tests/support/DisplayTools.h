// The tools of the tests that drive the built program on a virtual display from outside: the
// menus they give it, waiting, finding programs and windows, reading what a window shows,
// pressing keys and buttons through xdotool, and the started programs themselves.
#pragma once

// Before the X headers, whose macros would spoil its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"

// How long the waits below last by default; each suite sets its own, the slower for Wine.
extern const int WaitLimitMs;

// The colour of the plain background picture that the tests' menus show.
inline constexpr TPixel BackgroundColor = PixelOf(0x20, 0x40, 0x80);

// A button rectangle in client coordinates.
struct TButtonPlace {
  int X, Y, Width, Height;
  int CenterX() const { return X + Width / 2; }
  int CenterY() const { return Y + Height / 2; }
};
// The button rectangles most menus of these tests use.
inline constexpr TButtonPlace FirstButton{20, 20, 200, 32};
inline constexpr TButtonPlace SecondButton{20, 70, 200, 32};

bool OnPath(const std::string& Program);

// Polls Done every few milliseconds for at most about TimeoutMs.
bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = WaitLimitMs);

// What a command printed on its standard output, and whether it ended with status 0.
struct TCommandResult {
  bool Ok = false;
  std::string Output;
};
TCommandResult Capture(const std::string& Command);

// Text quoted for the shell.
std::string Quoted(const std::string& Text);

// Runs a shell command with its output dropped; true when it ended with status 0.
bool RunQuietly(const std::string& Command);
// The same for xdotool with Arguments.
bool RunXdotool(const std::string& Arguments);
// The same, as a step of a test that fails when xdotool does.
void Xdotool(const std::string& Arguments);

// The visible windows whose name is exactly Name.
std::vector<::Window> WindowsNamed(const std::string& Name);

// The name of W as xdotool reads it, without its line end.
std::string WindowName(::Window W);
// The attributes of W, all zero when they cannot be read.
XWindowAttributes AttributesOf(Display* Dpy, ::Window W);

// The pixels of Place in W, row by row; empty when W cannot be read, for instance because it
// went away in the meantime.
std::vector<unsigned long> ReadArea(Display* Dpy, ::Window W, const TButtonPlace& Place);
std::optional<TPixel> ReadPixel(Display* Dpy, ::Window W, int X, int Y);

// Waits for the menu window named Name to show and to paint BackgroundColor at (FreeX, FreeY).
// Returns 0 when it does not show, failing the test with what the program wrote to LogFile.
::Window WaitMenuWindow(Display* Dpy, const std::string& Name, int FreeX, int FreeY,
                        const std::string& LogFile);

// A picture of the given size all in BackgroundColor, saved as a bitmap file.
void WriteBackground(const std::string& FileName, int Width, int Height);

// One button of the tests' menus as menu.ini describes it.
struct TMenuButton {
  std::string Text;
  std::string ExePath;
  std::string CommandLine;
  std::string PreRunMessage;
  std::string AfterRunMessage;
  bool TerminateAfterStart = false;
  TButtonPlace Place = FirstButton;
};
// The text of a menu.ini with Buttons over Background, all in the tests' usual font and
// highlight, its lines ended by LineEnd.
std::string MenuIni(const std::string& Background, const std::string& AppName,
                    const std::string& AppTaskName, const std::vector<TMenuButton>& Buttons,
                    const std::string& LineEnd);

// The window manager on DisplayName, with its output dropped; 0 or less when it did not start.
pid_t StartWindowManager(const std::string& DisplayName);
// True once a window manager has announced itself on the root window and frames a window
// mapped to find out.
bool WindowManagerReady(Display* Dpy);
// Ends the window manager that StartWindowManager started and forgets it.
void StopWindowManager(pid_t& Pid);

// A program started in a folder of its own with its output in a log file, killed when the test
// ends without having seen it exit.
class TStartedProgram {
 public:
  // Exec runs in the new process once it is in Folder and writes to Log; it replaces the process
  // with the program, or returns when it cannot.
  TStartedProgram(const std::string& Folder, const std::string& Log,
                  const std::function<void()>& Exec);
  ~TStartedProgram();
  TStartedProgram(const TStartedProgram&) = delete;
  TStartedProgram& operator=(const TStartedProgram&) = delete;

  bool Started() const { return FPid > 0; }
  pid_t Pid() const { return FPid; }
  // The exit code once the program has ended within about TimeoutMs, -1 for a signal.
  std::optional<int> WaitExit(int TimeoutMs = WaitLimitMs);
  bool Running();

 private:
  pid_t FPid = -1;
  std::optional<int> FStatus;
};

// A mount made by MountCommand (a shell command ending in the mount point Target) for the life
// of the object; Mounted() is false where it could not be made, for instance without root.
class TScopedMount {
 public:
  TScopedMount(const std::string& MountCommand, const std::string& Target);
  ~TScopedMount();
  TScopedMount(const TScopedMount&) = delete;
  TScopedMount& operator=(const TScopedMount&) = delete;

  bool Mounted() const { return FMounted; }

 private:
  std::string FTarget;
  bool FMounted = false;
};
