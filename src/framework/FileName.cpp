// The menu-path routines in the user's ANSI code page.
#include "framework/FileName.h"
#include "platform/Driver.h"

// On POSIX the system's names are bytes, and only "/" separates folders: a "\" or ":" is part
// of a name, and no code page's double-byte rule applies.
std::string ExtractFilePath(const std::string& FileName) {
#ifdef _WIN32
  return ExtractFilePath(FileName, Driver().AnsiCodePage());
#else
  const std::string::size_type Last = FileName.rfind('/');
  return Last == std::string::npos ? std::string() : FileName.substr(0, Last + 1);
#endif
}

std::string NormalDir(const std::string& DirName) {
#ifdef _WIN32
  return NormalDir(DirName, Driver().AnsiCodePage());
#else
  return DirName.empty() || DirName.back() == '/' ? DirName : DirName + '/';
#endif
}
