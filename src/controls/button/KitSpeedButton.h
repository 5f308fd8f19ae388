// TKitSpeedButton: the speed button a window design places.
#pragma once

#include "controls/button/KitCustomSpeedButton.h"

// All of its behaviour is TKitCustomSpeedButton's; this is the class that designs name.
class TKitSpeedButton : public TKitCustomSpeedButton {
 public:
  using TKitCustomSpeedButton::TKitCustomSpeedButton;
  const char* ClassName() const override { return "TKitSpeedButton"; }
};
