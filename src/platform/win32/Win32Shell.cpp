// The shell's "open" action on Windows: the system shell itself.
#include <windows.h>
// The shell's declarations build on the system header's types.
#include <shellapi.h>

#include "platform/Shell.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Shell.h"

namespace {

// The system's own text for an error code, without its line end and full stop.
std::string SystemErrorText(DWORD Code) {
  char* Buffer = nullptr;
  const DWORD Length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, Code, 0, reinterpret_cast<char*>(&Buffer), 0, nullptr);
  std::string Text = Length != 0 && Buffer ? std::string(Buffer, Length) : "";
  if (Buffer) LocalFree(Buffer);
  while (!Text.empty() &&
         (Text.back() == '\r' || Text.back() == '\n' || Text.back() == '.' || Text.back() == ' '))
    Text.pop_back();
  return Text.empty() ? "error " + std::to_string(Code) : Text;
}

}  // namespace

std::string Win32ShellOpen(const std::string& FileName, const std::string& Parameters,
                           const std::string& Directory) {
  // A full path that would not fit the classic path buffer names something other than what
  // the menu meant; it is never opened.
  if (FileName.empty()) return "no target is named";
  if (FileName.size() >= MaxPath)
    return "its full path is longer than the 259 characters a target may have";
  SHELLEXECUTEINFOA Info{};
  Info.cbSize = sizeof Info;
  // The menu says what went wrong in its own box; the shell's box would come second.
  Info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  Info.lpVerb = "open";
  Info.lpFile = FileName.c_str();
  Info.lpParameters = Parameters.empty() ? nullptr : Parameters.c_str();
  Info.lpDirectory = Directory.empty() ? nullptr : Directory.c_str();
  Info.nShow = SW_SHOWNORMAL;
  using TShellExecuteExA = BOOL WINAPI(SHELLEXECUTEINFOA*);
  static TShellExecuteExA* const Execute =
      SystemFunction<TShellExecuteExA>(L"shell32.dll", "ShellExecuteExA");
  if (Execute == nullptr) return "the system's shell library cannot be loaded";
  if (Execute(&Info)) return "";
  return SystemErrorText(GetLastError());
}
