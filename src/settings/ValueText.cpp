// The text of a value as the profile reader hands it out.
#include "settings/ValueText.h"

#include <cstdint>

namespace {

// The length of the well-formed character at At, or 0.
std::size_t CharacterLength(std::string_view Text, std::size_t At) {
  const auto Byte = [Text](std::size_t I) { return static_cast<unsigned char>(Text[I]); };
  const unsigned char Lead = Byte(At);
  if (Lead < 0x80) return 1;
  const std::size_t Length = Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 0;
  if (Length == 0 || Lead > 0xF4 || Text.size() - At < Length) return 0;
  std::uint32_t Code = Lead & (0x7Fu >> Length);
  for (std::size_t K = 1; K < Length; ++K) {
    if ((Byte(At + K) & 0xC0) != 0x80) return 0;
    Code = (Code << 6) | (Byte(At + K) & 0x3Fu);
  }
  constexpr std::uint32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (Code < Least[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return 0;
  return Length;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view Text) {
  for (std::size_t I = 0; I < Text.size();) {
    const std::size_t Length = CharacterLength(Text, I);
    if (Length == 0) return false;
    I += Length;
  }
  return true;
}

std::string_view CutValue(std::string_view Text, std::size_t Limit) {
  if (Text.size() <= Limit) return Text;
  if (!IsWellFormedUtf8(Text)) return Text.substr(0, Limit);
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
