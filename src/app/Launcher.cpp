// Opening an entry's target with the shell's "open".
#include "app/Launcher.h"

#include "framework/FileName.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

void LaunchTarget(TWindowSystem& System, const std::string& Target, const std::string& Parameters) {
  // An empty name would expand to the current folder, which the shell would open.
  if (Target.empty()) return;
  const std::string FullPath = ExpandFileName(Target);
  if (FullPath.size() >= MaxPath) return;
  System.ShellOpen(FullPath, Parameters, ExtractFilePath(FullPath));
}
