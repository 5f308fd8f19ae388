// TLMDCustomBevelPanel: a panel with a bevel drawn over its face and its aligned children kept
// inside the bevel.
#pragma once

#include "controls/draw/LMDBevel.h"
#include "controls/panel/LMDCustomPanel.h"

class TLMDCustomBevelPanel : public TLMDCustomPanel {
 public:
  explicit TLMDCustomBevelPanel(TComponent* Owner);
  ~TLMDCustomBevelPanel() override;
  const char* ClassName() const override { return "TLMDCustomBevelPanel"; }

  // The owned bevel; its changes realign the children and repaint the panel.
  TLMDBevel& Bevel() { return FBevel; }
  const TLMDBevel& Bevel() const { return FBevel; }
  // Copies Value's settings into the owned bevel.
  void SetBevel(const TLMDBevel& Value) { FBevel.Assign(Value); }

  // The face, then the bevel over it unless the panel is empty.
  void Paint() override;

 protected:
  void GetChange() override;
  // Also empty only while the bevel takes no room and is no window border.
  bool GetEmpty() const override;
  TRect AdjustClientRect(const TRect& Rect) const override { return FBevel.ClientRect(Rect); }

 private:
  TLMDBevel FBevel;
};
