// Decoding of Windows code pages through the C library's iconv converters.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/posix/IconvCodePage.h"

namespace {

constexpr int FallbackCodePage = 1252;
constexpr char32_t ReplacementCharacter = U'\uFFFD';

// Windows code pages whose iconv name is not "CP" followed by the number.
struct TCodePageName {
  int CodePage;
  const char* Name;
};

constexpr TCodePageName SpecialNames[] = {
    {20127, "ASCII"},       {20866, "KOI8-R"},      {21866, "KOI8-U"},     {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"}, {10000, "MACINTOSH"},  {65001, "UTF-8"},
};

iconv_t InvalidConverter() {
  return reinterpret_cast<iconv_t>(-1);
}

std::string IconvName(int CodePage) {
  for (const TCodePageName& Entry : SpecialNames)
    if (Entry.CodePage == CodePage) return Entry.Name;
  return "CP" + std::to_string(CodePage);
}

// One converter per code page, opened on first use. Converters carry shift state, so each
// thread keeps its own set rather than sharing them.
class TConverters {
 public:
  TConverters() = default;
  TConverters(const TConverters&) = delete;
  TConverters& operator=(const TConverters&) = delete;
  ~TConverters() {
    for (auto& [CodePage, Converter] : FConverters)
      if (Converter != InvalidConverter()) iconv_close(Converter);
  }

  // The converter to UTF-32LE for CodePage, that of 1252 when the C library has none for it.
  iconv_t For(int CodePage) {
    iconv_t Converter = Open(CodePage);
    return Converter != InvalidConverter() ? Converter : Open(FallbackCodePage);
  }

 private:
  iconv_t Open(int CodePage) {
    auto Found = FConverters.find(CodePage);
    if (Found != FConverters.end()) return Found->second;
    iconv_t Converter = iconv_open("UTF-32LE", IconvName(CodePage).c_str());
    FConverters.emplace(CodePage, Converter);
    return Converter;
  }

  std::unordered_map<int, iconv_t> FConverters;
};

// Appends the UTF-32LE code units between Begin and End to Result.
void AppendUtf32(const char* Begin, const char* End, std::u32string& Result) {
  for (const char* Unit = Begin; Unit + 4 <= End; Unit += 4) {
    const auto* Bytes = reinterpret_cast<const std::uint8_t*>(Unit);
    Result.push_back(static_cast<char32_t>(Bytes[0]) | static_cast<char32_t>(Bytes[1]) << 8 |
                     static_cast<char32_t>(Bytes[2]) << 16 | static_cast<char32_t>(Bytes[3]) << 24);
  }
}

// Writes out what the converter still holds (code pages that combine diacritics keep the last
// character back) and returns it to its initial state.
void Flush(iconv_t Converter, std::u32string& Result) {
  char Buffer[64];
  char* Out = Buffer;
  std::size_t OutLeft = sizeof(Buffer);
  iconv(Converter, nullptr, nullptr, &Out, &OutLeft);
  AppendUtf32(Buffer, Out, Result);
}

}  // namespace

std::u32string IconvDecodeCodePage(std::string_view Text, int CodePage) {
  thread_local TConverters Converters;
  iconv_t Converter = Converters.For(CodePage);
  std::u32string Result;
  // A C library without converters leaves Latin-1, the nearest reading of 1252.
  if (Converter == InvalidConverter()) {
    for (char Byte : Text) Result.push_back(static_cast<unsigned char>(Byte));
    return Result;
  }
  Result.reserve(Text.size());
  iconv(Converter, nullptr, nullptr, nullptr, nullptr);
  // iconv takes a non-const input pointer but never writes through it.
  char* In = const_cast<char*>(Text.data());
  std::size_t InLeft = Text.size();
  char Buffer[1024];
  while (InLeft > 0) {
    char* Out = Buffer;
    std::size_t OutLeft = sizeof(Buffer);
    std::size_t Converted = iconv(Converter, &In, &InLeft, &Out, &OutLeft);
    const int Error = errno;
    AppendUtf32(Buffer, Out, Result);
    if (Converted != static_cast<std::size_t>(-1) || Error == E2BIG) continue;
    // An invalid or truncated sequence costs its first byte only; the bytes after it may
    // start a valid character.
    Flush(Converter, Result);
    Result.push_back(ReplacementCharacter);
    ++In;
    --InLeft;
  }
  Flush(Converter, Result);
  return Result;
}
