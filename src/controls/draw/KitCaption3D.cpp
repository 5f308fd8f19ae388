// TKit3DCaption: setters that report only effective changes, and assignment between captions.
#include "controls/draw/KitCaption3D.h"

void TKit3DCaption::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Caption = dynamic_cast<const TKit3DCaption*>(&Source)) {
    CopyCaption(*Caption);
    Change();
    return;
  }
  TKitObject::Assign(Source);
}

void TKit3DCaption::CopyCaption(const TKit3DCaption& Source) {
  FDisabledStyle = Source.FDisabledStyle;
  FLightDepth = Source.FLightDepth;
  FShadowDepth = Source.FShadowDepth;
  FLightColor = Source.FLightColor;
  FShadowColor = Source.FShadowColor;
  FStyle = Source.FStyle;
  FTracing = Source.FTracing;
}

void TKit3DCaption::SetDisabledStyle(TKitDisabledStyle Value) {
  if (Value == FDisabledStyle) return;
  FDisabledStyle = Value;
  Change();
}

void TKit3DCaption::SetOrientation(TKitThreeDOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Change();
}

void TKit3DCaption::SetStyle(TKitThreeDStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TKit3DCaption::SetTracing(std::int32_t Value) {
  if (Value == FTracing) return;
  FTracing = Value;
  Change();
}

void TKit3DCaption::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FLightColor, &FShadowColor}, Index, Value);
}

void TKit3DCaption::SetDepth(int Index, std::uint8_t Value) {
  SetIndexed<std::uint8_t>({&FLightDepth, &FShadowDepth}, Index, Value);
}
