// The end-to-end tests' shared ground: one virtual display with a window manager for the whole
// process, the menu program started in a folder of its own, and the helpers that drive it.
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

inline constexpr int MenuWidth = 360;
inline constexpr int MenuHeight = 260;
inline const std::string AppName = "Ostrel E2E Menu";
inline const std::string AppTaskName = "Ostrel E2E Task";
// A point of the background that no button covers.
inline constexpr int FreeX = 300, FreeY = 200;

// The started menu program, from its folder or, given WorkingFolder, from there; Path replaces
// PATH when it is given.
class TMenuProcess : public TStartedProgram {
 public:
  TMenuProcess(const std::string& Folder, const std::string& DisplayName,
               const std::string& WorkingFolder = "", const std::string& Path = "");
};

// One menu entry as menu.ini describes it.
using TEntry = TMenuButton;

class EndToEndTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  bool HasWindowManager() const { return WindowManager > 0; }

  // A target script that records its working directory and arguments, one a line, in Marker.
  std::string WriteTarget(const std::string& Name, const std::string& Marker);
  void WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background = "menu.bmp");
  // Starts the program and returns its menu window once that shows its background.
  ::Window StartMenu();
  // The same from WorkingFolder, with PATH set to Path when that is given.
  ::Window StartMenuFrom(const std::string& WorkingFolder, const std::string& Path = "");

  std::vector<unsigned long> Area(::Window W, const TButtonPlace& Place) {
    return ReadArea(Probe, W, Place);
  }
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
