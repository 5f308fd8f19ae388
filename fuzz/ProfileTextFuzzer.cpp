// Fuzz target: the profile text parser, its lookups, and edits that must read back as written
// and keep every other value.
#include <algorithm>
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

struct TValue {
  std::string_view Section;
  std::string_view Key;
  std::string_view Value;
};

bool SameName(std::string_view A, std::string_view B) {
  const auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C; };
  return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                    [Lower](char X, char Y) { return Lower(X) == Lower(Y); });
}

void CheckEdits(const TProfileText& Text, std::string_view Section, std::string_view Key) {
  constexpr std::string_view NewValue = "fuzz value";
  if (TProfileText::Writable(Section, Key, NewValue)) {
    const TProfileText Edited(Text.WithValue(Section, Key, NewValue));
    if (Edited.Value(Section, Key) != NewValue) std::abort();
  }
  if (auto Without = Text.WithoutKey(Section, Key)) TProfileText Reparsed(std::move(*Without));
}

// Setting Key of Section, named as the file spells them or not, changes no other value.
void CheckSetKeepsTheRest(const TProfileText& Text, const std::vector<TValue>& Values,
                          std::string_view Section, std::string_view Key) {
  constexpr std::string_view NewValue = "1";
  const TProfileText Edited(Text.WithValue(Section, Key, NewValue));
  if (Edited.Value(Section, Key) != NewValue) std::abort();
  for (const TValue& Old : Values)
    if (!SameName(Old.Section, Section) || !SameName(Old.Key, Key))
      if (Edited.Value(Old.Section, Old.Key) != Old.Value) std::abort();
}

// Erasing a section changes no value of another section.
void CheckEraseKeepsTheRest(const TProfileText& Text, const std::vector<TValue>& Values,
                            std::string_view Section) {
  auto Erased = Text.WithoutSection(Section);
  if (!Erased) std::abort();
  const TProfileText Rest(std::move(*Erased));
  for (const TValue& Old : Values)
    if (Old.Section != Section && Rest.Value(Old.Section, Old.Key) != Old.Value) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const TProfileText Text(std::string(reinterpret_cast<const char*>(Data), Size));
  const std::vector<std::string_view> Sections = Text.SectionNames();
  std::vector<TValue> Values;
  for (std::size_t S = 0; S < Sections.size() && S < MaxNamesTried; ++S) {
    const std::vector<std::string_view> Keys = Text.KeyNames(Sections[S]);
    for (std::size_t K = 0; K < Keys.size() && K < MaxNamesTried; ++K) {
      const auto Value = Text.Value(Sections[S], Keys[K]);
      if (!Value) std::abort();
      Values.push_back({Sections[S], Keys[K], *Value});
      CheckEdits(Text, Sections[S], Keys[K]);
    }
    CheckEdits(Text, Sections[S], "NewKey");
    if (auto Without = Text.WithoutSection(Sections[S])) TProfileText Reparsed(std::move(*Without));
  }
  CheckEdits(Text, "New Section", "NewKey");
  CheckSetKeepsTheRest(Text, Values, "new", "key");
  if (!Values.empty()) {
    CheckSetKeepsTheRest(Text, Values, Values.front().Section, "zz");
    CheckEraseKeepsTheRest(Text, Values, Values.front().Section);
  }
  return 0;
}
