// What the author's check finds in a menu, and its two printed forms.
#pragma once

#include <string>
#include <vector>

enum class TSeverity { svError, svWarning };

// One mistake or doubtful value, pointed at a line of a file (0 when no line applies).
struct TFinding {
  std::string File;
  int Line = 0;
  TSeverity Severity = TSeverity::svWarning;
  // Where in the menu: "Section.Key", a section's name, or empty for the whole file.
  std::string Key;
  std::string Message;
};

// Orders findings by file and line, keeping the order of those on one line.
void SortFindings(std::vector<TFinding>& Findings);

// "FILE:LINE: error: TEXT" lines, then "N errors, M warnings".
std::string FindingsText(const std::vector<TFinding>& Findings);
// A JSON array of objects with file, line, severity, key and message.
std::string FindingsJson(const std::vector<TFinding>& Findings);

bool HasErrors(const std::vector<TFinding>& Findings);
