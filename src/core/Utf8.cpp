// Reading UTF-8 text.
#include "core/Utf8.h"

TUtf8Char ReadUtf8(std::string_view Text, std::size_t At, TUtf8Surrogates Surrogates) {
  constexpr TUtf8Char Invalid{0xFFFD, 1, false};
  const auto Lead = static_cast<unsigned char>(Text[At]);
  if (Lead < 0x80) return {Lead, 1, true};
  const std::size_t Length = Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 0;
  if (Length == 0 || Lead > 0xF4 || Text.size() - At < Length) return Invalid;
  char32_t Code = Lead & (0x7Fu >> Length);
  for (std::size_t K = 1; K < Length; ++K) {
    const auto Next = static_cast<unsigned char>(Text[At + K]);
    if ((Next & 0xC0) != 0x80) return Invalid;
    Code = (Code << 6) | (Next & 0x3Fu);
  }
  constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (Code < Least[Length] || Code > 0x10FFFF) return Invalid;
  if (Surrogates == TUtf8Surrogates::usReject && Code >= 0xD800 && Code <= 0xDFFF) return Invalid;
  return {Code, Length, true};
}

bool IsValidUtf8(std::string_view Text) {
  for (std::size_t I = 0; I < Text.size();) {
    const TUtf8Char Char = ReadUtf8(Text, I);
    if (!Char.Valid) return false;
    I += Char.Length;
  }
  return true;
}

std::u32string Utf8ToUtf32(std::string_view Text) {
  std::u32string Out;
  Out.reserve(Text.size());
  for (std::size_t I = 0; I < Text.size();) {
    const TUtf8Char Char = ReadUtf8(Text, I);
    Out += Char.Code;
    I += Char.Length;
  }
  return Out;
}
