// TProgInfo: one menu entry.
#include "menu/ProgInfo.h"

#include "platform/TargetPath.h"

// Checked at the very path a click starts.
bool TargetAvailable(const std::string& ExePath) {
  return TargetFileExists(TargetPath(ExePath));
}
