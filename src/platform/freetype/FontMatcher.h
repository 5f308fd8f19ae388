// Finds font files for logical font requests through fontconfig.
#pragma once

#include <fontconfig/fontconfig.h>

#include <optional>
#include <string>

#include "platform/TextEngine.h"

// A font file chosen for a request, and the styles it lacks that have to be synthesised.
struct TFontMatch {
  std::string File;  // empty when the system has no font at all
  int Index = 0;     // face index within a collection file
  std::string Family;
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
};

// The system's fonts as fontconfig configures them. Classic names are read as the free faces
// that share their metrics; the character set steers the choice towards a face for its script.
class TFontMatcher {
 public:
  TFontMatcher();
  ~TFontMatcher();
  TFontMatcher(const TFontMatcher&) = delete;
  TFontMatcher& operator=(const TFontMatcher&) = delete;

  TFontMatch Match(const TFontRequest& Request) const;
  // A face with the request's family and style as far as possible that has Character, or
  // nothing when no installed font has it.
  std::optional<TFontMatch> MatchCharacter(const TFontRequest& Request, char32_t Character) const;

 private:
  FcConfig* FConfig;
};
