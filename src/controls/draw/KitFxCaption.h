// TKitFxCaption: a relief caption that can also be rotated and shifted inside its rectangle.
#pragma once

#include <cstdint>

#include "controls/draw/KitCaption3D.h"

// Whole degrees, counter-clockwise, 0 to 359 once stored.
using TKitAngle = std::uint16_t;

// The caption settings of the speed button's text: relief, rotation and an offset of the text's
// origin.
class TKitFxCaption : public TKit3DCaption {
 public:
  TKitFxCaption() = default;

  const char* ClassName() const override { return "TKitFxCaption"; }
  // From another extended caption also takes PosX, PosY and Angle; from a plain caption only
  // the plain settings.
  void Assign(const TPersistent& Source) override;

  TKitAngle Angle() const { return FAngle; }
  // A full turn or more is reduced modulo 360, so 360 is stored as 0; the change is reported
  // only when the reduced angle differs from the stored one.
  void SetAngle(TKitAngle Value);
  std::uint16_t PosX() const { return FPosX; }
  void SetPosX(std::uint16_t Value) { SetPos(0, Value); }
  std::uint16_t PosY() const { return FPosY; }
  void SetPosY(std::uint16_t Value) { SetPos(1, Value); }
  // The shared indexed setter: 0 is PosX, 1 PosY; any other index stores nothing and still
  // reports a change.
  void SetPos(int Index, std::uint16_t Value);
  // Moves the text's origin without reporting a change; the caller repaints itself.
  void SetPosXY(std::uint16_t X, std::uint16_t Y);

 private:
  TKitAngle FAngle = 0;
  std::uint16_t FPosX = 0;
  std::uint16_t FPosY = 0;
};
