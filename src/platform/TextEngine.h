// Fonts as the platform realises them: metrics, advances, glyph coverage masks and outlines.
// Layout (line breaks, prefixes, tabs, alignment) is portable code above this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What a font asks of the platform, in the terms of the classic logical font.
struct TFontRequest {
  std::string Name;
  // Pixels: negative for the character height (ascent + descent less internal leading),
  // positive for the cell height, 0 for a default size.
  int Height = 0;
  int Weight = 400;  // 400 normal, 700 bold
  bool Italic = false;
  int Pitch = 0;  // 0 default, 1 variable, 2 fixed
  int Charset = 1;
  // Direction of the baseline, tenths of a degree counter-clockwise.
  int Escapement = 0;

  friend bool operator==(const TFontRequest&, const TFontRequest&) = default;
};

// Whole pixels, as the classic text metrics give them.
struct TTextMetrics {
  int Ascent = 0;
  int Descent = 0;
  int Height = 0;  // Ascent + Descent
  int InternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int UnderlinePosition = 0;  // below the baseline, pixels
  int UnderlineThickness = 1;
  int StrikeoutPosition = 0;  // above the baseline, pixels
};

// A glyph's antialiased coverage, placed relative to the pen position on the baseline (y grows
// downwards); already rotated by the face's escapement.
struct TGlyphMask {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Coverage;  // Width x Height, row by row, 0 to 255
};

struct TPointF {
  double X = 0;
  double Y = 0;
};

// One closed contour of a glyph outline, flattened to straight segments, relative to the pen
// position on the baseline (y grows downwards), rotated by the face's escapement.
using TContour = std::vector<TPointF>;

class TTextFace {
 public:
  virtual ~TTextFace() = default;
  virtual const TTextMetrics& Metrics() const = 0;
  // The advance of a character along the baseline, whole pixels.
  virtual int Advance(char32_t Character) = 0;
  virtual const TGlyphMask& Glyph(char32_t Character) = 0;
  virtual std::vector<TContour> Outline(char32_t Character) = 0;
  // The family of the face actually used.
  virtual std::string FamilyName() const = 0;
};

class TTextEngine {
 public:
  virtual ~TTextEngine() = default;
  // The closest face the platform has; never null. Faces are shared and cached.
  virtual std::shared_ptr<TTextFace> Face(const TFontRequest& Request) = 0;
  // Keeps what was learned about the fonts for later runs, where the platform keeps anything;
  // does nothing when nothing new was learned.
  virtual void SaveAnswers() {}
};
