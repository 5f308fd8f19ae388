// What a menu button does, and whether it can.
#include "menu/EntryAction.h"

#include "core/Strings.h"
#include "platform/Driver.h"
#include "platform/TargetPath.h"

namespace {

constexpr std::string_view ExitTarget = "$EXIT$";

}  // namespace

const char* EntryActionName(TEntryAction Action) {
  switch (Action) {
    case TEntryAction::eaFile:
      return "file";
    case TEntryAction::eaFolder:
      return "folder";
    case TEntryAction::eaUrl:
      return "url";
    case TEntryAction::eaExit:
      return "exit";
    case TEntryAction::eaNone:
      break;
  }
  return "none";
}

TEntryAction TargetAction(const std::string& Target) {
  if (Target.empty()) return TEntryAction::eaNone;
  if (Target.size() == ExitTarget.size() && StartsWithAsciiCaseless(Target, ExitTarget))
    return TEntryAction::eaExit;
  if (IsUrlTarget(Target)) return TEntryAction::eaUrl;
  const std::string FullPath = TargetPath(Target);
  if (!FullPath.empty() && Driver().Files().DirectoryExists(FullPath))
    return TEntryAction::eaFolder;
  return TEntryAction::eaFile;
}

bool TargetAvailable(const std::string& Target) {
  switch (TargetAction(Target)) {
    case TEntryAction::eaExit:
    case TEntryAction::eaUrl:
    case TEntryAction::eaFolder:
      return true;
    case TEntryAction::eaFile:
      return TargetFileExists(TargetPath(Target));
    case TEntryAction::eaNone:
      break;
  }
  return false;
}
