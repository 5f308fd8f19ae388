// Window names in the two encodings window managers read: UTF-8 and Latin-1.
#pragma once

#include <string>

struct TX11Name {
  // Well-formed UTF-8: each byte of a malformed sequence became U+FFFD.
  std::string Utf8;
  // The same text for the older properties, "?" standing for what Latin-1 text cannot hold.
  std::string Latin1;
};

TX11Name X11NameOf(const std::string& Utf8);
