// TKitCustomPanel: construction defaults and the face.
#include "controls/panel/KitCustomPanel.h"

TKitCustomPanel::TKitCustomPanel(TComponent* Owner) : TKitCustomControl(Owner) {
  ControlStyle = {TControlStyle::csCaptureMouse, TControlStyle::csDoubleClicks,
                  TControlStyle::csOpaque, TControlStyle::csReplicatable};
  SetBounds(Left(), Top(), 100, 40);
}

void TKitCustomPanel::Paint() {
  if (!Loading()) FillControl();
}
