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

// A file that cannot be opened for reading.
class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be created or written.
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};

// Picture data that is not what its file claims to be.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A resource (memory for a bitmap, say) larger than the framework allows.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};
