// TKitChangeLink: the container's callback and the unregistering on destruction.
#include "controls/core/KitChangeLink.h"

#include "controls/core/KitBaseContainer.h"

TKitChangeLink::~TKitChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TKitChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}
