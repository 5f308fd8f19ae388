// TLMD3DCaption: setters that report only effective changes, and assignment between captions.
#include "controls/draw/LMDCaption3D.h"

void TLMD3DCaption::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Caption = dynamic_cast<const TLMD3DCaption*>(&Source)) {
    CopyCaption(*Caption);
    Change();
    return;
  }
  TLMDObject::Assign(Source);
}

void TLMD3DCaption::CopyCaption(const TLMD3DCaption& Source) {
  FDisabledStyle = Source.FDisabledStyle;
  FLightDepth = Source.FLightDepth;
  FShadowDepth = Source.FShadowDepth;
  FLightColor = Source.FLightColor;
  FShadowColor = Source.FShadowColor;
  FStyle = Source.FStyle;
  FTracing = Source.FTracing;
}

void TLMD3DCaption::SetDisabledStyle(TLMDDisabledStyle Value) {
  if (Value == FDisabledStyle) return;
  FDisabledStyle = Value;
  Change();
}

void TLMD3DCaption::SetOrientation(TLMDThreeDOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Change();
}

void TLMD3DCaption::SetStyle(TLMDThreeDStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TLMD3DCaption::SetTracing(std::int32_t Value) {
  if (Value == FTracing) return;
  FTracing = Value;
  Change();
}

void TLMD3DCaption::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FLightColor, &FShadowColor}, Index, Value);
}

void TLMD3DCaption::SetDepth(int Index, std::uint8_t Value) {
  SetIndexed<std::uint8_t>({&FLightDepth, &FShadowDepth}, Index, Value);
}
