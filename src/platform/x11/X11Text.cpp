// Window names in the two encodings window managers read.
#include "platform/x11/X11Text.h"

#include <cstddef>

#include "core/Utf8.h"

namespace {

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
    const TUtf8Char Char = ReadUtf8(Utf8, Index);
    const char32_t Code = Char.Code;
    Index += Char.Length;
    AppendUtf8(Name.Utf8, Code);
    const bool Control = Code < 0x20 || (Code >= 0x7F && Code < 0xA0);
    AppendUtf8(Name.Legible, Control && !InLatin1Text(Code) ? U'?' : Code);
    Name.Latin1 += InLatin1Text(Code) ? static_cast<char>(Code) : '?';
    if (!Control && Code > 0xFF) Name.Latin1Enough = false;
  }
  return Name;
}
