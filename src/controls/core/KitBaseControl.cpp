// TKitBaseControl: finding the parent that lends a background.
#include "controls/core/KitBaseControl.h"

#include "controls/core/KitCustomControl.h"

void TKitBaseControl::BackgroundChanged() {
  if (CheckOptimized()) Invalidate();
}

bool TKitBaseControl::CheckOptimized() const {
  const TKitCustomControl* Lender = BackgroundParent();
  return Lender && Lender->BackBitmapCheck();
}

TKitCustomControl* TKitBaseControl::BackgroundParent() const {
  return dynamic_cast<TKitCustomControl*>(Parent());
}
