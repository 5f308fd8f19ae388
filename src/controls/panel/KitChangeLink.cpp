// TKitChangeLink: the container's callback and the unregistering on destruction.
#include "controls/panel/KitChangeLink.h"

#include "controls/panel/KitBaseContainer.h"

TKitChangeLink::~TKitChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TKitChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}
