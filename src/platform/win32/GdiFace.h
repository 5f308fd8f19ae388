// A logical font realised by GDI: metrics, advances, coverage masks and outlines.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/TextEngine.h"

// The font is made upright; the escapement turns masks and outlines through the glyph
// transform instead, which turns them about the pen position as the portable layout expects.
// Advances and masks are kept per character.
class TGdiFace : public TTextFace {
 public:
  TGdiFace(HDC DC, const TFontRequest& Request);
  ~TGdiFace() override;
  TGdiFace(const TGdiFace&) = delete;
  TGdiFace& operator=(const TGdiFace&) = delete;

  const TTextMetrics& Metrics() const override { return FMetrics; }
  int Advance(char32_t Character) override;
  const TGlyphMask& Glyph(char32_t Character) override;
  std::vector<TContour> Outline(char32_t Character) override;
  std::string FamilyName() const override { return FFamily; }

 private:
  // Selects the font into the shared context for the lifetime of one call.
  class TSelection {
   public:
    TSelection(HDC DC, HFONT Font) : FDC(DC), FOld(SelectObject(DC, Font)) {}
    ~TSelection() { SelectObject(FDC, FOld); }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

   private:
    HDC FDC;
    HGDIOBJ FOld;
  };

  void Measure();
  // The glyph data GetGlyphOutlineW gives in Format, turned by the escapement; empty for a
  // blank glyph or a failure.
  std::vector<unsigned char> GlyphData(char32_t Character, UINT Format, GLYPHMETRICS& Metrics);

  HDC FDC;
  HFONT FFont;
  MAT2 FTransform;
  std::string FFamily;
  TTextMetrics FMetrics;
  std::unordered_map<char32_t, int> FAdvances;
  std::unordered_map<char32_t, TGlyphMask> FMasks;
};
