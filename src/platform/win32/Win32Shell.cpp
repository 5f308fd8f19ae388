// The shell's "open" action on Windows: the system shell itself.
#include <windows.h>
// The shell's declarations build on the system header's types.
#include <shellapi.h>

#include "platform/Shell.h"

void ShellOpen(const std::string& FileName, const std::string& Parameters,
               const std::string& Directory) {
  // A full path that would not fit the classic path buffer names something other than what
  // the menu meant; it is never opened.
  if (FileName.empty() || FileName.size() >= MaxPath) return;
  ShellExecuteA(nullptr, "open", FileName.c_str(), Parameters.c_str(), Directory.c_str(),
                SW_SHOWNORMAL);
}
