// The framework's exception classes and their message formatting.
#include "core/Exception.h"

std::string FormatMessage(const std::string& Pattern, const std::string& Argument) {
  std::string::size_type Pos = Pattern.find("%s");
  if (Pos == std::string::npos) return Pattern;
  return Pattern.substr(0, Pos) + Argument + Pattern.substr(Pos + 2);
}
