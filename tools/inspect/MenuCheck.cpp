// The author's check of a whole menu.
#include "MenuCheck.h"

#include <cerrno>
#include <cstring>

#include "CheckContext.h"
#include "EntryCheck.h"
#include "SettingsCheck.h"
#include "WindowCheck.h"
#include "menu/MenuInfo.h"
#include "platform/Driver.h"
#include "settings/PrivateProfile.h"

std::vector<TFinding> CheckMenu(const std::string& MenuFile, TRegistryService& Registry) {
  std::string Bytes;
  errno = 0;
  const TReadStatus Status =
      Driver().Files().ReadFileBytes(MenuFile, TPrivateProfile::MaxFileSize + 1, Bytes);
  if (Status != TReadStatus::rsRead) {
    const std::string Why = Status == TReadStatus::rsMissing
                                ? "is missing"
                                : std::string("cannot be read: ") + std::strerror(errno);
    return {{MenuFile, 0, TSeverity::svError, "",
             MenuFile + " " + Why + "; the menu does not start without it"}};
  }
  const bool Cut = Bytes.size() > TPrivateProfile::MaxFileSize;
  if (Cut) Bytes.resize(TPrivateProfile::MaxFileSize);
  TCheckContext Context(MenuFile, TProfileText::Lines(std::move(Bytes)));
  if (Cut)
    Context.Add(0, TSeverity::svWarning, "",
                "the file is larger than " + std::to_string(TPrivateProfile::MaxFileSize >> 20) +
                    " MiB; the menu reads only that much of it");
  const TOstrelInfo Menu(MenuFile, Registry);
  CheckSettingsText(Context, Menu.ProgCount());
  CheckEntries(Context, Menu, Registry);
  CheckWindow(Context, Menu);
  std::vector<TFinding> Findings = Context.TakeFindings();
  SortFindings(Findings);
  return Findings;
}
