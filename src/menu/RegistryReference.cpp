// Registry path references, cut from their text and resolved against the registry.
#include "menu/RegistryReference.h"

#include <exception>

#include "menu/EntryAction.h"

namespace {

// Characters From to To of Text, counted from 1 and both included; empty when the range starts
// past the end or ends before it starts.
std::string Chars(const std::string& Text, std::size_t From, std::size_t To) {
  if (From < 1) From = 1;
  if (From > Text.size() || To < From) return "";
  if (To > Text.size()) To = Text.size();
  return Text.substr(From - 1, To - From + 1);
}

// 1-based position of Marker in Text, 0 when it does not occur.
std::size_t Position(const std::string& Text, const char* Marker) {
  std::string::size_type At = Text.find(Marker);
  return At == std::string::npos ? 0 : At + 1;
}

}  // namespace

bool IsRegistryReference(const std::string& ExePath) {
  return ExePath.find("$REG$") != std::string::npos;
}

TRegistryReference ParseRegistryReference(const std::string& ExePath) {
  std::size_t KeyAt = Position(ExePath, "$KEY$");
  std::size_t DefAt = Position(ExePath, "$DEF$");
  if (DefAt == 0) DefAt = ExePath.size() + 1;
  TRegistryReference Reference;
  Reference.RootName = Chars(ExePath, 6, 9);
  // Without "$KEY$" the key path is empty and the value name starts at the marker's last "$".
  Reference.KeyPath = KeyAt == 0 ? "" : Chars(ExePath, 10, KeyAt - 1);
  Reference.ValueName = Chars(ExePath, KeyAt + 5, DefAt - 1);
  Reference.Default = Chars(ExePath, DefAt + 5, ExePath.size());
  return Reference;
}

TRegRoot RegistryRoot(const std::string& RootName) {
  return RootName == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::string ResolveRegistryReference(const std::string& ExePath, TRegistryService& Registry) {
  TRegistryReference Reference = ParseRegistryReference(ExePath);
  try {
    std::string KeyPath = Reference.KeyPath;
    if (!KeyPath.empty() && KeyPath[0] == '\\') KeyPath.erase(0, 1);
    std::unique_ptr<TRegistryKey> Key =
        Registry.OpenKeyReadOnly(RegistryRoot(Reference.RootName), KeyPath);
    if (!Key) return Reference.Default;
    std::optional<TRegData> Value = Key->QueryValue(Reference.ValueName);
    if (!Value || Value->DataType == TRegDataType::rdOther) return Reference.Default;
    return TargetAvailable(Value->Data) ? Value->Data : Reference.Default;
  } catch (const std::exception&) {
    return Reference.Default;
  }
}
