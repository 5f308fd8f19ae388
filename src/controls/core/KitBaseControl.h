// TKitBaseControl: a windowless control of the family that can show the background its parent
// panel lends.
#pragma once

#include "controls/core/KitBackgroundClient.h"
#include "controls/core/KitControl.h"

class TKitCustomControl;

class TKitBaseControl : public TKitControl, public TKitBackgroundClient {
 public:
  explicit TKitBaseControl(TComponent* Owner) : TKitControl(Owner) {}
  const char* ClassName() const override { return "TKitBaseControl"; }

  // The parent's background changed: a control painting from it repaints.
  void BackgroundChanged() override;

 protected:
  // True when the control paints its background from its parent's; here, whenever the parent
  // is a windowed control of the family with a background to lend.
  virtual bool CheckOptimized() const;
  // The parent that lends its background, or nullptr.
  TKitCustomControl* BackgroundParent() const;
};
