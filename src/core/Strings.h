// TStrings: an ordered list of texts, as section and key listings fill it; text helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using TStrings = std::vector<std::string>;

// True when Text begins with Prefix, ASCII letters compared without regard to case.
inline bool StartsWithAsciiCaseless(std::string_view Text, std::string_view Prefix) {
  if (Text.size() < Prefix.size()) return false;
  for (std::size_t I = 0; I < Prefix.size(); ++I) {
    char A = Text[I], B = Prefix[I];
    if (A >= 'A' && A <= 'Z') A = static_cast<char>(A + ('a' - 'A'));
    if (B >= 'A' && B <= 'Z') B = static_cast<char>(B + ('a' - 'A'));
    if (A != B) return false;
  }
  return true;
}
