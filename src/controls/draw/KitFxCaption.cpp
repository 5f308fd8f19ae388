// TKitFxCaption: rotation and origin settings on top of the relief caption.
#include "controls/draw/KitFxCaption.h"

void TKitFxCaption::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Caption = dynamic_cast<const TKitFxCaption*>(&Source)) {
    CopyCaption(*Caption);
    FPosX = Caption->FPosX;
    FPosY = Caption->FPosY;
    FAngle = Caption->FAngle;
    Change();
    return;
  }
  TKit3DCaption::Assign(Source);
}

void TKitFxCaption::SetAngle(TKitAngle Value) {
  TKitAngle Reduced = static_cast<TKitAngle>(Value % 360);
  if (Reduced == FAngle) return;
  FAngle = Reduced;
  Change();
}

void TKitFxCaption::SetPos(int Index, std::uint16_t Value) {
  SetIndexed<std::uint16_t>({&FPosX, &FPosY}, Index, Value);
}

void TKitFxCaption::SetPosXY(std::uint16_t X, std::uint16_t Y) {
  BeginUpdate();
  SetPos(0, X);
  SetPos(1, Y);
  EndUpdate(false);
}
