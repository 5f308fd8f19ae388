// What the parts of the author's check share: the menu file's lines and the findings so far.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "Finding.h"
#include "settings/ProfileText.h"

class TCheckContext {
 public:
  TCheckContext(std::string File, std::vector<TProfileText::TLine> Lines);

  const std::string& File() const { return FFile; }
  const std::vector<TProfileText::TLine>& Lines() const { return FLines; }

  // The line of the section's first header, or of Key in that section; 0 when absent.
  int LineOf(const std::string& Section, const std::string& Key = "") const;
  // The line of Key when given, else of the section's header, else 0.
  int NearestLineOf(const std::string& Section, const std::string& Key) const;
  // The value the menu reads for Key: its first line in the section's first header.
  std::optional<std::string> Value(const std::string& Section, const std::string& Key) const;

  void Add(int Line, TSeverity Severity, const std::string& Key, const std::string& Message);
  // Marks a value whose text was no value of its type, so that no later finding repeats it.
  void MarkUnreadable(const std::string& Section, const std::string& Key);
  bool Unreadable(const std::string& Section, const std::string& Key) const;

  std::vector<TFinding> TakeFindings() { return std::move(FFindings); }

 private:
  static std::string Id(const std::string& Section, const std::string& Key);

  std::string FFile;
  std::vector<TProfileText::TLine> FLines;
  // Index into FLines of the first header of each section and of each key read from it.
  std::unordered_map<std::string, std::size_t> FFirst;
  std::set<std::string> FUnreadable;
  std::vector<TFinding> FFindings;
};
