// The registry on POSIX systems: the text hives of a Wine prefix, read only.
#include "platform/posix/WineRegistry.h"

#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/posix/PosixFileSystem.h"

namespace {

bool IsSeparator(char C) {
  return C == '\\' || C == '/';
}

bool IsAsciiLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

// The Linux path of a Windows path inside the prefix: "C:\dir\x" is
// <prefix>/dosdevices/c:/dir/x and "\\server\share\x" is <prefix>/dosdevices/unc/server/share/x.
// The dosdevices entries are links Wine keeps up to date, so they stay in the path rather than
// being replaced by their targets. Any other text is no path of the prefix and stays as it is.
std::string MapPath(const std::string& Prefix, const std::string& Text) {
  std::string Device;
  std::string_view Rest;
  if (Text.size() >= 2 && IsAsciiLetter(Text[0]) && Text[1] == ':' &&
      (Text.size() == 2 || IsSeparator(Text[2]))) {
    Device = {static_cast<char>(Text[0] | 0x20), ':'};
    Rest = std::string_view(Text).substr(2);
  } else if (Text.size() > 2 && IsSeparator(Text[0]) && IsSeparator(Text[1])) {
    Device = "unc";
    Rest = std::string_view(Text).substr(1);
  } else {
    return Text;
  }
  return TPosixFileSystem().ResolveFileName(Prefix + "/dosdevices/" + Device + std::string(Rest));
}

class TWineKey : public TRegistryKey {
 public:
  TWineKey(std::string Prefix, TRegValues Values)
      : FPrefix(std::move(Prefix)), FValues(std::move(Values)) {}

  std::optional<TRegData> QueryValue(const std::string& Name) const override {
    auto Data = FValues.Find(Name);
    if (Data && Data->DataType != TRegDataType::rdOther) Data->Data = MapPath(FPrefix, Data->Data);
    return Data;
  }

 private:
  std::string FPrefix;
  TRegValues FValues;
};

std::string EnvironmentText(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

}  // namespace

TWineRegistry::TWineRegistry(std::string Prefix) : FPrefix(std::move(Prefix)) {
  while (FPrefix.size() > 1 && FPrefix.back() == '/') FPrefix.pop_back();
}

std::unique_ptr<TWineRegistry> TWineRegistry::FromEnvironment() {
  std::string Prefix = EnvironmentText("WINEPREFIX");
  if (Prefix.empty()) {
    std::string Home = EnvironmentText("HOME");
    if (!Home.empty()) Prefix = Home + "/.wine";
  }
  return std::make_unique<TWineRegistry>(std::move(Prefix));
}

std::unique_ptr<TRegistryKey> TWineRegistry::OpenKeyReadOnly(TRegRoot Root,
                                                             const std::string& KeyPath) {
  if (FPrefix.empty()) return nullptr;
  const TRegistryHive* Source = nullptr;
  if (Root == HKEY_LOCAL_MACHINE)
    Source = &Hive(FMachine, "system.reg");
  else if (Root == HKEY_CURRENT_USER)
    Source = &Hive(FUser, "user.reg");
  if (!Source) return nullptr;
  std::string_view Path = KeyPath;
  if (Path.starts_with('\\')) Path.remove_prefix(1);
  auto Values = Source->ReadKey(Path);
  if (!Values) return nullptr;
  return std::make_unique<TWineKey>(FPrefix, std::move(*Values));
}

const TRegistryHive& TWineRegistry::Hive(std::optional<TRegistryHive>& Slot, const char* FileName) {
  if (!Slot) Slot = TRegistryHive::Load(FPrefix + "/" + FileName);
  return *Slot;
}
