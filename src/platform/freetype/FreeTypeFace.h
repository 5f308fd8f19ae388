// A logical font realised with FreeType: metrics, advances, masks and outlines.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/TextEngine.h"
#include "platform/freetype/FontMatcher.h"
#include "platform/freetype/FreeTypeLibrary.h"
#include "platform/freetype/SizedFace.h"

// The face fontconfig chose for a request, and, for characters it lacks, the faces fontconfig
// names for them at the same size; a character no installed font has is drawn as the first
// face's missing-glyph box. Advances and masks are kept per character.
class TFreeTypeFace : public TTextFace {
 public:
  TFreeTypeFace(std::shared_ptr<const TFontMatcher> Matcher,
                std::shared_ptr<TFreeTypeLibrary> Library, const TFontRequest& Request);

  const TTextMetrics& Metrics() const override { return FMetrics; }
  int Advance(char32_t Character) override;
  const TGlyphMask& Glyph(char32_t Character) override;
  std::vector<TContour> Outline(char32_t Character) override;
  std::string FamilyName() const override { return FFamily; }

 private:
  struct TGlyphSource {
    TSizedFace* Face;  // null when no font could be opened at all
    FT_UInt Glyph;
  };

  TGlyphSource SourceFor(char32_t Character);
  // The index in FFaces of the face that draws Character.
  std::size_t FaceFor(char32_t Character);

  std::shared_ptr<const TFontMatcher> FMatcher;
  std::shared_ptr<TFreeTypeLibrary> FLibrary;
  TFontRequest FRequest;
  std::string FFamily;
  int FEmPixels;
  TTextMetrics FMetrics;
  std::vector<std::unique_ptr<TSizedFace>> FFaces;  // the chosen face first, then fallbacks
  std::unordered_map<char32_t, std::size_t> FFaceOf;
  std::unordered_map<char32_t, int> FAdvances;
  std::unordered_map<char32_t, TGlyphMask> FMasks;
};
