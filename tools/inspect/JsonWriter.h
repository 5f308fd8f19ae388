// A small writer of JSON text: objects, arrays, strings, numbers and Booleans, indented.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TJsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the object being written.
  void Key(std::string_view Name);
  // Text that must already be UTF-8.
  void String(std::string_view Utf8);
  void Number(std::int64_t Value);
  void Boolean(bool Value);

  const std::string& Text() const { return FText; }

 private:
  void BeforeValue();
  void NewLine();

  std::string FText;
  // One level per open object or array: whether it has a member yet.
  std::vector<bool> FHasMembers;
  bool FAfterKey = false;
};

// Text as a JSON string literal, quotes included.
std::string JsonQuote(std::string_view Utf8);
