// Pixel sizes and whole-pixel text metrics of a face, as the classic logical font defines them.
#include "platform/freetype/FaceMetrics.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Ascent and descent in font units: the OS/2 Windows values where the font has them, as the
// classic system measures its cells, otherwise those of the horizontal header.
struct TVerticalExtent {
  long Ascent = 0;
  long Descent = 0;
  long Height() const { return Ascent + Descent; }
};

const TT_OS2* Os2Table(FT_Face Face) {
  auto* Table = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2));
  return Table != nullptr && Table->version != 0xFFFF ? Table : nullptr;
}

TVerticalExtent VerticalExtent(FT_Face Face) {
  const TT_OS2* Os2 = Os2Table(Face);
  if (Os2 != nullptr && Os2->usWinAscent + Os2->usWinDescent > 0)
    return {Os2->usWinAscent, Os2->usWinDescent};
  return {Face->ascender, -static_cast<long>(Face->descender)};
}

int RoundPixels(double Value) {
  return static_cast<int>(std::lround(Value));
}

// The hinted advance of 'x', the average width of faces that do not state one.
int AdvanceOfX(FT_Face Face) {
  if (FT_Load_Char(Face, 'x', FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return 0;
  return static_cast<int>((Face->glyph->advance.x + 32) >> 6);
}

}  // namespace

TFaceSize FaceSizeFor(FT_Face Face, int Height) {
  TFaceSize Size;
  if (Height == 0) return Size;
  const std::int64_t Pixels = std::abs(static_cast<std::int64_t>(Height));
  if (Height > 0 && Face != nullptr && VerticalExtent(Face).Height() > 0) {
    const double Em = static_cast<double>(Pixels) * Face->units_per_EM /
                      static_cast<double>(VerticalExtent(Face).Height());
    if (Em <= TFaceSize::MaxEmPixels) {
      Size.EmPixels = std::max(RoundPixels(Em), 1);
      Size.CellHeight = static_cast<int>(Pixels);
      return Size;
    }
  }
  Size.EmPixels = static_cast<int>(std::min<std::int64_t>(Pixels, TFaceSize::MaxEmPixels));
  return Size;
}

TTextMetrics MeasureFace(FT_Face Face, const TFaceSize& Size) {
  TTextMetrics Metrics;
  const int Em = Size.EmPixels;
  if (Face == nullptr) {
    Metrics.Ascent = Size.CellHeight > 0 ? Size.CellHeight : Em;
    Metrics.Height = Metrics.Ascent;
    Metrics.StrikeoutPosition = Metrics.Ascent / 3;
    return Metrics;
  }
  const double Scale = static_cast<double>(Em) / Face->units_per_EM;
  const TVerticalExtent Extent = VerticalExtent(Face);
  if (Size.CellHeight > 0) {
    // The cell is exactly the height asked for, shared in the face's proportions.
    Metrics.Ascent =
        RoundPixels(static_cast<double>(Size.CellHeight) * Extent.Ascent / Extent.Height());
    Metrics.Descent = Size.CellHeight - Metrics.Ascent;
  } else {
    Metrics.Ascent = RoundPixels(Extent.Ascent * Scale);
    Metrics.Descent = RoundPixels(Extent.Descent * Scale);
  }
  Metrics.Height = Metrics.Ascent + Metrics.Descent;
  Metrics.InternalLeading = std::max(Metrics.Height - Em, 0);

  const TT_OS2* Os2 = Os2Table(Face);
  Metrics.AveCharWidth = Os2 != nullptr && Os2->xAvgCharWidth > 0
                             ? RoundPixels(Os2->xAvgCharWidth * Scale)
                             : AdvanceOfX(Face);
  Metrics.MaxCharWidth = RoundPixels(Face->max_advance_width * Scale);

  // FreeType gives the centre of the underline stroke; the metrics give its top row, kept
  // within the descent so that underlines stay inside the text cell.
  Metrics.UnderlineThickness = std::max(RoundPixels(Face->underline_thickness * Scale), 1);
  const int UnderlineTop =
      RoundPixels(-Face->underline_position * Scale - Metrics.UnderlineThickness / 2.0);
  Metrics.UnderlinePosition =
      std::clamp(UnderlineTop, 0, std::max(Metrics.Descent - Metrics.UnderlineThickness, 0));
  Metrics.StrikeoutPosition = Os2 != nullptr && Os2->yStrikeoutPosition > 0
                                  ? RoundPixels(Os2->yStrikeoutPosition * Scale)
                                  : Metrics.Ascent / 3;
  return Metrics;
}
