// TKitGlyphTextLayout: setters that report only effective changes, and assignment between
// layouts.
#include "controls/button/KitGlyphTextLayout.h"

void TKitGlyphTextLayout::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Layout = dynamic_cast<const TKitGlyphTextLayout*>(&Source)) {
    CopyLayout(*Layout);
    Change();
    return;
  }
  TKitObject::Assign(Source);
}

void TKitGlyphTextLayout::CopyLayout(const TKitGlyphTextLayout& Source) {
  FAlignment = Source.FAlignment;
  FAlignText2Glyph = Source.FAlignText2Glyph;
  FOffsetX = Source.FOffsetX;
  FOffsetY = Source.FOffsetY;
  FSpacing = Source.FSpacing;
}

void TKitGlyphTextLayout::SetAlignment(TKitAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Change();
}

void TKitGlyphTextLayout::SetAlignText2Glyph(TKitTextArrange Value) {
  if (Value == FAlignText2Glyph) return;
  FAlignText2Glyph = Value;
  Change();
}

void TKitGlyphTextLayout::SetOffset(int Index, std::int32_t Value) {
  std::int32_t* Target = Index == 0 ? &FOffsetX : Index == 1 ? &FOffsetY : nullptr;
  if (!Target || *Target == Value) return;
  *Target = Value;
  Change();
}

void TKitGlyphTextLayout::SetSpacing(std::int32_t Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Change();
}
