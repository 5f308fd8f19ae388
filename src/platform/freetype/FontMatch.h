// What the font matcher answers for a request: a font file and the styles to synthesise.
#pragma once

#include <string>

// A font file chosen for a request, and the styles it lacks that have to be synthesised.
struct TFontMatch {
  std::string File;  // empty when the system has no font at all
  int Index = 0;     // face index within a collection file
  std::string Family;
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
  friend bool operator==(const TFontMatch&, const TFontMatch&) = default;
};
