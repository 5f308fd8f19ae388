// TKitObject: change notification with an update bracket.
#include "controls/core/KitObject.h"

void TKitObject::EndUpdate(bool Notify) {
  FUpdating = false;
  if (Notify) Change();
}

void TKitObject::Change() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TKitObject::GetChange(TObject*) {
  Change();
}
