// The menu-path routines in the user's ANSI code page.
#include "framework/FileName.h"

#include "platform/Locale.h"

std::string ExtractFilePath(const std::string& FileName) {
  return ExtractFilePath(FileName, SystemAnsiCodePage());
}

std::string NormalDir(const std::string& DirName) {
  return NormalDir(DirName, SystemAnsiCodePage());
}
