// Letter case of ASCII names.
#include "platform/posix/AsciiCase.h"

std::string LowerAscii(std::string_view Text) {
  std::string Result(Text);
  for (char& C : Result)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Result;
}
