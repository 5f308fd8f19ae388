// File-name routines that work on menu paths.
#include "framework/FileName.h"

#include "framework/TextCodec.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace {

bool IsSeparator(char C) {
  return C == '\\' || C == ':' || C == PathDelim;
}

// Index of the last single-byte separator, or npos. Walks forward so that a trail byte of a
// double-byte character, which may have the value of "\", is skipped with its lead byte.
std::string::size_type LastSeparator(const std::string& Text, int CodePage) {
  std::string::size_type Last = std::string::npos;
  for (std::string::size_type I = 0; I < Text.size(); ++I) {
    if (IsLeadByte(static_cast<unsigned char>(Text[I]), CodePage) && I + 1 < Text.size()) {
      ++I;
      continue;
    }
    if (IsSeparator(Text[I])) Last = I;
  }
  return Last;
}

}  // namespace

std::string ExtractFilePath(const std::string& FileName, int CodePage) {
  std::string::size_type Last = LastSeparator(FileName, CodePage);
  return Last == std::string::npos ? std::string() : FileName.substr(0, Last + 1);
}

// On POSIX the system's names are bytes, and only "/" separates folders: a "\" or ":" is part
// of a name, and no code page's double-byte rule applies.
std::string ExtractFilePath(const std::string& FileName) {
#ifdef _WIN32
  return ExtractFilePath(FileName, SystemAnsiCodePage());
#else
  const std::string::size_type Last = FileName.rfind('/');
  return Last == std::string::npos ? std::string() : FileName.substr(0, Last + 1);
#endif
}

std::string NormalDir(const std::string& DirName, int CodePage) {
  if (DirName.empty()) return DirName;
  std::string::size_type Last = LastSeparator(DirName, CodePage);
  if (Last == DirName.size() - 1) return DirName;
  if (DirName.size() == 1) {
    char Upper =
        DirName[0] >= 'a' && DirName[0] <= 'z' ? static_cast<char>(DirName[0] - 32) : DirName[0];
    if (Upper >= 'A' && Upper <= 'Z') return DirName + ":" + PathDelim;
  }
  return DirName + PathDelim;
}

std::string NormalDir(const std::string& DirName) {
#ifdef _WIN32
  return NormalDir(DirName, SystemAnsiCodePage());
#else
  return DirName.empty() || DirName.back() == '/' ? DirName : DirName + '/';
#endif
}
