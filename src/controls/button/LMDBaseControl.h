// TLMDBaseControl: a windowless control of the family that can show the background its parent
// panel lends.
#pragma once

#include "controls/button/LMDControl.h"
#include "controls/panel/LMDBackgroundClient.h"

class TLMDCustomControl;

class TLMDBaseControl : public TLMDControl, public TLMDBackgroundClient {
 public:
  explicit TLMDBaseControl(TComponent* Owner) : TLMDControl(Owner) {}
  const char* ClassName() const override { return "TLMDBaseControl"; }

  // The parent's background changed: a control painting from it repaints.
  void BackgroundChanged() override;

 protected:
  // True when the control paints its background from its parent's; here, whenever the parent
  // is a windowed control of the family with a background to lend.
  virtual bool CheckOptimized() const;
  // The parent that lends its background, or nullptr.
  TLMDCustomControl* BackgroundParent() const;
};
