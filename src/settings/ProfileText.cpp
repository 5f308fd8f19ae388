// The parsed form of one INI-style file's bytes: an index of its sections and keys, and edits.
#include "settings/ProfileText.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "core/LittleEndian.h"
#include "core/Utf8.h"

namespace {

constexpr std::string_view Utf16Mark = "\xFF\xFE";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view DefaultLineBreak = "\r\n";

bool IsBlank(char C) {
  const unsigned char Byte = static_cast<unsigned char>(C);
  return Byte == 0x20 || (Byte >= 0x09 && Byte <= 0x0D) || Byte == 0x1A;
}

bool IsLineBreak(char C) {
  return C == '\r' || C == '\n';
}

// CR LF and LF CR each count as one break, so that a blank line stays a line of its own.
std::size_t LineBreakLength(std::string_view Text, std::size_t At) {
  if (At >= Text.size()) return 0;
  const char Other = Text[At] == '\r' ? '\n' : '\r';
  return At + 1 < Text.size() && Text[At + 1] == Other ? 2 : 1;
}

unsigned char Folded(char C) {
  const unsigned char Byte = static_cast<unsigned char>(C);
  return Byte >= 'A' && Byte <= 'Z' ? static_cast<unsigned char>(Byte + ('a' - 'A')) : Byte;
}

int CompareIgnoringCase(std::string_view A, std::string_view B) {
  const std::size_t Common = std::min(A.size(), B.size());
  for (std::size_t I = 0; I < Common; ++I) {
    const unsigned char X = Folded(A[I]);
    const unsigned char Y = Folded(B[I]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

void AppendUtf16Unit(std::string& Out, std::uint32_t Unit) {
  Out += static_cast<char>(Unit & 0xFF);
  Out += static_cast<char>(Unit >> 8);
}

// A lone surrogate keeps its own three-byte form instead of becoming a replacement character,
// so that converting back gives the same bytes: an edit must leave the other lines as they were.
// An odd last byte is half a character and is dropped.
std::string Utf16LeToUtf8(std::string_view Bytes) {
  const std::size_t Count = Bytes.size() / 2;
  const auto Unit = [Bytes](std::size_t I) -> std::uint32_t { return ReadWord(Bytes, 2 * I); };
  std::string Out;
  Out.reserve(Count * 3 / 2);
  for (std::size_t I = 0; I < Count; ++I) {
    std::uint32_t Code = Unit(I);
    if (Code >= 0xD800 && Code <= 0xDBFF && I + 1 < Count) {
      const std::uint32_t Low = Unit(I + 1);
      if (Low >= 0xDC00 && Low <= 0xDFFF) {
        Code = 0x10000 + ((Code - 0xD800) << 10) + (Low - 0xDC00);
        ++I;
      }
    }
    AppendUtf8(Out, Code);
  }
  return Out;
}

std::string Utf8ToUtf16Le(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size() * 2);
  for (std::size_t I = 0; I < Text.size();) {
    const TUtf8Char Char = ReadUtf8(Text, I, TUtf8Surrogates::usAccept);
    char32_t Code = Char.Code;
    if (Code >= 0x10000) {
      Code -= 0x10000;
      AppendUtf16Unit(Out, 0xD800 + (Code >> 10));
      AppendUtf16Unit(Out, 0xDC00 + (Code & 0x3FF));
    } else {
      AppendUtf16Unit(Out, Code);
    }
    I += Char.Length;
  }
  return Out;
}

}  // namespace

TProfileText::TProfileText(std::string Bytes) {
  Decode(std::move(Bytes));
  Parse();
  Index();
}

TProfileText::TProfileText(std::string Bytes, TUnindexed) {
  Decode(std::move(Bytes));
  Parse();
}

std::vector<TProfileText::TLine> TProfileText::Lines(std::string Bytes) {
  const TProfileText Parsed(std::move(Bytes), TUnindexed{});
  const std::string_view All = Parsed.FText;
  std::vector<TLine> Result;
  Result.reserve(Parsed.FSections.size() + Parsed.FKeys.size());
  // Headers and keys are each in file order; line numbers come from one walk over the text.
  std::size_t LineStart = 0;
  int Number = 1;
  const auto NumberAt = [&](std::size_t Offset) {
    while (LineStart < Offset) {
      const std::size_t End = std::min(All.find_first_of("\r\n", LineStart), All.size());
      const std::size_t Next = End + LineBreakLength(All, End);
      if (Next > Offset) break;
      LineStart = Next;
      ++Number;
    }
    return Number;
  };
  for (const TSection& Section : Parsed.FSections) {
    const std::string Name(Parsed.Text(Section.Name));
    Result.push_back({NumberAt(Section.HeaderBegin), true, Name, "", ""});
    for (TOffset K = Section.FirstKey; K < Section.KeyEnd; ++K) {
      const TKey& Key = Parsed.FKeys[K];
      Result.push_back({NumberAt(Key.LineBegin), false, Name, std::string(Parsed.Text(Key.Name)),
                        std::string(Parsed.Text(Key.Value))});
    }
  }
  return Result;
}

void TProfileText::Decode(std::string Bytes) {
  const std::string_view View = Bytes;
  if (View.starts_with(Utf16Mark)) {
    FEncoding = TEncoding::enUtf16;
    FText = Utf16LeToUtf8(View.substr(Utf16Mark.size()));
  } else if (View.starts_with(Utf8Mark)) {
    FEncoding = TEncoding::enUtf8Mark;
    Bytes.erase(0, Utf8Mark.size());
    FText = std::move(Bytes);
  } else {
    FText = std::move(Bytes);
  }
  if (FText.size() > MaxTextSize) FText.resize(MaxTextSize);
}

void TProfileText::Parse() {
  const std::string_view All = FText;
  const auto Span = [](std::size_t Begin, std::size_t End) {
    return TSpan{static_cast<TOffset>(Begin), static_cast<TOffset>(End - Begin)};
  };
  std::size_t Pos = 0;
  while (Pos < All.size()) {
    const std::size_t TextEnd = std::min(All.find_first_of("\r\n", Pos), All.size());
    const std::size_t Next = TextEnd + LineBreakLength(All, TextEnd);
    std::size_t Begin = Pos;
    std::size_t End = TextEnd;
    while (Begin < End && IsBlank(All[Begin])) ++Begin;
    while (End > Begin && IsBlank(All[End - 1])) --End;

    if (Begin == End) {
      Pos = Next;  // a blank line: a key added to the section goes before it
      continue;
    }
    if (All[Begin] == '[') {
      if (!FSections.empty()) FSections.back().End = static_cast<TOffset>(Pos);
      std::size_t NameBegin = Begin + 1;
      std::size_t NameEnd = std::min(All.substr(0, End).find(']', NameBegin), End);
      while (NameBegin < NameEnd && IsBlank(All[NameBegin])) ++NameBegin;
      while (NameEnd > NameBegin && IsBlank(All[NameEnd - 1])) --NameEnd;
      TSection Section;
      Section.Name = Span(NameBegin, NameEnd);
      Section.HeaderBegin = static_cast<TOffset>(Pos);
      Section.FirstKey = Section.KeyEnd = static_cast<TOffset>(FKeys.size());
      FSections.push_back(Section);
    } else if (!FSections.empty() && All[Begin] != ';') {
      const std::size_t Equal = All.substr(0, End).find('=', Begin);
      if (Equal != std::string_view::npos) {
        std::size_t NameEnd = Equal;
        while (NameEnd > Begin && IsBlank(All[NameEnd - 1])) --NameEnd;
        std::size_t ValueBegin = Equal + 1;
        std::size_t ValueEnd = End;
        while (ValueBegin < ValueEnd && IsBlank(All[ValueBegin])) ++ValueBegin;
        if (ValueEnd - ValueBegin >= 2 && (All[ValueBegin] == '"' || All[ValueBegin] == '\'') &&
            All[ValueEnd - 1] == All[ValueBegin]) {
          ++ValueBegin;
          --ValueEnd;
        }
        // Callers of the classic service get C strings: nothing after a NUL reaches them.
        ValueEnd = std::min(All.substr(0, ValueEnd).find('\0', ValueBegin), ValueEnd);
        FKeys.push_back(TKey{Span(Begin, NameEnd), Span(ValueBegin, ValueEnd),
                             static_cast<TOffset>(Pos), static_cast<TOffset>(TextEnd),
                             static_cast<TOffset>(Next)});
        FSections.back().KeyEnd = static_cast<TOffset>(FKeys.size());
      }
    }
    if (!FSections.empty()) {
      FSections.back().LastTextEnd = static_cast<TOffset>(TextEnd);
      FSections.back().LastNext = static_cast<TOffset>(Next);
    }
    Pos = Next;
  }
  if (!FSections.empty()) FSections.back().End = static_cast<TOffset>(All.size());
}

void TProfileText::Index() {
  const auto SectionLess = [this](TOffset A, TOffset B) {
    return CompareIgnoringCase(Text(FSections[A].Name), Text(FSections[B].Name)) < 0;
  };
  const auto SectionSame = [this](TOffset A, TOffset B) {
    return CompareIgnoringCase(Text(FSections[A].Name), Text(FSections[B].Name)) == 0;
  };
  FSectionOrder.resize(FSections.size());
  std::iota(FSectionOrder.begin(), FSectionOrder.end(), TOffset{0});
  // Stable sorting keeps equal names in file order, so unique() keeps the first of each.
  std::stable_sort(FSectionOrder.begin(), FSectionOrder.end(), SectionLess);
  FSectionOrder.erase(std::unique(FSectionOrder.begin(), FSectionOrder.end(), SectionSame),
                      FSectionOrder.end());
  for (TOffset Index : FSectionOrder) FSections[Index].First = true;

  // The keys of the sections that can be found move down over those of the duplicates; each
  // section's keys are then sorted and stripped of later duplicates in place.
  const auto KeyLess = [this](const TKey& A, const TKey& B) {
    return CompareIgnoringCase(Text(A.Name), Text(B.Name)) < 0;
  };
  const auto KeySame = [this](const TKey& A, const TKey& B) {
    return CompareIgnoringCase(Text(A.Name), Text(B.Name)) == 0;
  };
  std::size_t Out = 0;
  for (TSection& Section : FSections) {
    const std::size_t Begin = Out;
    if (Section.First) {
      const auto From = FKeys.begin() + Section.FirstKey;
      const auto To = FKeys.begin() + Section.KeyEnd;
      if (Out != Section.FirstKey) std::move(From, To, FKeys.begin() + Out);
      Out += Section.KeyEnd - Section.FirstKey;
      const auto First = FKeys.begin() + Begin;
      std::stable_sort(First, FKeys.begin() + Out, KeyLess);
      Out = static_cast<std::size_t>(std::unique(First, FKeys.begin() + Out, KeySame) -
                                     FKeys.begin());
    }
    Section.FirstKey = static_cast<TOffset>(Begin);
    Section.KeyEnd = static_cast<TOffset>(Out);
  }
  FKeys.resize(Out);
}

const TProfileText::TSection* TProfileText::FindSection(std::string_view Name) const {
  const auto It =
      std::lower_bound(FSectionOrder.begin(), FSectionOrder.end(), Name,
                       [this](TOffset Index, std::string_view Wanted) {
                         return CompareIgnoringCase(Text(FSections[Index].Name), Wanted) < 0;
                       });
  if (It == FSectionOrder.end() || CompareIgnoringCase(Text(FSections[*It].Name), Name) != 0)
    return nullptr;
  return &FSections[*It];
}

const TProfileText::TKey* TProfileText::FindKey(const TSection& Section,
                                                std::string_view Name) const {
  const auto First = FKeys.begin() + Section.FirstKey;
  const auto Last = FKeys.begin() + Section.KeyEnd;
  const auto It =
      std::lower_bound(First, Last, Name, [this](const TKey& Key, std::string_view Wanted) {
        return CompareIgnoringCase(Text(Key.Name), Wanted) < 0;
      });
  if (It == Last || CompareIgnoringCase(Text(It->Name), Name) != 0) return nullptr;
  return &*It;
}

std::optional<std::string_view> TProfileText::Value(std::string_view Section,
                                                    std::string_view Key) const {
  const TSection* Found = FindSection(Section);
  if (Found == nullptr) return std::nullopt;
  const TKey* Line = FindKey(*Found, Key);
  if (Line == nullptr) return std::nullopt;
  return Text(Line->Value);
}

std::vector<std::string_view> TProfileText::SectionNames() const {
  std::vector<std::string_view> Names;
  Names.reserve(FSectionOrder.size());
  for (const TSection& Section : FSections)
    if (Section.First) Names.push_back(Text(Section.Name));
  return Names;
}

std::vector<std::string_view> TProfileText::KeyNames(std::string_view Section) const {
  const TSection* Found = FindSection(Section);
  if (Found == nullptr) return {};
  std::vector<const TKey*> Keys;
  for (TOffset I = Found->FirstKey; I < Found->KeyEnd; ++I) Keys.push_back(&FKeys[I]);
  std::sort(Keys.begin(), Keys.end(),
            [](const TKey* A, const TKey* B) { return A->LineBegin < B->LineBegin; });
  std::vector<std::string_view> Names;
  Names.reserve(Keys.size());
  for (const TKey* Key : Keys) Names.push_back(Text(Key->Name));
  return Names;
}

bool TProfileText::Writable(std::string_view Section, std::string_view Key,
                            std::string_view NewValue) {
  constexpr std::string_view Breaking("\r\n\0", 3);
  const auto Plain = [Breaking](std::string_view Text) {
    return Text.find_first_of(Breaking) == std::string_view::npos;
  };
  const auto Bare = [](std::string_view Name) {
    return !Name.empty() && !IsBlank(Name.front()) && !IsBlank(Name.back());
  };
  return Plain(Section) && Bare(Section) && Section.find(']') == std::string_view::npos &&
         Plain(Key) && Bare(Key) && Key.find('=') == std::string_view::npos && Key.front() != '[' &&
         Key.front() != ';' && Plain(NewValue);
}

std::string_view TProfileText::LineBreak() const {
  const std::size_t At = FText.find_first_of("\r\n");
  if (At == std::string::npos) return DefaultLineBreak;
  return std::string_view(FText).substr(At, LineBreakLength(FText, At));
}

std::string TProfileText::Spliced(std::size_t Begin, std::size_t End,
                                  std::string_view Insert) const {
  std::string Result;
  Result.reserve(FText.size() - (End - Begin) + Insert.size() + Utf8Mark.size());
  if (FEncoding == TEncoding::enUtf8Mark) Result.append(Utf8Mark);
  Result.append(FText, 0, Begin).append(Insert).append(FText, End);
  if (FEncoding == TEncoding::enUtf16) return std::string(Utf16Mark) + Utf8ToUtf16Le(Result);
  return Result;
}

std::string TProfileText::WithValue(std::string_view Section, std::string_view Key,
                                    std::string_view NewValue) const {
  std::string Line;
  Line.append(Key).append("=").append(NewValue);
  const std::string_view Break = LineBreak();
  const TSection* Found = FindSection(Section);
  if (Found == nullptr) {
    std::string Tail;
    if (!FText.empty() && !IsLineBreak(FText.back())) Tail.append(Break);
    Tail.append("[").append(Section).append("]").append(Break).append(Line).append(Break);
    return Spliced(FText.size(), FText.size(), Tail);
  }
  if (const TKey* Existing = FindKey(*Found, Key))
    return Spliced(Existing->LineBegin, Existing->TextEnd, Line);
  // The section's last line may end the file without a line break.
  if (Found->LastNext == Found->LastTextEnd)
    return Spliced(Found->LastNext, Found->LastNext, std::string(Break) + Line);
  return Spliced(Found->LastNext, Found->LastNext, Line + std::string(Break));
}

std::optional<std::string> TProfileText::WithoutKey(std::string_view Section,
                                                    std::string_view Key) const {
  const TSection* Found = FindSection(Section);
  if (Found == nullptr) return std::nullopt;
  const TKey* Existing = FindKey(*Found, Key);
  if (Existing == nullptr) return std::nullopt;
  return Spliced(Existing->LineBegin, Existing->LineNext, {});
}

std::optional<std::string> TProfileText::WithoutSection(std::string_view Section) const {
  const TSection* Found = FindSection(Section);
  if (Found == nullptr) return std::nullopt;
  return Spliced(Found->HeaderBegin, Found->End, {});
}
