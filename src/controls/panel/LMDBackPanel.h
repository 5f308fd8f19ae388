// TLMDBackPanel: the background panel that fills a window with a picture of a bitmap list and
// lends the picture to the buttons on it.
#pragma once

#include "controls/panel/LMDCustomParentPanel.h"

// Everything it does it takes from TLMDCustomParentPanel; it is the class a window design
// names.
class TLMDBackPanel : public TLMDCustomParentPanel {
 public:
  using TLMDCustomParentPanel::TLMDCustomParentPanel;
  const char* ClassName() const override { return "TLMDBackPanel"; }
};
