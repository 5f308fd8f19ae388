// One font face drawn at one size, with synthetic styles and the rotation of the escapement.
#pragma once

#include <vector>

#include "platform/TextEngine.h"
#include "platform/freetype/FaceMetrics.h"
#include "platform/freetype/FontMatcher.h"
#include "platform/freetype/FreeTypeLibrary.h"

// Several sizes of one file share its FreeType face; each keeps its own FreeType size object
// and makes it the active one before loading a glyph.
class TSizedFace {
 public:
  TSizedFace(TFreeTypeFaceHandle Face, const TFontMatch& Match, int EmPixels, int Escapement);
  ~TSizedFace();
  TSizedFace(const TSizedFace&) = delete;
  TSizedFace& operator=(const TSizedFace&) = delete;

  // The FreeType face, which identifies the file: the library opens each file once.
  const FT_FaceRec_* Face() const { return FFace.get(); }
  // The glyph of Character, 0 (the missing-glyph box) when the face has none.
  FT_UInt GlyphIndex(char32_t Character) const;

  TTextMetrics Measure(const TFaceSize& Size);
  // The hinted advance along the baseline in whole pixels.
  int Advance(FT_UInt Glyph);
  TGlyphMask Mask(FT_UInt Glyph);
  std::vector<TContour> Outline(FT_UInt Glyph);

 private:
  // The glyph at this size with synthetic styles and rotation applied to its outline; null
  // when it cannot be loaded.
  FT_GlyphSlot Load(FT_UInt Glyph);

  TFreeTypeFaceHandle FFace;
  FT_Size FSize = nullptr;
  bool FSyntheticBold;
  bool FSyntheticItalic;
  bool FRotated;
  FT_Matrix FRotation;
};
