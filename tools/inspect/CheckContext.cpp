// What the parts of the author's check share.
#include "CheckContext.h"

#include "MenuKeys.h"

TCheckContext::TCheckContext(std::string File, std::vector<TProfileText::TLine> Lines)
    : FFile(std::move(File)), FLines(std::move(Lines)) {
  // Only the first section of a name is read, and in it only the first key of a name.
  std::size_t Header = 0;
  for (std::size_t I = 0; I < FLines.size(); ++I) {
    const TProfileText::TLine& Line = FLines[I];
    const std::string Section = Id(Line.Section, "");
    if (Line.Header) {
      FFirst.emplace(Section, I);
      Header = I;
    } else if (FFirst.at(Section) == Header) {
      FFirst.emplace(Id(Line.Section, Line.Key), I);
    }
  }
}

std::string TCheckContext::Id(const std::string& Section, const std::string& Key) {
  return Folded(Section + "\n" + Key);
}

int TCheckContext::LineOf(const std::string& Section, const std::string& Key) const {
  auto Found = FFirst.find(Id(Section, Key));
  return Found == FFirst.end() ? 0 : FLines[Found->second].Number;
}

int TCheckContext::NearestLineOf(const std::string& Section, const std::string& Key) const {
  const int Line = LineOf(Section, Key);
  return Line != 0 ? Line : LineOf(Section);
}

std::optional<std::string> TCheckContext::Value(const std::string& Section,
                                                const std::string& Key) const {
  auto Found = FFirst.find(Id(Section, Key));
  if (Found == FFirst.end()) return std::nullopt;
  return FLines[Found->second].Value;
}

void TCheckContext::Add(int Line, TSeverity Severity, const std::string& Key,
                        const std::string& Message) {
  FFindings.push_back({FFile, Line, Severity, Key, Message});
}

void TCheckContext::MarkUnreadable(const std::string& Section, const std::string& Key) {
  FUnreadable.insert(Id(Section, Key));
}

bool TCheckContext::Unreadable(const std::string& Section, const std::string& Key) const {
  return FUnreadable.count(Id(Section, Key)) != 0;
}
