// The face and size the desktop shows message texts in (TDriver::MessageFont).
#pragma once

#include <string>

struct TMessageFontSpec {
  std::string Name;
  // As a font's Height: negative for the height of the characters in pixels.
  int Height = 0;
};
