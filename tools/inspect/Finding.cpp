// What the author's check finds, printed for people and for programs.
#include "Finding.h"

#include <algorithm>

#include "JsonWriter.h"
#include "framework/TextCodec.h"

namespace {

const char* SeverityName(TSeverity Severity) {
  return Severity == TSeverity::svError ? "error" : "warning";
}

std::string Counted(std::size_t Count, const char* Noun) {
  return std::to_string(Count) + " " + Noun + (Count == 1 ? "" : "s");
}

}  // namespace

void SortFindings(std::vector<TFinding>& Findings) {
  std::stable_sort(Findings.begin(), Findings.end(), [](const TFinding& A, const TFinding& B) {
    return A.File != B.File ? A.File < B.File : A.Line < B.Line;
  });
}

std::string FindingsText(const std::vector<TFinding>& Findings) {
  std::string Text;
  std::size_t Errors = 0;
  for (const TFinding& Finding : Findings) {
    Errors += Finding.Severity == TSeverity::svError;
    Text += DisplayText(Finding.File) + ":" + std::to_string(Finding.Line) + ": " +
            SeverityName(Finding.Severity) + ": " + DisplayText(Finding.Message) + "\n";
  }
  return Text + Counted(Errors, "error") + ", " + Counted(Findings.size() - Errors, "warning") +
         "\n";
}

std::string FindingsJson(const std::vector<TFinding>& Findings) {
  TJsonWriter Json;
  Json.BeginArray();
  for (const TFinding& Finding : Findings) {
    Json.BeginObject();
    Json.Key("file");
    Json.String(DisplayText(Finding.File));
    Json.Key("line");
    Json.Number(Finding.Line);
    Json.Key("severity");
    Json.String(SeverityName(Finding.Severity));
    Json.Key("key");
    Json.String(DisplayText(Finding.Key));
    Json.Key("message");
    Json.String(DisplayText(Finding.Message));
    Json.EndObject();
  }
  Json.EndArray();
  return Json.Text() + "\n";
}

bool HasErrors(const std::vector<TFinding>& Findings) {
  return std::any_of(Findings.begin(), Findings.end(), [](const TFinding& Finding) {
    return Finding.Severity == TSeverity::svError;
  });
}
