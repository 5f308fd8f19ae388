// Glyph outlines flattened to closed polygons.
#include "platform/freetype/GlyphOutline.h"

#include "platform/OutlinePath.h"

namespace {

TPointF ToPixels(const FT_Vector* Point) {
  return {static_cast<double>(Point->x) / 64.0, static_cast<double>(-Point->y) / 64.0};
}

TOutlinePath& Of(void* User) {
  return *static_cast<TOutlinePath*>(User);
}

}  // namespace

std::vector<TContour> FlattenOutline(FT_Outline& Outline) {
  FT_Outline_Funcs Funcs{};
  Funcs.move_to = [](const FT_Vector* To, void* User) {
    Of(User).MoveTo(ToPixels(To));
    return 0;
  };
  Funcs.line_to = [](const FT_Vector* To, void* User) {
    Of(User).LineTo(ToPixels(To));
    return 0;
  };
  Funcs.conic_to = [](const FT_Vector* Control, const FT_Vector* To, void* User) {
    Of(User).ConicTo(ToPixels(Control), ToPixels(To));
    return 0;
  };
  Funcs.cubic_to = [](const FT_Vector* Control1, const FT_Vector* Control2, const FT_Vector* To,
                      void* User) {
    Of(User).CubicTo(ToPixels(Control1), ToPixels(Control2), ToPixels(To));
    return 0;
  };
  TOutlinePath Path;
  if (FT_Outline_Decompose(&Outline, &Funcs, &Path) != 0) return {};
  return Path.Take();
}
