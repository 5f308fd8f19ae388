// Reads Wine's text registry files (system.reg, user.reg): one indexing pass, keys parsed on
// demand.
#include "platform/posix/RegistryHive.h"

#include <cstdint>
#include <utility>

#include "core/LittleEndian.h"
#include "core/Utf8.h"
#include "platform/posix/AsciiCase.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

constexpr std::string_view Signature = "WINE REGISTRY Version 2";

// Registry type numbers of the two string types; every other type is read as rdOther.
constexpr std::uint32_t TypeString = 1;
constexpr std::uint32_t TypeExpandString = 2;
constexpr std::uint32_t TypeBinary = 3;
constexpr std::uint32_t TypeDword = 4;

bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r';
}

bool AllBlank(std::string_view Text) {
  for (char C : Text)
    if (!IsBlank(C)) return false;
  return true;
}

void SkipBlanks(std::string_view Line, std::size_t& Pos) {
  while (Pos < Line.size() && IsBlank(Line[Pos])) ++Pos;
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// Reads up to MaxDigits hex digits at Pos; nothing when there is none.
std::optional<std::uint32_t> ReadHex(std::string_view Line, std::size_t& Pos, int MaxDigits) {
  std::uint32_t Value = 0;
  int Digits = 0;
  while (Digits < MaxDigits && Pos < Line.size() && HexDigit(Line[Pos]) >= 0) {
    Value = Value * 16 + static_cast<std::uint32_t>(HexDigit(Line[Pos]));
    ++Pos;
    ++Digits;
  }
  if (Digits == 0) return std::nullopt;
  return Value;
}

// The lines of a text without their line ends ("\n" or "\r\n").
class TLineReader {
 public:
  explicit TLineReader(std::string_view Text) : FText(Text) {}

  bool Next(std::string_view& Line) {
    if (FPos >= FText.size()) return false;
    std::size_t End = FText.find('\n', FPos);
    if (End == std::string_view::npos) End = FText.size();
    Line = FText.substr(FPos, End - FPos);
    if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
    FPos = End < FText.size() ? End + 1 : End;
    return true;
  }

  // Offset of the next line in the text.
  std::size_t Position() const { return FPos; }

 private:
  std::string_view FText;
  std::size_t FPos = 0;
};

// Builds UTF-8 from a mix of UTF-16 code units (escapes, binary string data) and bytes that
// are already UTF-8 (characters written into the file as they are). A surrogate that has no
// partner becomes U+FFFD.
class TUtf8Builder {
 public:
  void AddUnit(char16_t Unit) {
    bool Low = Unit >= 0xDC00 && Unit <= 0xDFFF;
    if (FHigh != 0 && Low) {
      AppendUtf8(FText, 0x10000 + ((char32_t{FHigh} - 0xD800) << 10) + (Unit - 0xDC00));
      FHigh = 0;
      return;
    }
    FlushHigh();
    if (Unit >= 0xD800 && Unit <= 0xDBFF)
      FHigh = Unit;
    else
      AppendUtf8(FText, Low ? 0xFFFD : Unit);
  }

  void AddByte(char Byte) {
    FlushHigh();
    FText += Byte;
  }

  std::string Finish() {
    FlushHigh();
    return std::move(FText);
  }

 private:
  void FlushHigh() {
    if (FHigh != 0) AppendUtf8(FText, 0xFFFD);
    FHigh = 0;
  }

  std::string FText;
  char16_t FHigh = 0;
};

// The control character a letter escape (\n, \t, ...) stands for, or 0 for other letters.
char16_t ControlEscape(char C) {
  constexpr std::string_view Letters = "abtnvfre";
  constexpr char16_t Codes[] = {7, 8, 9, 10, 11, 12, 13, 27};
  std::size_t Index = Letters.find(C);
  return Index == std::string_view::npos ? 0 : Codes[Index];
}

// Decodes escaped text from Pos up to the first unescaped Close and leaves Pos just after it.
// Nothing when the line ends first. Escapes are those of C, with \x taking 1 to 4 hex digits
// of a UTF-16 code unit and \0.. up to 3 octal digits; any other escaped character stands
// for itself.
std::optional<std::string> ReadEscaped(std::string_view Line, std::size_t& Pos, char Close) {
  TUtf8Builder Text;
  while (Pos < Line.size()) {
    char C = Line[Pos++];
    if (C == Close) return Text.Finish();
    if (C != '\\') {
      Text.AddByte(C);
      continue;
    }
    if (Pos >= Line.size()) break;
    C = Line[Pos++];
    if (char16_t Control = ControlEscape(C)) {
      Text.AddUnit(Control);
    } else if (C == 'x') {
      if (auto Unit = ReadHex(Line, Pos, 4))
        Text.AddUnit(static_cast<char16_t>(*Unit));
      else
        Text.AddByte('x');
    } else if (C >= '0' && C <= '7') {
      std::uint32_t Unit = static_cast<std::uint32_t>(C - '0');
      for (int I = 1; I < 3 && Pos < Line.size() && Line[Pos] >= '0' && Line[Pos] <= '7'; ++I)
        Unit = Unit * 8 + static_cast<std::uint32_t>(Line[Pos++] - '0');
      Text.AddUnit(static_cast<char16_t>(Unit));
    } else {
      Text.AddByte(C);
    }
  }
  return std::nullopt;
}

// True when a line can only start a value (or a key), never continue one.
bool StartsEntry(std::string_view Line) {
  std::size_t Pos = 0;
  SkipBlanks(Line, Pos);
  return Pos < Line.size() && (Line[Pos] == '"' || Line[Pos] == '@' || Line[Pos] == '[');
}

// Reads comma-separated hex bytes from Pos; a "\" at the end of a line continues the list on
// the next line of Lines. Nothing when the list is malformed or breaks off.
std::optional<std::string> ReadHexBytes(std::string_view Line, std::size_t Pos,
                                        TLineReader& Lines) {
  std::string Bytes;
  for (;;) {
    SkipBlanks(Line, Pos);
    if (Pos >= Line.size()) return Bytes;
    if (Line[Pos] == '\\') {
      TLineReader Ahead = Lines;
      if (!AllBlank(Line.substr(Pos + 1)) || !Ahead.Next(Line) || StartsEntry(Line))
        return std::nullopt;
      Lines = Ahead;
      Pos = 0;
      continue;
    }
    auto Byte = ReadHex(Line, Pos, 2);
    if (!Byte) return std::nullopt;
    Bytes += static_cast<char>(*Byte);
    SkipBlanks(Line, Pos);
    if (Pos < Line.size() && Line[Pos] == ',')
      ++Pos;
    else if (Pos < Line.size() && Line[Pos] != '\\')
      return std::nullopt;
  }
}

std::string CutAtNul(std::string_view Text) {
  return std::string(Text.substr(0, Text.find('\0')));
}

// String data written in binary form (when the stored data lacks its final NUL): UTF-16LE.
std::string Utf16Text(std::string_view Bytes) {
  TUtf8Builder Text;
  for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2)
    Text.AddUnit(static_cast<char16_t>(ReadWord(Bytes, I)));
  return Text.Finish();
}

bool IsStringType(std::uint32_t Type) {
  return Type == TypeString || Type == TypeExpandString;
}

TRegData MakeData(std::uint32_t Type, std::string Text) {
  TRegData Data;
  if (IsStringType(Type)) {
    Data.DataType = Type == TypeString ? TRegDataType::rdString : TRegDataType::rdExpandString;
    Data.Data = CutAtNul(Text);
  }
  return Data;
}

// Reads "(<hex type>):" at Pos, as in str(2): or hex(7):.
std::optional<std::uint32_t> ReadTypeSuffix(std::string_view Line, std::size_t& Pos) {
  if (Pos >= Line.size() || Line[Pos] != '(') return std::nullopt;
  ++Pos;
  auto Type = ReadHex(Line, Pos, 8);
  if (!Type || Line.substr(Pos, 2) != "):") return std::nullopt;
  Pos += 2;
  return Type;
}

// The data after "=" of a value line: "text", str(N):"text", dword:N, hex:.. or hex(N):...
std::optional<TRegData> ReadData(std::string_view Line, std::size_t Pos, TLineReader& Lines) {
  std::string_view Rest = Line.substr(Pos);
  std::uint32_t Type = TypeString;
  if (Rest.starts_with("str")) {
    Pos += 3;
    auto Suffix = ReadTypeSuffix(Line, Pos);
    if (!Suffix) return std::nullopt;
    Type = *Suffix;
    Rest = Line.substr(Pos);
    if (!Rest.starts_with('"')) return std::nullopt;
  }
  if (Rest.starts_with('"')) {
    ++Pos;
    auto Text = ReadEscaped(Line, Pos, '"');
    if (!Text || !AllBlank(Line.substr(Pos))) return std::nullopt;
    return MakeData(Type, std::move(*Text));
  }
  if (Rest.starts_with("dword:")) {
    Pos += 6;
    if (!ReadHex(Line, Pos, 8) || !AllBlank(Line.substr(Pos))) return std::nullopt;
    return MakeData(TypeDword, {});
  }
  if (!Rest.starts_with("hex")) return std::nullopt;
  Pos += 3;
  Type = TypeBinary;
  if (Line.substr(Pos, 1) == ":") {
    ++Pos;
  } else {
    auto Suffix = ReadTypeSuffix(Line, Pos);
    if (!Suffix) return std::nullopt;
    Type = *Suffix;
  }
  auto Bytes = ReadHexBytes(Line, Pos, Lines);
  if (!Bytes) return std::nullopt;
  return MakeData(Type, IsStringType(Type) ? Utf16Text(*Bytes) : std::string());
}

// One value line (with its continuation lines, taken from Lines): "Name"=data or @=data.
std::optional<std::pair<std::string, TRegData>> ReadValue(std::string_view Line,
                                                          TLineReader& Lines) {
  std::size_t Pos = 1;
  std::string Name;
  if (Line.starts_with('"')) {
    auto Escaped = ReadEscaped(Line, Pos, '"');
    if (!Escaped) return std::nullopt;
    Name = std::move(*Escaped);
  } else if (!Line.starts_with('@')) {
    return std::nullopt;
  }
  SkipBlanks(Line, Pos);
  if (Pos >= Line.size() || Line[Pos] != '=') return std::nullopt;
  ++Pos;
  SkipBlanks(Line, Pos);
  auto Data = ReadData(Line, Pos, Lines);
  if (!Data) return std::nullopt;
  return std::make_pair(std::move(Name), std::move(*Data));
}

}  // namespace

std::optional<TRegData> TRegValues::Find(std::string_view Name) const {
  if (!FValues) return std::nullopt;
  auto It = FValues->find(LowerAscii(Name));
  if (It == FValues->end()) return std::nullopt;
  return It->second;
}

void TRegValues::Set(std::string_view Name, TRegData Data) {
  if (!FValues)
    FValues = std::make_shared<std::unordered_map<std::string, TRegData>>();
  else if (FValues.use_count() > 1)
    FValues = std::make_shared<std::unordered_map<std::string, TRegData>>(*FValues);
  FValues->insert_or_assign(LowerAscii(Name), std::move(Data));
}

TRegistryHive::TRegistryHive(std::string Text) {
  if (Text.size() > MaxSize) return;
  FText = std::move(Text);
  BuildIndex();
}

TRegistryHive TRegistryHive::Load(const std::string& FileName) {
  auto Stamp = TPosixFileSystem().FileStamp(FileName);
  if (!Stamp || Stamp->Size < 0 || static_cast<std::uint64_t>(Stamp->Size) > MaxSize) return {};
  std::string Bytes;
  // One byte over the limit tells a file that grew past it since the stamp was taken.
  if (TPosixFileSystem().ReadFileBytes(FileName, MaxSize + 1, Bytes) != TReadStatus::rsRead)
    return {};
  return TRegistryHive(std::move(Bytes));
}

void TRegistryHive::BuildIndex() {
  TLineReader Lines(FText);
  std::string_view Line;
  if (!Lines.Next(Line) || !Line.starts_with(Signature) || !AllBlank(Line.substr(Signature.size())))
    return;
  FIndex[""];
  // Only key headers matter here; value lines are left for ReadKey. A header without its "]"
  // still ends the key before it, so that the lines after it are not taken for that key's.
  std::optional<std::string> Key;
  std::size_t Begin = 0;
  for (;;) {
    std::size_t Start = Lines.Position();
    bool More = Lines.Next(Line);
    if (More && (Line.empty() || Line[0] != '[')) continue;
    if (Key) AddKey(*Key, {Begin, More ? Start : FText.size()});
    if (!More) break;
    std::size_t Pos = 1;
    Key = ReadEscaped(Line, Pos, ']');
    Begin = Lines.Position();
  }
}

void TRegistryHive::AddKey(std::string_view Name, TSpan Span) {
  std::string Lower = LowerAscii(Name);
  if (auto It = FIndex.find(Lower); It != FIndex.end()) {
    It->second.Spans.push_back(Span);
    return;
  }
  const std::string_view Stored = FNames.emplace_back(std::move(Lower));
  FIndex[Stored].Spans.push_back(Span);
  // A file lists only the keys that hold values or have no subkeys; the others exist as the
  // parents of what it lists. Once a parent is known, so are all of its own parents.
  for (std::size_t End = Stored.rfind('\\'); End != std::string_view::npos;
       End = End == 0 ? std::string_view::npos : Stored.rfind('\\', End - 1)) {
    if (!FIndex.try_emplace(Stored.substr(0, End)).second) break;
  }
}

std::optional<TRegValues> TRegistryHive::ReadKey(std::string_view KeyPath) const {
  auto It = FIndex.find(LowerAscii(KeyPath));
  if (It == FIndex.end()) return std::nullopt;
  const TKey& Key = It->second;
  if (!Key.Values) {
    TRegValues Values;
    for (const TSpan& Span : Key.Spans) {
      TLineReader Lines(std::string_view(FText).substr(Span.Begin, Span.End - Span.Begin));
      std::string_view Line;
      while (Lines.Next(Line))
        if (auto Value = ReadValue(Line, Lines)) Values.Set(Value->first, std::move(Value->second));
    }
    Key.Values = std::move(Values);
  }
  return Key.Values;
}
