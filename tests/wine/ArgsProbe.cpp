// A tiny Windows program for the tests under Wine: it writes the command line it was started
// with and its working directory, one per line, to ArgsProbe.txt beside its executable.
#include <windows.h>

#include <string>

namespace {

std::string FolderOfExecutable() {
  char Name[MAX_PATH] = {};
  const DWORD Length = GetModuleFileNameA(nullptr, Name, MAX_PATH);
  std::string Path(Name, Length);
  return Path.substr(0, Path.find_last_of('\\') + 1);
}

}  // namespace

int main() {
  char Directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, Directory);
  const std::string Report = std::string(GetCommandLineA()) + "\n" + Directory + "\n";
  // Written under another name and renamed, so that a reader never sees half a report.
  const std::string Target = FolderOfExecutable() + "ArgsProbe.txt";
  const std::string Temp = Target + ".part";
  HANDLE File = CreateFileA(Temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return 1;
  DWORD Written = 0;
  const bool Ok =
      WriteFile(File, Report.data(), static_cast<DWORD>(Report.size()), &Written, nullptr) &&
      Written == Report.size();
  CloseHandle(File);
  return Ok && MoveFileExA(Temp.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
