// Fuzz target: the text hive reader, indexing a whole file and reading the keys it names.
//
// Input: the first line is a key path and a value name separated by a tab, looked up after
// the rest has been read as a hive; every key header of the hive is read as well.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/posix/RegistryHive.h"

namespace {

constexpr std::size_t MaxKeysRead = 64;

void ReadKeyAndValues(const TRegistryHive& Hive, std::string_view KeyPath,
                      std::string_view ValueName) {
  if (auto Values = Hive.ReadKey(KeyPath)) {
    Values->Find(ValueName);
    Values->Find("");
  }
}

// The raw text of a header line as a key path: escapes are left in, but doubled "\" become
// single ones, which is how most key names in a hive read back.
std::string HeaderPath(std::string_view Line) {
  const std::size_t End = std::min(Line.find(']'), Line.size());
  std::string Path;
  for (std::size_t I = 1; I < Line.size() && I < End; ++I) {
    if (Line[I] == '\\' && I + 1 < End && Line[I + 1] == '\\') ++I;
    Path += Line[I];
  }
  return Path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const std::size_t QueryEnd = Input.find('\n');
  const std::string_view Query = Input.substr(0, QueryEnd);
  const std::string_view HiveText =
      QueryEnd == std::string_view::npos ? std::string_view() : Input.substr(QueryEnd + 1);
  const TRegistryHive Hive{std::string(HiveText)};

  const std::size_t Tab = Query.find('\t');
  ReadKeyAndValues(Hive, Query.substr(0, Tab),
                   Tab == std::string_view::npos ? std::string_view() : Query.substr(Tab + 1));
  ReadKeyAndValues(Hive, "", "");
  std::size_t KeysRead = 0;
  for (std::size_t Pos = 0; Pos < HiveText.size() && KeysRead < MaxKeysRead;) {
    std::size_t End = HiveText.find('\n', Pos);
    if (End == std::string_view::npos) End = HiveText.size();
    const std::string_view Line = HiveText.substr(Pos, End - Pos);
    if (Line.starts_with('[')) {
      ReadKeyAndValues(Hive, HeaderPath(Line), "");
      ++KeysRead;
    }
    Pos = End + 1;
  }
  return 0;
}
