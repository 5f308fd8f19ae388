// TKitButtonLayout: the arrow settings and assignment from either kind of layout.
#include "controls/button/KitButtonLayout.h"

void TKitButtonLayout::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Layout = dynamic_cast<const TKitButtonLayout*>(&Source)) {
    CopyLayout(*Layout);
    FArrow = Layout->FArrow;
    FArrowColor = Layout->FArrowColor;
    FArrowIndent = Layout->FArrowIndent;
    FArrowPosition = Layout->FArrowPosition;
    FArrowSize = Layout->FArrowSize;
    Change();
    return;
  }
  TKitGlyphTextLayout::Assign(Source);
}

void TKitButtonLayout::SetArrow(bool Value) {
  if (Value == FArrow) return;
  FArrow = Value;
  Change();
}

void TKitButtonLayout::SetArrowColor(TColor Value) {
  if (Value == FArrowColor) return;
  FArrowColor = Value;
  Change();
}

void TKitButtonLayout::SetArrowIndent(std::int32_t Value) {
  if (Value == FArrowIndent) return;
  FArrowIndent = Value;
  Change();
}

void TKitButtonLayout::SetArrowPosition(TKitArrowPosition Value) {
  if (Value == FArrowPosition) return;
  FArrowPosition = Value;
  Change();
}

void TKitButtonLayout::SetArrowSize(TKitDDArrowSize Value) {
  if (Value == FArrowSize) return;
  FArrowSize = Value;
  Change();
}
