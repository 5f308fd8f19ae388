// TProgInfo: one menu entry.
#include "menu/ProgInfo.h"

#ifdef _WIN32

const std::string& TProgInfo::RunPath() const {
  return ExePath;
}

const std::string& TProgInfo::RunParameters() const {
  return ExeCommandLine;
}

#else

const std::string& TProgInfo::RunPath() const {
  return LinuxExePath.empty() ? ExePath : LinuxExePath;
}

const std::string& TProgInfo::RunParameters() const {
  return LinuxExePath.empty() && LinuxCommandLine.empty() ? ExeCommandLine : LinuxCommandLine;
}

#endif
