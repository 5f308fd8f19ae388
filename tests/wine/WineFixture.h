// The Windows build's tests under Wine: one virtual display, window manager and private Wine
// prefix (32-bit or 64-bit, as the build under test) for the whole run, the menu program
// started in a folder of its own, and the helpers that drive it through the display.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/X11TestDisplay.h"
#include "support/DisplayTools.h"
#include "support/TempDir.h"

inline constexpr int MenuWidth = 320;
inline constexpr int MenuHeight = 200;
inline const std::string AppName = "Ostrel Wine Menu";
inline const std::string AppTaskName = "Ostrel Wine Task";

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

// The name Wine gives a Linux path through the drive it maps to the root folder.
std::string WindowsPath(const std::string& Path);

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

  std::vector<unsigned long> Area(::Window W, const TButtonPlace& Place) {
    return ReadArea(Probe, W, Place);
  }
  void MovePointer(::Window W, int X, int Y);
  void Click(::Window W, const TButtonPlace& Place);
  // Activates W and types Keys, xdotool's names of keys and chords.
  void PressKeys(::Window W, const std::string& Keys);
  void PressReturn(::Window W) { PressKeys(W, "Return"); }
  bool ProbeReported();
  // The program's message boxes on screen: windows captioned with the application title, other
  // than the task-bar entry of no size that carries the same title.
  std::vector<::Window> MessageBoxes();
  std::string Log() const { return ReadAll(Folder.File("ostrel.log")); }

  // Set up once for the run; a failure there is reported by every test.
  static std::unique_ptr<TXvfb> Server;
  static pid_t WindowManager;
  static std::string Prefix;
  static std::string SetUpFailure;

  TTempDir Folder;
  Display* Probe = nullptr;
  std::unique_ptr<TStartedProgram> Menu;
};
