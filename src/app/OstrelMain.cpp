// The menu program: opens the display, builds the menu window from menu.ini beside the
// executable, or in the folder given as its one argument, and runs it:
//   ostrel [MENU_FOLDER]
#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "framework/Application.h"
#include "platform/Process.h"
#include "platform/WindowSystem.h"

int main(int argc, char** argv) {
  std::string Error;
  std::unique_ptr<TWindowSystem> System = OpenWindowSystem(Error);
  if (!System) {
    std::fprintf(stderr, "ostrel: %s\n", Error.c_str());
    return 1;
  }
  TApplication App(*System);
  App.SetExeName(ExecutableFileName());
  App.SetParams(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  App.Icon.LoadFromBytes(ProgramIconBytes());
  try {
    App.CreateForm<TForm1>();
    App.Run();
  } catch (const std::exception& E) {
    // Start-up failed: the error box, then the end, without the main window.
    App.ShowException(E);
  }
  return 0;
}
