// TLMDBaseControl: finding the parent that lends a background.
#include "controls/button/LMDBaseControl.h"

#include "controls/panel/LMDCustomControl.h"

void TLMDBaseControl::BackgroundChanged() {
  if (CheckOptimized()) Invalidate();
}

bool TLMDBaseControl::CheckOptimized() const {
  const TLMDCustomControl* Lender = BackgroundParent();
  return Lender && Lender->BackBitmapCheck();
}

TLMDCustomControl* TLMDBaseControl::BackgroundParent() const {
  return dynamic_cast<TLMDCustomControl*>(Parent());
}
