// TLMDFxCaption: rotation and origin settings on top of the relief caption.
#include "controls/draw/LMDFxCaption.h"

void TLMDFxCaption::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Caption = dynamic_cast<const TLMDFxCaption*>(&Source)) {
    CopyCaption(*Caption);
    FPosX = Caption->FPosX;
    FPosY = Caption->FPosY;
    FAngle = Caption->FAngle;
    Change();
    return;
  }
  TLMD3DCaption::Assign(Source);
}

void TLMDFxCaption::SetAngle(TLMDAngle Value) {
  TLMDAngle Reduced = static_cast<TLMDAngle>(Value % 360);
  if (Reduced == FAngle) return;
  FAngle = Reduced;
  Change();
}

void TLMDFxCaption::SetPos(int Index, std::uint16_t Value) {
  SetIndexed<std::uint16_t>({&FPosX, &FPosY}, Index, Value);
}

void TLMDFxCaption::SetPosXY(std::uint16_t X, std::uint16_t Y) {
  BeginUpdate();
  SetPos(0, X);
  SetPos(1, Y);
  EndUpdate(false);
}
