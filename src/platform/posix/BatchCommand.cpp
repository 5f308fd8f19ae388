// The words that start a batch file through wine's cmd.
#include "platform/posix/BatchCommand.h"

#include <string_view>

namespace {

constexpr std::string_view Specials = "^&|<>()";

std::string Escaped(const std::string& Word) {
  if (Word.find_first_of(" \t") != std::string::npos) return Word;
  std::string Result;
  for (char C : Word) {
    if (C == '%')
      Result += '%';
    else if (Specials.find(C) != std::string_view::npos)
      Result += '^';
    Result += C;
  }
  return Result;
}

}  // namespace

std::optional<std::vector<std::string>> BatchArguments(const std::string& WindowsPath,
                                                       const std::vector<std::string>& Parameters) {
  if (WindowsPath.find('"') != std::string::npos) return std::nullopt;
  std::vector<std::string> Words = {"cmd", "/c", "@", WindowsPath + " "};
  for (const std::string& Parameter : Parameters) {
    if (Parameter.find('"') != std::string::npos) return std::nullopt;
    Words.push_back(Escaped(Parameter));
  }
  return Words;
}
