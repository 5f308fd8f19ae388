// The integer text rule of settings values.
#include "settings/IntegerText.h"

#include "core/Exception.h"

namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// Hexadecimal digits from Pos to the end: at most eight significant ones, read as the signed
// value of their 32-bit pattern.
std::optional<std::int32_t> ParseHex(const std::string& Text, std::size_t Pos) {
  if (Pos >= Text.size()) return std::nullopt;
  std::uint32_t Value = 0;
  for (std::size_t I = Pos; I < Text.size(); ++I) {
    int Digit = HexDigit(Text[I]);
    if (Digit < 0) return std::nullopt;
    if (I > Pos && Value > 0x0FFFFFFFu) return std::nullopt;
    Value = (Value << 4) | static_cast<std::uint32_t>(Digit);
  }
  return static_cast<std::int32_t>(Value);
}

std::optional<std::int32_t> ParseDecimal(const std::string& Text, std::size_t Pos) {
  bool Negative = false;
  if (Pos < Text.size() && (Text[Pos] == '-' || Text[Pos] == '+')) {
    Negative = Text[Pos] == '-';
    ++Pos;
  }
  if (Pos >= Text.size()) return std::nullopt;
  std::uint32_t Magnitude = 0;
  for (std::size_t I = Pos; I < Text.size(); ++I) {
    if (Text[I] < '0' || Text[I] > '9') return std::nullopt;
    if (I > Pos && Magnitude > 214748364u) return std::nullopt;
    Magnitude = Magnitude * 10 + static_cast<std::uint32_t>(Text[I] - '0');
  }
  if (Negative) {
    if (Magnitude > 2147483648u) return std::nullopt;
    return static_cast<std::int32_t>(0u - Magnitude);
  }
  if (Magnitude > 2147483647u) return std::nullopt;
  return static_cast<std::int32_t>(Magnitude);
}

}  // namespace

std::optional<std::int32_t> ParseInteger(const std::string& Text) {
  std::size_t Pos = 0;
  while (Pos < Text.size() && Text[Pos] == ' ') ++Pos;
  if (Pos >= Text.size()) return std::nullopt;
  char First = Text[Pos];
  if (First == '$' || First == 'x' || First == 'X') return ParseHex(Text, Pos + 1);
  if (First == '0' && Pos + 1 < Text.size() && (Text[Pos + 1] == 'x' || Text[Pos + 1] == 'X'))
    return ParseHex(Text, Pos + 2);
  return ParseDecimal(Text, Pos);
}

std::int32_t TextToInt(const std::string& Text) {
  if (auto Value = ParseInteger(Text)) return *Value;
  throw EConvertError(FormatMessage("'%s' is not a valid integer value", Text));
}

std::int32_t TextToIntDef(const std::string& Text, std::int32_t Default) {
  return ParseInteger(Text).value_or(Default);
}
