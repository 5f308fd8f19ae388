// TKitSimpleBevel: setters that report only effective changes, and assignment.
#include "controls/draw/KitSimpleBevel.h"

#include <algorithm>

void TKitSimpleBevel::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Bevel = dynamic_cast<const TKitSimpleBevel*>(&Source)) {
    FColor = Bevel->FColor;
    FWidth = Bevel->FWidth;
    FStyle = Bevel->FStyle;
    FLightColor = Bevel->FLightColor;
    FShadowColor = Bevel->FShadowColor;
    Change();
    return;
  }
  TKitObject::Assign(Source);
}

void TKitSimpleBevel::SetWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidth) return;
  FWidth = Value;
  Change();
}

void TKitSimpleBevel::SetStyle(TKitSimpleBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TKitSimpleBevel::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FLightColor, &FShadowColor, &FColor}, Index, Value);
}
