// Opening an entry's target with the shell's "open".
#include "app/Launcher.h"

#include "framework/FileName.h"
#include "platform/Shell.h"
#include "platform/TargetPath.h"

namespace {

TShellOpenProc& ShellOpenProc() {
  static TShellOpenProc Proc = ShellOpen;
  return Proc;
}

}  // namespace

void SetShellOpenProc(TShellOpenProc Proc) {
  ShellOpenProc() = Proc ? std::move(Proc) : ShellOpen;
}

void LaunchTarget(const std::string& Target, const std::string& Parameters) {
  // An empty name would expand to the current folder, which the shell would open. The path is
  // the one the availability check looked at.
  const std::string FullPath = TargetPath(Target);
  if (FullPath.empty()) return;
  ShellOpenProc()(FullPath, Parameters, ExtractFilePath(FullPath));
}
