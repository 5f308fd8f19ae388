// Fuzz target: the profile text parser, its lookups, and edits that must read back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProfileText.h"

namespace {

// Enough names to reach every kind of line without making one input cost seconds.
constexpr std::size_t MaxNamesTried = 16;

void CheckEdits(const TProfileText& Text, std::string_view Section, std::string_view Key) {
  constexpr std::string_view NewValue = "fuzz value";
  if (TProfileText::Writable(Section, Key, NewValue)) {
    const TProfileText Edited(Text.WithValue(Section, Key, NewValue));
    if (Edited.Value(Section, Key) != NewValue) std::abort();
  }
  if (auto Without = Text.WithoutKey(Section, Key)) TProfileText Reparsed(std::move(*Without));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const TProfileText Text(std::string(reinterpret_cast<const char*>(Data), Size));
  const std::vector<std::string_view> Sections = Text.SectionNames();
  for (std::size_t S = 0; S < Sections.size() && S < MaxNamesTried; ++S) {
    const std::vector<std::string_view> Keys = Text.KeyNames(Sections[S]);
    for (std::size_t K = 0; K < Keys.size() && K < MaxNamesTried; ++K) {
      if (!Text.Value(Sections[S], Keys[K])) std::abort();
      CheckEdits(Text, Sections[S], Keys[K]);
    }
    CheckEdits(Text, Sections[S], "NewKey");
    if (auto Without = Text.WithoutSection(Sections[S])) TProfileText Reparsed(std::move(*Without));
  }
  CheckEdits(Text, "New Section", "NewKey");
  return 0;
}
