// Opening an entry's target with the shell's "open".
#include "app/Launcher.h"

#include "framework/FileName.h"
#include "menu/EntryAction.h"
#include "platform/TargetPath.h"

namespace {

// The error box's text: what could not be opened, then why, as a sentence.
std::string Failure(const std::string& What, std::string Why) {
  if (Why.empty()) return "";
  if (Why[0] >= 'a' && Why[0] <= 'z') Why[0] = static_cast<char>(Why[0] - ('a' - 'A'));
  return "Cannot open " + What + "\n" + Why;
}

}  // namespace

std::string LaunchTarget(TDriver& Platform, const std::string& Target,
                         const std::string& Parameters) {
  const TEntryAction Action = TargetAction(Target);
  if (Action == TEntryAction::eaUrl) return Failure(Target, Platform.ShellOpen(Target, "", ""));
  if (Action != TEntryAction::eaFile && Action != TEntryAction::eaFolder) return "";
  // The path is the one the availability check looked at.
  const std::string FullPath = TargetPath(Target);
  if (FullPath.empty())
    return Failure(Target, "its full path is longer than the 259 characters a target may have");
  if (Action == TEntryAction::eaFolder)
    return Failure(FullPath, Platform.ShellOpen(FullPath, "", FullPath));
  if (!TargetFileExists(FullPath)) return Failure(FullPath, "it is no longer there");
  return Failure(FullPath, Platform.ShellOpen(FullPath, Parameters, ExtractFilePath(FullPath)));
}
