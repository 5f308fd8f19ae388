// TLMDGlyphTextLayout: setters that report only effective changes, and assignment between
// layouts.
#include "controls/button/LMDGlyphTextLayout.h"

void TLMDGlyphTextLayout::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Layout = dynamic_cast<const TLMDGlyphTextLayout*>(&Source)) {
    CopyLayout(*Layout);
    Change();
    return;
  }
  TLMDObject::Assign(Source);
}

void TLMDGlyphTextLayout::CopyLayout(const TLMDGlyphTextLayout& Source) {
  FAlignment = Source.FAlignment;
  FAlignText2Glyph = Source.FAlignText2Glyph;
  FOffsetX = Source.FOffsetX;
  FOffsetY = Source.FOffsetY;
  FSpacing = Source.FSpacing;
}

void TLMDGlyphTextLayout::SetAlignment(TLMDAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Change();
}

void TLMDGlyphTextLayout::SetAlignText2Glyph(TLMDTextArrange Value) {
  if (Value == FAlignText2Glyph) return;
  FAlignText2Glyph = Value;
  Change();
}

void TLMDGlyphTextLayout::SetOffset(int Index, std::int32_t Value) {
  std::int32_t* Target = Index == 0 ? &FOffsetX : Index == 1 ? &FOffsetY : nullptr;
  if (!Target || *Target == Value) return;
  *Target = Value;
  Change();
}

void TLMDGlyphTextLayout::SetSpacing(std::int32_t Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Change();
}
