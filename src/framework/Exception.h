// The framework's exception classes: every failure is one of these, carrying its message text.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
  std::string Message() const { return what(); }
};

// A text that does not convert to the wanted type.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A settings file that cannot be written.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

// Formats a message whose one "%s" is replaced by Argument.
std::string FormatMessage(const std::string& Pattern, const std::string& Argument);
