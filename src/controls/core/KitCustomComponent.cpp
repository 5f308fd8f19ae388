// TKitCustomComponent: change notification with an update flag.
#include "controls/core/KitCustomComponent.h"

void TKitCustomComponent::EndUpdate(bool DoChange) {
  FUpdating = false;
  if (DoChange) Change();
}

void TKitCustomComponent::Change() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TKitCustomComponent::GetChange(TObject*) {
  Change();
}
