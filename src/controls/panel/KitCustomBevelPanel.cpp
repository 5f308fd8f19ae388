// TKitCustomBevelPanel: the bevel's painting and its effect on the children's room.
#include "controls/panel/KitCustomBevelPanel.h"

TKitCustomBevelPanel::TKitCustomBevelPanel(TComponent* Owner) : TKitCustomPanel(Owner) {
  // Without native windows the bmWindows border is drawn by the bevel inside the client area
  // like any other, so the bevel is not told that a native border could stand in for it.
  FBevel.OnChange = [this](TObject*) { GetChange(); };
}

TKitCustomBevelPanel::~TKitCustomBevelPanel() {
  FBevel.OnChange = nullptr;
}

void TKitCustomBevelPanel::Paint() {
  if (Loading()) return;
  TKitCustomPanel::Paint();
  if (!GetEmpty()) FBevel.PaintBevel(Canvas(), ClientRect(), true);
}

void TKitCustomBevelPanel::GetChange() {
  if (Loading()) return;
  AlignControls();
  Invalidate();
}

bool TKitCustomBevelPanel::GetEmpty() const {
  return FBevel.BevelExtend() == 0 && FBevel.Mode() != TKitBevelMode::bmWindows &&
         TKitCustomPanel::GetEmpty();
}
