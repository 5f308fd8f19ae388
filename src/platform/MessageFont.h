// The face and size the desktop shows message texts in.
#pragma once

#include <string>

struct TMessageFontSpec {
  std::string Name;
  // As a font's Height: negative for the height of the characters in pixels.
  int Height = 0;
};

// Windows: the message font of the non-client metrics. Elsewhere: the desktop's sans face at
// 9 points.
TMessageFontSpec SystemMessageFont();
