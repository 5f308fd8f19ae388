// TLMDCustomComponent: change notification with an update flag.
#include "controls/panel/LMDCustomComponent.h"

void TLMDCustomComponent::EndUpdate(bool DoChange) {
  FUpdating = false;
  if (DoChange) Change();
}

void TLMDCustomComponent::Change() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TLMDCustomComponent::GetChange(TObject*) {
  Change();
}
