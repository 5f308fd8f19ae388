// The author's check of menu.ini as text.
#include "SettingsCheck.h"

#include <algorithm>
#include <map>

#include "MenuKeys.h"
#include "NearestName.h"
#include "core/Exception.h"
#include "core/Font.h"
#include "menu/EntryAction.h"
#include "menu/MenuInfo.h"
#include "settings/ColorEncoding.h"
#include "settings/FontEncoding.h"
#include "settings/IntegerText.h"

namespace {

std::string DidYouMean(const std::string& Name, const std::vector<std::string>& Candidates) {
  const std::string Nearest = NearestName(Name, Candidates);
  return Nearest.empty() ? "" : "; did you mean " + Quoted(Nearest) + "?";
}

std::vector<std::string> Names(const std::vector<TMenuKey>& Keys) {
  std::vector<std::string> Result;
  for (const TMenuKey& Key : Keys) Result.emplace_back(Key.Name);
  return Result;
}

// The entry number a misspelt entry section most likely means: its digits.
std::vector<std::string> SectionCandidates(const std::string& Name) {
  std::vector<std::string> Candidates = {MainSection, "Prog_1"};
  std::string Digits;
  for (char C : Name)
    if (C >= '0' && C <= '9') Digits += C;
  if (!Digits.empty() && Digits.size() < 10) Candidates.push_back("Prog_" + Digits);
  return Candidates;
}

class TSettingsCheck {
 public:
  TSettingsCheck(TCheckContext& Context, std::int32_t ProgCount)
      : FContext(Context),
        FEntryCount(std::clamp(ProgCount, 0, TOstrelInfo::MaxEntries)),
        FProgCount(ProgCount) {}

  void Run() {
    CheckNames();
    CheckValues(MainSection, MainKeys);
    for (std::int32_t N = 1; N <= FEntryCount; ++N)
      if (FContext.LineOf(EntrySection(N)) != 0) CheckValues(EntrySection(N), EntryKeys);
    CheckEntrySections();
  }

 private:
  void Warn(int Line, const std::string& Key, const std::string& Message) {
    FContext.Add(Line, TSeverity::svWarning, Key, Message);
  }
  void Fail(const std::string& Section, const std::string& Key, const std::string& Message) {
    FContext.Add(FContext.LineOf(Section, Key), TSeverity::svError, Section + "." + Key, Message);
    FContext.MarkUnreadable(Section, Key);
  }

  // Sections and keys: repeated, unknown, or past the entries the menu reads.
  void CheckNames() {
    std::map<std::string, int> Sections;
    std::map<std::string, int> Keys;
    bool Read = false;
    const std::vector<TMenuKey>* Known = nullptr;
    for (const TProfileText::TLine& Line : FContext.Lines()) {
      if (Line.Header) {
        Keys.clear();
        Known = nullptr;
        auto [First, New] = Sections.emplace(Folded(Line.Section), Line.Number);
        Read = New;
        if (!New) {
          Warn(Line.Number, Line.Section,
               "section [" + Line.Section + "] is given again (first at line " +
                   std::to_string(First->second) + "); this one is ignored");
        } else if (Folded(Line.Section) == Folded(MainSection)) {
          Known = &MainKeys;
        } else if (std::optional<std::int32_t> N = EntryNumber(Line.Section)) {
          if (*N <= FEntryCount)
            Known = &EntryKeys;
          else
            Warn(Line.Number, Line.Section,
                 "section [" + Line.Section + "] is past ProgCount=" + std::to_string(FProgCount) +
                     " and is not read");
        } else {
          Warn(Line.Number, Line.Section,
               "unknown section [" + Line.Section + "]" +
                   DidYouMean(Line.Section, SectionCandidates(Line.Section)));
        }
        continue;
      }
      if (!Read || Known == nullptr) continue;
      const std::string Id = Line.Section + "." + Line.Key;
      auto [First, New] = Keys.emplace(Folded(Line.Key), Line.Number);
      if (!New) {
        Warn(Line.Number, Id,
             Quoted(Line.Key) + " is given again in [" + Line.Section + "] (first at line " +
                 std::to_string(First->second) + "); this one is ignored");
      } else if (std::none_of(Known->begin(), Known->end(), [&](const TMenuKey& Key) {
                   return Folded(Key.Name) == Folded(Line.Key);
                 })) {
        Warn(Line.Number, Id,
             "unknown key " + Quoted(Line.Key) + " in [" + Line.Section + "]" +
                 DidYouMean(Line.Key, Names(*Known)));
      }
    }
  }

  void CheckValues(const std::string& Section, const std::vector<TMenuKey>& Keys) {
    for (const TMenuKey& Key : Keys) {
      std::optional<std::string> Value = FContext.Value(Section, Key.Name);
      // An empty value is how a menu leaves a value to its default.
      if (!Value || Value->empty()) continue;
      const std::string Written = Quoted(std::string(Key.Name) + "=" + *Value);
      switch (Key.Kind) {
        case TValueKind::vkText:
          break;
        case TValueKind::vkInteger:
          if (!ParseInteger(*Value))
            Fail(Section, Key.Name,
                 Written + " is not a whole number; " + Key.Name + " is " + Key.Default);
          break;
        case TValueKind::vkBoolean:
          if (!ParseInteger(*Value))
            Fail(Section, Key.Name,
                 Written + " is not a number (0 for no, 1 for yes); " + Key.Name + " is " +
                     Key.Default);
          break;
        case TValueKind::vkColor:
          CheckColor(Section, Key, *Value, Written);
          break;
        case TValueKind::vkFont:
          CheckFont(Section, Key.Name, *Value, Written);
          break;
      }
    }
  }

  void CheckColor(const std::string& Section, const TMenuKey& Key, const std::string& Value,
                  const std::string& Written) {
    try {
      TextToColor(Value);
    } catch (const Exception&) {
      Fail(Section, Key.Name,
           Written + " is not a colour; " + Key.Name + " is " + Key.Default +
               DidYouMean(Value, ColorNames()));
    }
  }

  // The fields as the font reader takes them: split at "," or ";", blanks around each field
  // dropped; a colour that is none ends the reading there.
  void CheckFont(const std::string& Section, const std::string& Key, const std::string& Value,
                 const std::string& Written) {
    const TFont Default;
    std::vector<std::string> Fields;
    std::size_t Pos = 0;
    while (Pos < Value.size() && Fields.size() < 6) {
      std::size_t End = std::min(Value.find_first_of(",;", Pos), Value.size());
      std::string Field = Value.substr(Pos, End - Pos);
      while (!Field.empty() && static_cast<unsigned char>(Field.back()) <= 32) Field.pop_back();
      std::size_t Begin = 0;
      while (Begin < Field.size() && static_cast<unsigned char>(Field[Begin]) <= 32) ++Begin;
      Fields.push_back(Field.substr(Begin));
      Pos = End == Value.size() ? End : End + 1;
    }
    std::vector<std::string> Faults;
    const auto NotANumber = [&](std::size_t Index, const char* What, const std::string& Kept) {
      if (Index < Fields.size() && !Fields[Index].empty() && !ParseInteger(Fields[Index]))
        Faults.push_back(std::string("the ") + What + " " + Quoted(Fields[Index]) +
                         " is not a whole number, so it stays " + Kept);
    };
    NotANumber(1, "size", std::to_string(Default.Size()));
    NotANumber(3, "pitch", "0");
    if (Fields.size() > 4) {
      try {
        TextToColor(Fields[4]);
        NotANumber(5, "character set", "1");
      } catch (const Exception&) {
        const std::string Nearest = NearestName(Fields[4], ColorNames());
        Faults.push_back("the colour " + Quoted(Fields[4]) + " is not a colour" +
                         (Nearest.empty() ? "" : " (did you mean " + Quoted(Nearest) + "?)") +
                         ", so neither it nor the character set after it is read");
      }
    }
    if (Faults.empty()) return;
    std::string Message = Written + ": ";
    for (std::size_t I = 0; I < Faults.size(); ++I) Message += (I ? "; " : "") + Faults[I];
    Fail(Section, Key, Message);
  }

  // Entry sections the menu reads but the file lacks, and entries that close the menu by
  // default.
  void CheckEntrySections() {
    std::vector<std::string> Missing;
    for (std::int32_t N = 1; N <= FEntryCount; ++N) {
      const std::string Section = EntrySection(N);
      const int Header = FContext.LineOf(Section);
      if (Header == 0) {
        Missing.push_back("[" + Section + "]");
      } else if (FContext.LineOf(Section, "TerminateAfterStart") == 0 &&
                 TargetAction(FContext.Value(Section, "ExePath").value_or("")) !=
                     TEntryAction::eaExit) {
        Warn(Header, Section,
             "[" + Section + "] does not give TerminateAfterStart; it is 1, so the menu closes " +
                 "after this button starts its target (0 keeps it open)");
      }
    }
    if (Missing.empty()) return;
    std::string List;
    const std::size_t Shown = std::min<std::size_t>(Missing.size(), 5);
    for (std::size_t I = 0; I < Shown; ++I) List += (I ? ", " : "") + Missing[I];
    if (Missing.size() > Shown) List += " and " + std::to_string(Missing.size() - Shown) + " more";
    Warn(FContext.NearestLineOf(MainSection, "ProgCount"), MainSection + ".ProgCount",
         "ProgCount=" + std::to_string(FProgCount) + " but " + List +
             (Missing.size() == 1 ? " is" : " are") +
             " missing; such an entry is an empty button that opens nothing");
  }

  TCheckContext& FContext;
  std::int32_t FEntryCount;
  std::int32_t FProgCount;
};

}  // namespace

void CheckSettingsText(TCheckContext& Context, std::int32_t ProgCount) {
  TSettingsCheck(Context, ProgCount).Run();
}
