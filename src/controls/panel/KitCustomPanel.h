// TKitCustomPanel: the family's opaque container, filled with its background or its colour.
#pragma once

#include "controls/core/KitCustomControl.h"

class TKitCustomPanel : public TKitCustomControl {
 public:
  // 100 x 40 pixels, opaque, capturing the mouse, taking double clicks.
  explicit TKitCustomPanel(TComponent* Owner);
  const char* ClassName() const override { return "TKitCustomPanel"; }

  // Kept with the panel's settings; nothing in drawing or layout reads it.
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }

  void Paint() override;

 private:
  bool FLocked = false;
};
