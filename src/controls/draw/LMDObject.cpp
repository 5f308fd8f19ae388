// TLMDObject: change notification with an update bracket.
#include "controls/draw/LMDObject.h"

void TLMDObject::EndUpdate(bool Notify) {
  FUpdating = false;
  if (Notify) Change();
}

void TLMDObject::Change() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TLMDObject::GetChange(TObject*) {
  Change();
}
