// Finds font files for logical font requests through fontconfig.
#pragma once

#include <fontconfig/fontconfig.h>

#include <future>
#include <optional>
#include <string>
#include <vector>

#include "platform/TextEngine.h"
#include "platform/freetype/FaceCache.h"
#include "platform/freetype/FontMatch.h"

// The system's fonts as fontconfig configures them. Classic names are read as the free faces
// that share their metrics; the character set steers the choice towards a face for its script.
// Answers are kept in a face cache, and fontconfig is set up only when one is missing there: its
// set-up costs more than everything else a menu does before its first frame. Without any kept
// answer the first request will miss, so the set-up starts on a thread of its own at once and
// runs beside the window's creation and the picture's decoding.
class TFontMatcher {
 public:
  // CacheFile: where answers are kept between runs; empty to keep them for this run only.
  explicit TFontMatcher(const std::string& CacheFile = {});
  ~TFontMatcher();
  TFontMatcher(const TFontMatcher&) = delete;
  TFontMatcher& operator=(const TFontMatcher&) = delete;

  TFontMatch Match(const TFontRequest& Request) const;
  // A face with the request's family and style as far as possible that has Character, or
  // nothing when no installed font has it.
  std::optional<TFontMatch> MatchCharacter(const TFontRequest& Request, char32_t Character) const;
  // Writes the answers learned for later runs, when there are new ones.
  void SaveAnswers() const { FCache.Save(); }

 private:
  FcConfig* Config() const;
  // The files and folders fontconfig's answers depend on.
  std::vector<std::string> Watched() const;

  mutable FcConfig* FConfig = nullptr;
  // The set-up started early, until Config takes its result.
  mutable std::future<FcConfig*> FSetUp;
  mutable TFaceCache FCache;
};
