// TLMDCustomBevelPanel: the bevel's painting and its effect on the children's room.
#include "controls/panel/LMDCustomBevelPanel.h"

TLMDCustomBevelPanel::TLMDCustomBevelPanel(TComponent* Owner) : TLMDCustomPanel(Owner) {
  // Without native windows the bmWindows border is drawn by the bevel inside the client area
  // like any other, so the bevel is not told that a native border could stand in for it.
  FBevel.OnChange = [this](TObject*) { GetChange(); };
}

TLMDCustomBevelPanel::~TLMDCustomBevelPanel() {
  FBevel.OnChange = nullptr;
}

void TLMDCustomBevelPanel::Paint() {
  if (Loading()) return;
  TLMDCustomPanel::Paint();
  if (!GetEmpty()) FBevel.PaintBevel(Canvas(), ClientRect(), true);
}

void TLMDCustomBevelPanel::GetChange() {
  if (Loading()) return;
  AlignControls();
  Invalidate();
}

bool TLMDCustomBevelPanel::GetEmpty() const {
  return FBevel.BevelExtend() == 0 && FBevel.Mode() != TLMDBevelMode::bmWindows &&
         TLMDCustomPanel::GetEmpty();
}
