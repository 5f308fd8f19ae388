// TLMDButtonLayout: the arrow settings and assignment from either kind of layout.
#include "controls/button/LMDButtonLayout.h"

void TLMDButtonLayout::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Layout = dynamic_cast<const TLMDButtonLayout*>(&Source)) {
    CopyLayout(*Layout);
    FArrow = Layout->FArrow;
    FArrowColor = Layout->FArrowColor;
    FArrowIndent = Layout->FArrowIndent;
    FArrowPosition = Layout->FArrowPosition;
    FArrowSize = Layout->FArrowSize;
    Change();
    return;
  }
  TLMDGlyphTextLayout::Assign(Source);
}

void TLMDButtonLayout::SetArrow(bool Value) {
  if (Value == FArrow) return;
  FArrow = Value;
  Change();
}

void TLMDButtonLayout::SetArrowColor(TColor Value) {
  if (Value == FArrowColor) return;
  FArrowColor = Value;
  Change();
}

void TLMDButtonLayout::SetArrowIndent(std::int32_t Value) {
  if (Value == FArrowIndent) return;
  FArrowIndent = Value;
  Change();
}

void TLMDButtonLayout::SetArrowPosition(TLMDArrowPosition Value) {
  if (Value == FArrowPosition) return;
  FArrowPosition = Value;
  Change();
}

void TLMDButtonLayout::SetArrowSize(TLMDDDArrowSize Value) {
  if (Value == FArrowSize) return;
  FArrowSize = Value;
  Change();
}
