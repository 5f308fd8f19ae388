// Fuzz target: registry path references cut from an entry's target and resolved against a
// memory registry that the rest of the input fills.
//
// Input: the first line is the target text; each further line stores one value as
// "<root><key path>\t<name>\t<data>", the root letter M for the local machine and anything else
// for the current user, data starting with "%" an expandable string and with "#" no string.
// A line without a tab only creates the key, one starting with "!" denies access to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzScratch.h"
#include "menu/EntryAction.h"
#include "menu/ProgInfo.h"
#include "menu/RegistryReference.h"
#include "platform/headless/MemoryRegistry.h"

namespace {

std::string_view NextField(std::string_view& Line, char Separator) {
  const std::size_t End = Line.find(Separator);
  const std::string_view Field = Line.substr(0, End);
  Line = End == std::string_view::npos ? std::string_view() : Line.substr(End + 1);
  return Field;
}

TRegData DataOf(std::string_view Text) {
  if (Text.starts_with('%')) return {TRegDataType::rdExpandString, std::string(Text.substr(1))};
  if (Text.starts_with('#')) return {TRegDataType::rdOther, std::string(Text.substr(1))};
  return {TRegDataType::rdString, std::string(Text)};
}

void Store(TMemoryRegistry& Registry, std::string_view Line) {
  const bool Deny = Line.starts_with('!');
  if (Deny) Line.remove_prefix(1);
  if (Line.empty()) return;
  const TRegRoot Root = Line[0] == 'M' ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  Line.remove_prefix(1);
  const bool HasValue = Line.find('\t') != std::string_view::npos;
  const std::string KeyPath(NextField(Line, '\t'));
  if (Deny) {
    Registry.DenyAccess(Root, KeyPath);
  } else if (!HasValue) {
    Registry.AddKey(Root, KeyPath);
  } else {
    const std::string Name(NextField(Line, '\t'));
    Registry.SetValue(Root, KeyPath, Name, DataOf(Line));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // One value names a file that exists, so that the path where the registry wins is reached.
  static TFuzzScratch Scratch;
  static const std::string Existing = Scratch.Write("target.exe", "");
  std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const std::string ExePath(NextField(Input, '\n'));
  TMemoryRegistry Registry;
  Registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Fuzz", "Path",
                    {TRegDataType::rdString, Existing});
  while (!Input.empty()) Store(Registry, NextField(Input, '\n'));

  const TRegistryReference Reference = ParseRegistryReference(ExePath);
  // The parts are cut from the text, so none can be longer than it.
  if (Reference.RootName.size() > 4 || Reference.KeyPath.size() > ExePath.size() ||
      Reference.ValueName.size() > ExePath.size() || Reference.Default.size() > ExePath.size())
    std::abort();
  const std::string Resolved = ResolveRegistryReference(ExePath, Registry);
  if (Resolved != Reference.Default && !TargetAvailable(Resolved)) std::abort();
  return 0;
}
