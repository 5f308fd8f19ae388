// Opening an entry's target with the shell's "open".
#include "app/Launcher.h"

#include "framework/FileName.h"
#include "platform/Shell.h"
#include "platform/TargetPath.h"

void LaunchTarget(TWindowSystem& System, const std::string& Target, const std::string& Parameters) {
  // An empty name would expand to the current folder, which the shell would open. The path is
  // the one the availability check looked at.
  const std::string FullPath = TargetPath(Target);
  if (FullPath.empty()) return;
  System.ShellOpen(FullPath, Parameters, ExtractFilePath(FullPath));
}
