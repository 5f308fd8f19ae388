// Decoding of Windows code pages through the system's own tables.
#include <windows.h>

#include <climits>
#include <string>

#include "platform/win32/Win32CodePage.h"

namespace {

constexpr UINT FallbackCodePage = 1252;
constexpr char32_t ReplacementCharacter = U'\uFFFD';

// Appends UTF-16 units as code points; an unpaired surrogate becomes U+FFFD.
void AppendWide(const wchar_t* Units, int Count, std::u32string& Result) {
  for (int I = 0; I < Count; ++I) {
    const char32_t Unit = static_cast<char16_t>(Units[I]);
    const bool High = Unit >= 0xD800 && Unit <= 0xDBFF;
    if (High && I + 1 < Count && Units[I + 1] >= 0xDC00 && Units[I + 1] <= 0xDFFF) {
      Result.push_back(0x10000 + ((Unit - 0xD800) << 10) +
                       (static_cast<char16_t>(Units[I + 1]) - 0xDC00));
      ++I;
    } else if (High || (Unit >= 0xDC00 && Unit <= 0xDFFF)) {
      Result.push_back(ReplacementCharacter);
    } else {
      Result.push_back(Unit);
    }
  }
}

// Converts the bytes if every one of them is defined in the code page.
bool ConvertStrict(UINT CodePage, std::string_view Bytes, std::u32string& Result) {
  const int Length = static_cast<int>(Bytes.size());
  const int Needed =
      MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, Bytes.data(), Length, nullptr, 0);
  if (Needed <= 0) return false;
  std::wstring Wide(static_cast<std::size_t>(Needed), L'\0');
  MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, Bytes.data(), Length, Wide.data(), Needed);
  AppendWide(Wide.data(), Needed, Result);
  return true;
}

}  // namespace

std::u32string Win32DecodeCodePage(std::string_view Text, int CodePage) {
  std::u32string Result;
  if (Text.empty() || Text.size() > INT_MAX) return Result;
  UINT Page = CodePage > 0 ? static_cast<UINT>(CodePage) : FallbackCodePage;
  if (!IsValidCodePage(Page)) Page = FallbackCodePage;
  Result.reserve(Text.size());
  if (ConvertStrict(Page, Text, Result)) return Result;
  // Some byte is undefined: character by character, so that it costs its first byte only and
  // the bytes after it may start a valid character.
  std::size_t Pos = 0;
  while (Pos < Text.size()) {
    const auto Lead = static_cast<BYTE>(Text[Pos]);
    std::size_t Length = 1;
    if (Page == CP_UTF8) {
      Length = Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 1;
    } else if (IsDBCSLeadByteEx(Page, Lead)) {
      Length = 2;
    }
    Length = std::min(Length, Text.size() - Pos);
    if (ConvertStrict(Page, Text.substr(Pos, Length), Result)) {
      Pos += Length;
    } else {
      Result.push_back(ReplacementCharacter);
      ++Pos;
    }
  }
  return Result;
}
