// A small writer of JSON text.
#include "JsonWriter.h"

#include <cstdio>

std::string JsonQuote(std::string_view Utf8) {
  std::string Out = "\"";
  for (char C : Utf8) {
    switch (C) {
      case '"':
        Out += "\\\"";
        break;
      case '\\':
        Out += "\\\\";
        break;
      case '\b':
        Out += "\\b";
        break;
      case '\f':
        Out += "\\f";
        break;
      case '\n':
        Out += "\\n";
        break;
      case '\r':
        Out += "\\r";
        break;
      case '\t':
        Out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(C) < 0x20) {
          char Escape[8];
          std::snprintf(Escape, sizeof Escape, "\\u%04x", static_cast<unsigned>(C));
          Out += Escape;
        } else {
          Out += C;
        }
    }
  }
  return Out + "\"";
}

void TJsonWriter::NewLine() {
  FText += '\n';
  FText.append(FHasMembers.size() * 2, ' ');
}

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (FHasMembers.empty()) return;
  if (FHasMembers.back()) FText += ',';
  FHasMembers.back() = true;
  NewLine();
}

void TJsonWriter::BeginObject() {
  BeforeValue();
  FText += '{';
  FHasMembers.push_back(false);
}

void TJsonWriter::EndObject() {
  bool HadMembers = FHasMembers.back();
  FHasMembers.pop_back();
  if (HadMembers) NewLine();
  FText += '}';
  if (FHasMembers.empty()) FText += '\n';
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  FText += '[';
  FHasMembers.push_back(false);
}

void TJsonWriter::EndArray() {
  bool HadMembers = FHasMembers.back();
  FHasMembers.pop_back();
  if (HadMembers) NewLine();
  FText += ']';
}

void TJsonWriter::Key(std::string_view Name) {
  BeforeValue();
  FText += JsonQuote(Name) + ": ";
  FAfterKey = true;
}

void TJsonWriter::String(std::string_view Utf8) {
  BeforeValue();
  FText += JsonQuote(Utf8);
}

void TJsonWriter::Number(std::int64_t Value) {
  BeforeValue();
  FText += std::to_string(Value);
}

void TJsonWriter::Boolean(bool Value) {
  BeforeValue();
  FText += Value ? "true" : "false";
}
