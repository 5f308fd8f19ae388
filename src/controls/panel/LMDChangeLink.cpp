// TLMDChangeLink: the container's callback and the unregistering on destruction.
#include "controls/panel/LMDChangeLink.h"

#include "controls/panel/LMDBaseContainer.h"

TLMDChangeLink::~TLMDChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TLMDChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}
