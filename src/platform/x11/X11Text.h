// Window names in the encodings window managers read: UTF-8 for the newer properties, Latin-1
// or, where Latin-1 cannot hold the name, compound text for the older ones.
#pragma once

#include <string>

struct TX11Name {
  // Well-formed UTF-8: each byte of a malformed sequence became U+FFFD.
  std::string Utf8;
  // The same text for the older properties, "?" standing for what Latin-1 text cannot hold.
  std::string Latin1;
  // Latin1 holds the whole name; otherwise the older properties take compound text made from
  // Legible.
  bool Latin1Enough = true;
  // Utf8 with "?" for the control characters text properties cannot hold.
  std::string Legible;
};

TX11Name X11NameOf(const std::string& Utf8);
