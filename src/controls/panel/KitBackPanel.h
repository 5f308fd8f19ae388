// TKitBackPanel: the background panel that fills a window with a picture of a bitmap list and
// lends the picture to the buttons on it.
#pragma once

#include "controls/panel/KitCustomParentPanel.h"

// Everything it does it takes from TKitCustomParentPanel; it is the class a window design
// names.
class TKitBackPanel : public TKitCustomParentPanel {
 public:
  using TKitCustomParentPanel::TKitCustomParentPanel;
  const char* ClassName() const override { return "TKitBackPanel"; }
};
