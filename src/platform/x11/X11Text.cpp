// Window names in the two encodings window managers read.
#include "platform/x11/X11Text.h"

#include <cstddef>

#include "platform/Utf8.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

// The code point of the sequence at Text[Index], advancing Index past it; a malformed sequence
// (bad lead or continuation byte, cut short, overlong, surrogate, past U+10FFFF) gives the
// replacement character for its first byte alone.
char32_t NextCodePoint(const std::string& Text, std::size_t& Index) {
  const auto Lead = static_cast<unsigned char>(Text[Index]);
  std::size_t Length = 0;
  char32_t Code = 0;
  if (Lead < 0x80) {
    Length = 1;
    Code = Lead;
  } else if ((Lead & 0xE0) == 0xC0) {
    Length = 2;
    Code = Lead & 0x1F;
  } else if ((Lead & 0xF0) == 0xE0) {
    Length = 3;
    Code = Lead & 0x0F;
  } else if ((Lead & 0xF8) == 0xF0) {
    Length = 4;
    Code = Lead & 0x07;
  }
  bool Valid = Length > 0 && Index + Length <= Text.size();
  for (std::size_t K = 1; Valid && K < Length; ++K) {
    const auto Next = static_cast<unsigned char>(Text[Index + K]);
    Valid = (Next & 0xC0) == 0x80;
    Code = (Code << 6) | (Next & 0x3F);
  }
  constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (Valid && (Code < Least[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)))
    Valid = false;
  if (!Valid) {
    ++Index;
    return Replacement;
  }
  Index += Length;
  return Code;
}

// Latin-1 text properties hold no control characters but tab and newline.
bool InLatin1Text(char32_t Code) {
  if (Code == U'\t' || Code == U'\n') return true;
  return (Code >= 0x20 && Code < 0x7F) || (Code >= 0xA0 && Code <= 0xFF);
}

}  // namespace

TX11Name X11NameOf(const std::string& Utf8) {
  TX11Name Name;
  std::size_t Index = 0;
  while (Index < Utf8.size()) {
    const char32_t Code = NextCodePoint(Utf8, Index);
    AppendUtf8(Name.Utf8, Code);
    Name.Latin1 += InLatin1Text(Code) ? static_cast<char>(Code) : '?';
  }
  return Name;
}
