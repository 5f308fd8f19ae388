// TLMDSpeedButton: the speed button a window design places.
#pragma once

#include "controls/button/LMDCustomSpeedButton.h"

// All of its behaviour is TLMDCustomSpeedButton's; this is the class that designs name.
class TLMDSpeedButton : public TLMDCustomSpeedButton {
 public:
  using TLMDCustomSpeedButton::TLMDCustomSpeedButton;
  const char* ClassName() const override { return "TLMDSpeedButton"; }
};
