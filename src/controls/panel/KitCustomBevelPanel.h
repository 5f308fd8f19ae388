// TKitCustomBevelPanel: a panel with a bevel drawn over its face and its aligned children kept
// inside the bevel.
#pragma once

#include "controls/draw/KitBevel.h"
#include "controls/panel/KitCustomPanel.h"

class TKitCustomBevelPanel : public TKitCustomPanel {
 public:
  explicit TKitCustomBevelPanel(TComponent* Owner);
  ~TKitCustomBevelPanel() override;
  const char* ClassName() const override { return "TKitCustomBevelPanel"; }

  // The owned bevel; its changes realign the children and repaint the panel.
  TKitBevel& Bevel() { return FBevel; }
  const TKitBevel& Bevel() const { return FBevel; }
  // Copies Value's settings into the owned bevel.
  void SetBevel(const TKitBevel& Value) { FBevel.Assign(Value); }

  // The face, then the bevel over it unless the panel is empty.
  void Paint() override;

 protected:
  void GetChange() override;
  // Also empty only while the bevel takes no room and is no window border.
  bool GetEmpty() const override;
  TRect AdjustClientRect(const TRect& Rect) const override { return FBevel.ClientRect(Rect); }

 private:
  TKitBevel FBevel;
};
