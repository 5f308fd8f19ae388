// TWinControl: a control that holds children, which the window paints over its face in z-order
// and whose events it passes down to them.
#pragma once

#include <vector>

#include "framework/Control.h"

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* Owner);
  // The children belong to their owners: they only lose their place on the screen.
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order: the first is painted first, the last is on top.
  TControl* Controls(int Index) const { return FControls[static_cast<std::size_t>(Index)]; }
  // The topmost visible child containing Point (client coordinates); disabled ones only when
  // asked for. Nested children are not searched.
  TControl* ControlAtPos(TPoint Point, bool AllowDisabled) const;
  void BringToFront(TControl* Control);

 protected:
  void FontChanged() override;

 private:
  friend class TControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);

  std::vector<TControl*> FControls;
};
