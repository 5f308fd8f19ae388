// Conversions between 8-bit code-page text and UTF-8.
#include "framework/TextCodec.h"

#include "framework/Accelerator.h"
#include "platform/Driver.h"

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the upper half is Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string Cp1252ToUtf8(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (char Ch : Text) {
    unsigned char C = static_cast<unsigned char>(Ch);
    char32_t Point = C >= 0x80 && C <= 0x9F ? Cp1252High[C - 0x80] : C;
    AppendUtf8(Out, Point);
  }
  return Out;
}

std::string DisplayText(std::string_view Text) {
  return IsValidUtf8(Text) ? std::string(Text) : Cp1252ToUtf8(Text);
}

int CodePageOfCharset(TFontCharset Charset) {
  switch (Charset) {
    case ANSI_CHARSET:
      return 1252;
    case RUSSIAN_CHARSET:
      return 1251;
    case EASTEUROPE_CHARSET:
      return 1250;
    case GREEK_CHARSET:
      return 1253;
    case TURKISH_CHARSET:
      return 1254;
    case HEBREW_CHARSET:
      return 1255;
    case ARABIC_CHARSET:
      return 1256;
    case BALTIC_CHARSET:
      return 1257;
    case THAI_CHARSET:
      return 874;
    case SHIFTJIS_CHARSET:
      return 932;
    case HANGEUL_CHARSET:
      return 949;
    case GB2312_CHARSET:
      return 936;
    case CHINESEBIG5_CHARSET:
      return 950;
    case OEM_CHARSET:
      return 437;
    default:
      return Driver().AnsiCodePage();
  }
}

std::u32string DecodeText(std::string_view Text, TFontCharset Charset) {
  bool Ascii = true;
  for (char C : Text) Ascii = Ascii && static_cast<unsigned char>(C) < 0x80;
  if (Ascii) return std::u32string(Text.begin(), Text.end());
  if (IsValidUtf8(Text)) return Utf8ToUtf32(Text);
  return Driver().DecodeCodePage(Text, CodePageOfCharset(Charset));
}

std::string LowerCaseAfterFirst(std::string_view Text) {
  if (IsValidUtf8(Text)) {
    const std::u32string Characters = Utf8ToUtf32(Text);
    std::string Lower;
    for (std::size_t I = 0; I < Characters.size(); ++I)
      AppendUtf8(Lower, I == 0 ? Characters[I] : FoldCase(Characters[I]));
    return Lower;
  }
  const int CodePage = CodePageOfCharset(DEFAULT_CHARSET);
  auto CharacterOf = [CodePage](unsigned Byte) {
    const char Single = static_cast<char>(Byte);
    return Driver().DecodeCodePage(std::string_view(&Single, 1), CodePage)[0];
  };
  std::string Lower(Text);
  for (std::size_t I = 0; I < Lower.size(); ++I) {
    const auto Byte = static_cast<unsigned char>(Lower[I]);
    if (IsLeadByte(Byte, CodePage)) {
      ++I;
      continue;
    }
    const char32_t Small = FoldCase(CharacterOf(Byte));
    if (I == 0 || Small == CharacterOf(Byte)) continue;
    for (unsigned Candidate = 0; Candidate < 0x100; ++Candidate)
      if (CharacterOf(Candidate) == Small) {
        Lower[I] = static_cast<char>(Candidate);
        break;
      }
  }
  return Lower;
}
