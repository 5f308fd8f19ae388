// TOstrelInfo: the menu description loaded from menu.ini.
#include "menu/MenuInfo.h"

#include <algorithm>

#include "core/FilePath.h"
#include "menu/RegistryReference.h"
#include "platform/Driver.h"
#include "settings/PrivateProfile.h"

namespace {

const std::string MainSection = "Main";

}  // namespace

TOstrelInfo::TOstrelInfo(const std::string& FileName)
    : FFileName(FileName), FIniFile(std::make_unique<TTypedIniFile>(FileName)) {
  Load();
  // Opened only when some entry names the registry, so that plain menus never touch it.
  if (std::any_of(FEntries.begin(), FEntries.end(), [](const auto& Entry) {
        return IsRegistryReference(Entry->ExePath) || IsRegistryReference(Entry->LinuxExePath);
      })) {
    std::unique_ptr<TRegistryService> Registry = Driver().OpenRegistry();
    ResolveRegistryReferences(*Registry);
  }
}

TOstrelInfo::TOstrelInfo(const std::string& FileName, TRegistryService& Registry)
    : FFileName(FileName), FIniFile(std::make_unique<TTypedIniFile>(FileName)) {
  Load();
  ResolveRegistryReferences(Registry);
}

TOstrelInfo::~TOstrelInfo() = default;

const TProgInfo* TOstrelInfo::ProgInfo(std::int32_t Index) const {
  if (Index < 0 || Index >= EntryCount()) return nullptr;
  return FEntries[static_cast<std::size_t>(Index)].get();
}

void TOstrelInfo::Load() {
  // One version of the file for the whole menu, looked at once, even while another program
  // rewrites it.
  const TPrivateProfile::THold Snapshot(FIniFile->FileName());
#ifdef _WIN32
  const int CodePage = Driver().AnsiCodePage();
  FMenuDir = NormalDir(ExtractFilePath(FFileName, CodePage), CodePage);
#else
  // POSIX names are bytes split at "/" only: no code page's double-byte rule applies.
  FMenuDir = FFileName.substr(0, FFileName.rfind('/') + 1);
#endif
  FBackgroundPath = FMenuDir + FIniFile->ReadString(MainSection, "Background", "menu.bmp");
  std::string Icon = FIniFile->ReadString(MainSection, "Icon", "");
  if (!Icon.empty()) FIconPath = FMenuDir + Icon;
  FAppName = FIniFile->ReadString(MainSection, "AppName", "");
  FAppTaskName = FIniFile->ReadString(MainSection, "AppTaskName", "");
  FProgCount = FIniFile->ReadInteger(MainSection, "ProgCount", 1);

  std::int32_t Count = std::clamp(FProgCount, 0, MaxEntries);
  FEntries.reserve(static_cast<std::size_t>(Count));
  for (std::int32_t N = 1; N <= Count; ++N) {
    FEntries.push_back(std::make_unique<TProgInfo>());
    LoadEntry(*FEntries.back(), "Prog_" + std::to_string(N));
  }
}

void TOstrelInfo::LoadEntry(TProgInfo& Entry, const std::string& Section) {
  Entry.X = FIniFile->ReadInteger(Section, "X", 0);
  Entry.Y = FIniFile->ReadInteger(Section, "Y", 0);
  Entry.Width = FIniFile->ReadInteger(Section, "Width", 0);
  Entry.Height = FIniFile->ReadInteger(Section, "Height", 0);
  Entry.ButtonText = FIniFile->ReadString(Section, "ButtonText", "");
  FIniFile->ReadFont(Section, "FontInfo", Entry.FontInfo);
  Entry.HighlightColor = FIniFile->ReadColor(Section, "HighlightColor", Entry.HighlightColor);
  Entry.TopContourColor = FIniFile->ReadColor(Section, "TopContourColor", Entry.TopContourColor);
  Entry.BottomContourColor =
      FIniFile->ReadColor(Section, "BottomContourColor", Entry.BottomContourColor);
  Entry.ExePath = FIniFile->ReadString(Section, "ExePath", "");
  Entry.ExeCommandLine = FIniFile->ReadString(Section, "ExeCommandLine", "");
  Entry.LinuxExePath = FIniFile->ReadString(Section, "LinuxExePath", "");
  Entry.LinuxCommandLine = FIniFile->ReadString(Section, "LinuxCommandLine", "");
  Entry.PreRunMessage = FIniFile->ReadString(Section, "PreRunMessage", "");
  Entry.AfterRunMessage = FIniFile->ReadString(Section, "AfterRunMessage", "");
  Entry.PreRunConfirm = FIniFile->ReadBool(Section, "PreRunConfirm", false);
  Entry.TerminateAfterStart = FIniFile->ReadBool(Section, "TerminateAfterStart", true);
  Entry.Hint = FIniFile->ReadString(Section, "Hint", "");
}

void TOstrelInfo::ResolveRegistryReferences(TRegistryService& Registry) {
  for (auto& Entry : FEntries)
    for (std::string* Target : {&Entry->ExePath, &Entry->LinuxExePath})
      if (IsRegistryReference(*Target)) *Target = ResolveRegistryReference(*Target, Registry);
}
