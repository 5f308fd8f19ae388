// The text of a value as the profile reader hands it out.
#include "settings/ValueText.h"

#include "core/Utf8.h"

std::string_view CutValue(std::string_view Text, std::size_t Limit) {
  if (Text.size() <= Limit) return Text;
  if (!IsValidUtf8(Text)) return Text.substr(0, Limit);
  std::size_t End = Limit;
  while (End > 0 && (static_cast<unsigned char>(Text[End]) & 0xC0) == 0x80) --End;
  return Text.substr(0, End);
}

std::string WithoutSurrogates(std::string_view Text) {
  std::string Out(Text);
  for (std::size_t I = 0; I + 2 < Out.size(); ++I) {
    const auto Second = static_cast<unsigned char>(Out[I + 1]);
    const auto Third = static_cast<unsigned char>(Out[I + 2]);
    if (static_cast<unsigned char>(Out[I]) == 0xED && Second >= 0xA0 && Second <= 0xBF &&
        (Third & 0xC0) == 0x80) {
      Out.replace(I, 3, "\xEF\xBF\xBD");
      I += 2;
    }
  }
  return Out;
}
