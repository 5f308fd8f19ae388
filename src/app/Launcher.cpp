// Opening an entry's target with the shell's "open".
#include "app/Launcher.h"

#include "framework/FileName.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

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
  // An empty name would expand to the current folder, which the shell would open.
  if (Target.empty()) return;
  const std::string FullPath = ExpandFileName(Target);
  if (FullPath.size() >= MaxPath) return;
  ShellOpenProc()(FullPath, Parameters, ExtractFilePath(FullPath));
}
