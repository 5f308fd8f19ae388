// One font face drawn at one size, with synthetic styles and the rotation of the escapement.
#include "platform/freetype/SizedFace.h"

#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "platform/freetype/GlyphOutline.h"

namespace {

// Synthetic bold widens strokes by one pixel, as drawing the glyph twice side by side does.
constexpr FT_Pos BoldStrength = 64;
constexpr char32_t SymbolArea = 0xF000;

FT_Fixed ToFixed(double Value) {
  return static_cast<FT_Fixed>(std::lround(Value * 65536.0));
}

// Counter-clockwise on screen is counter-clockwise in FreeType's y-up space too.
FT_Matrix RotationFor(int Escapement) {
  const double Angle = Escapement * std::numbers::pi / 1800.0;
  const FT_Fixed Cos = ToFixed(std::cos(Angle)), Sin = ToFixed(std::sin(Angle));
  return FT_Matrix{Cos, -Sin, Sin, Cos};
}

}  // namespace

TSizedFace::TSizedFace(TFreeTypeFaceHandle Face, const TFontMatch& Match, int EmPixels,
                       int Escapement)
    : FFace(std::move(Face)),
      FSyntheticBold(Match.SyntheticBold),
      FSyntheticItalic(Match.SyntheticItalic),
      FRotated(Escapement % 3600 != 0),
      FRotation(RotationFor(Escapement)) {
  // Symbol fonts have no Unicode map; their characters are found through the symbol one.
  if (FFace->charmap == nullptr) FT_Select_Charmap(FFace.get(), FT_ENCODING_MS_SYMBOL);
  if (FT_New_Size(FFace.get(), &FSize) != 0) {
    FSize = nullptr;
    return;
  }
  FT_Activate_Size(FSize);
  FT_Set_Pixel_Sizes(FFace.get(), 0, static_cast<FT_UInt>(EmPixels));
}

TSizedFace::~TSizedFace() {
  if (FSize != nullptr) FT_Done_Size(FSize);
}

FT_UInt TSizedFace::GlyphIndex(char32_t Character) const {
  FT_UInt Glyph = FT_Get_Char_Index(FFace.get(), Character);
  // Symbol fonts place the 8-bit codes in the private use area.
  if (Glyph == 0 && Character < 0x100 && FFace->charmap != nullptr &&
      FFace->charmap->encoding == FT_ENCODING_MS_SYMBOL)
    Glyph = FT_Get_Char_Index(FFace.get(), SymbolArea + Character);
  return Glyph;
}

TTextMetrics TSizedFace::Measure(const TFaceSize& Size) {
  if (FSize == nullptr) return MeasureFace(nullptr, Size);
  FT_Activate_Size(FSize);
  TTextMetrics Metrics = MeasureFace(FFace.get(), Size);
  if (FSyntheticBold) {
    ++Metrics.AveCharWidth;
    ++Metrics.MaxCharWidth;
  }
  return Metrics;
}

FT_GlyphSlot TSizedFace::Load(FT_UInt Glyph) {
  if (FSize == nullptr || FT_Activate_Size(FSize) != 0 ||
      FT_Load_Glyph(FFace.get(), Glyph, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
    return nullptr;
  FT_GlyphSlot Slot = FFace->glyph;
  if (Slot->format != FT_GLYPH_FORMAT_OUTLINE) return nullptr;
  // Styles are synthesised upright, then the whole glyph turns about the pen position; a
  // transform set on the face would turn it before emboldening and slanting.
  if (FSyntheticBold) FT_Outline_EmboldenXY(&Slot->outline, BoldStrength, 0);
  if (FSyntheticItalic) FT_GlyphSlot_Oblique(Slot);
  if (FRotated) FT_Outline_Transform(&Slot->outline, &FRotation);
  return Slot;
}

int TSizedFace::Advance(FT_UInt Glyph) {
  FT_GlyphSlot Slot = Load(Glyph);
  if (Slot == nullptr) return 0;
  const int Pixels = static_cast<int>((Slot->advance.x + 32) >> 6);
  return FSyntheticBold ? Pixels + 1 : Pixels;
}

TGlyphMask TSizedFace::Mask(FT_UInt Glyph) {
  TGlyphMask Mask;
  FT_GlyphSlot Slot = Load(Glyph);
  if (Slot == nullptr || FT_Render_Glyph(Slot, FT_RENDER_MODE_NORMAL) != 0 ||
      Slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
    return Mask;
  const FT_Bitmap& Bitmap = Slot->bitmap;
  Mask.Left = Slot->bitmap_left;
  Mask.Top = -Slot->bitmap_top;
  Mask.Width = static_cast<int>(Bitmap.width);
  Mask.Height = static_cast<int>(Bitmap.rows);
  Mask.Coverage.resize(static_cast<std::size_t>(Mask.Width) * Mask.Height);
  for (int Row = 0; Row < Mask.Height; ++Row) {
    // The pitch is negative for bitmaps stored bottom row first.
    const unsigned char* Source = Bitmap.buffer + static_cast<std::ptrdiff_t>(Row) * Bitmap.pitch;
    if (Bitmap.pitch < 0) Source -= static_cast<std::ptrdiff_t>(Mask.Height - 1) * Bitmap.pitch;
    std::memcpy(Mask.Coverage.data() + static_cast<std::size_t>(Row) * Mask.Width, Source,
                static_cast<std::size_t>(Mask.Width));
  }
  return Mask;
}

std::vector<TContour> TSizedFace::Outline(FT_UInt Glyph) {
  FT_GlyphSlot Slot = Load(Glyph);
  if (Slot == nullptr) return {};
  return FlattenOutline(Slot->outline);
}
