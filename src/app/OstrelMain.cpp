// The menu program: opens the display, enters the menu folder (the executable's, or the one
// given as its one argument), builds the menu window from its menu.ini, and runs it:
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
#include "platform/Driver.h"

int main(int argc, char** argv) {
  // Made first, with its text engine: where no font answers are kept from an earlier start, the
  // font configuration is set up meanwhile, beside the display's opening, the picture's decoding
  // and the window's creation.
  std::unique_ptr<TDriver> Platform = CreateDriver();
  std::string Error;
  TWindowSystem* System = Platform->OpenWindowSystem(Error);
  if (!System) {
    std::fprintf(stderr, "ostrel: %s\n", Error.c_str());
    return 1;
  }
  TApplication App(*System);
  App.SetExeName(Platform->ExecutableFileName());
  std::vector<std::string> Params(argv + std::min(argc, 1), argv + argc);
  // The menu folder becomes the current folder, as when the menu is started from its medium:
  // relative targets, their availability and the targets' own relative paths all count from
  // there, whatever folder the program was started in.
  if (!Params.empty()) Params.front() = Platform->Files().ExpandFileName(Params.front());
  App.SetParams(Params);
  const std::string Folder = MenuFolder();
  Platform->Files().SetCurrentDir(Folder);
  App.Icon.LoadFromBytes(ProgramIconBytes());
  try {
    App.CreateForm<TForm1>(Folder);
    App.Run();
  } catch (const std::exception& E) {
    // Start-up failed: the error box, then the end, without the main window.
    App.ShowException(E);
  }
  return 0;
}
