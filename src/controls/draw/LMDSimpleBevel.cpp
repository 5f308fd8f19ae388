// TLMDSimpleBevel: setters that report only effective changes, and assignment.
#include "controls/draw/LMDSimpleBevel.h"

#include <algorithm>

void TLMDSimpleBevel::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Bevel = dynamic_cast<const TLMDSimpleBevel*>(&Source)) {
    FColor = Bevel->FColor;
    FWidth = Bevel->FWidth;
    FStyle = Bevel->FStyle;
    FLightColor = Bevel->FLightColor;
    FShadowColor = Bevel->FShadowColor;
    Change();
    return;
  }
  TLMDObject::Assign(Source);
}

void TLMDSimpleBevel::SetWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidth) return;
  FWidth = Value;
  Change();
}

void TLMDSimpleBevel::SetStyle(TLMDSimpleBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TLMDSimpleBevel::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FLightColor, &FShadowColor, &FColor}, Index, Value);
}
