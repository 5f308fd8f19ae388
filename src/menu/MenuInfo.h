// TOstrelInfo: the menu description loaded from menu.ini, with its entries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Object.h"
#include "menu/ProgInfo.h"
#include "platform/Registry.h"
#include "settings/TypedIniFile.h"

// Loaded completely by the constructor and read-only afterwards. Nothing in the file can make
// loading fail: every missing or malformed value takes its default.
class TOstrelInfo : public TObject {
 public:
  // The most entries a menu gets, whatever ProgCount says; each becomes a button, and a window
  // of more buttons than this is no menu anyone can use.
  static constexpr std::int32_t MaxEntries = 10000;

  // Loads FileName, resolving registry path references against the system registry.
  explicit TOstrelInfo(const std::string& FileName);
  TOstrelInfo(const std::string& FileName, TRegistryService& Registry);
  TOstrelInfo(const TOstrelInfo&) = delete;
  TOstrelInfo& operator=(const TOstrelInfo&) = delete;
  ~TOstrelInfo() override;

  const std::string& FileName() const { return FFileName; }
  // The folder of the file, ending in its separator.
  const std::string& MenuDir() const { return FMenuDir; }
  const std::string& AppName() const { return FAppName; }
  const std::string& AppTaskName() const { return FAppTaskName; }
  // The menu folder followed by Background; never empty.
  const std::string& BackgroundPath() const { return FBackgroundPath; }
  // The menu folder followed by Icon; empty when Icon is.
  const std::string& IconPath() const { return FIconPath; }
  // As read, which may be 0, negative, or more than there are entries.
  std::int32_t ProgCount() const { return FProgCount; }
  // ProgCount when positive, at most MaxEntries; 0 otherwise.
  std::int32_t EntryCount() const { return static_cast<std::int32_t>(FEntries.size()); }

  // The entry at a 0-based index, or nullptr when there is none.
  const TProgInfo* ProgInfo(std::int32_t Index) const;

 private:
  void Load();
  void LoadEntry(TProgInfo& Entry, const std::string& Section);
  void ResolveRegistryReferences(TRegistryService& Registry);

  std::string FAppName;
  std::string FAppTaskName;
  std::string FBackgroundPath;
  std::string FIconPath;
  std::int32_t FProgCount = 0;
  std::string FFileName;
  std::string FMenuDir;
  std::unique_ptr<TTypedIniFile> FIniFile;
  std::vector<std::unique_ptr<TProgInfo>> FEntries;
};
