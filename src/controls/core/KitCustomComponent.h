// TKitCustomComponent: the family's non-visual component, with a change callback and an update
// flag that holds it back.
#pragma once

#include "framework/Component.h"

class TKitCustomComponent : public TComponent {
 public:
  explicit TKitCustomComponent(TComponent* Owner) : TComponent(Owner) {}
  const char* ClassName() const override { return "TKitCustomComponent"; }

  // Called with the changed object as sender; may be empty.
  TNotifyEvent OnChange;

  // The flag is a single Boolean: nested brackets end at the first EndUpdate.
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate(bool DoChange);
  bool Updating() const { return FUpdating; }

  virtual void Change();
  // Has the shape of a change handler, so that an owned object can pass its changes on.
  void GetChange(TObject* Sender);

 private:
  bool FUpdating = false;
};
