// The menu program: opens the display, builds the menu window from menu.ini beside the
// executable and runs it. It takes no arguments.
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "framework/Application.h"
#include "platform/Process.h"
#include "platform/WindowSystem.h"

int main() {
  std::string Error;
  std::unique_ptr<TWindowSystem> System = OpenWindowSystem(Error);
  if (!System) {
    std::fprintf(stderr, "ostrel: %s\n", Error.c_str());
    return 1;
  }
  TApplication App(*System);
  App.SetExeName(ExecutableFileName());
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
