// TProgInfo: one menu entry.
#include "menu/ProgInfo.h"

#include "platform/FileSystem.h"

bool TargetAvailable(const std::string& ExePath) {
  return !ExePath.empty() && FileExists(ExePath);
}
