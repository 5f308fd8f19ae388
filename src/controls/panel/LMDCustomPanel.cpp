// TLMDCustomPanel: construction defaults and the face.
#include "controls/panel/LMDCustomPanel.h"

TLMDCustomPanel::TLMDCustomPanel(TComponent* Owner) : TLMDCustomControl(Owner) {
  ControlStyle = {TControlStyle::csCaptureMouse, TControlStyle::csDoubleClicks,
                  TControlStyle::csOpaque, TControlStyle::csReplicatable};
  SetBounds(Left(), Top(), 100, 40);
}

void TLMDCustomPanel::Paint() {
  if (!Loading()) FillControl();
}
