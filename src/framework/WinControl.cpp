// TWinControl: children in z-order.
#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Form.h"

TWinControl::TWinControl(TComponent* Owner) : TControl(Owner) {}

TWinControl::~TWinControl() {
  for (TControl* Child : std::vector<TControl*>(FControls)) Child->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
  Control->Invalidate();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
  if (TForm* Form = ParentForm()) Form->Forget(Control);
  Control->FParent = nullptr;
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* Child : FControls) Child->ParentFontChanged();
}

TControl* TWinControl::ControlAtPos(TPoint Point, bool AllowDisabled) const {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (C->Visible() && (AllowDisabled || C->Enabled()) && C->BoundsRect().Contains(Point))
      return C;
  }
  return nullptr;
}

void TWinControl::BringToFront(TControl* Control) {
  auto It = std::find(FControls.begin(), FControls.end(), Control);
  if (It == FControls.end()) return;
  FControls.erase(It);
  FControls.push_back(Control);
  Control->Invalidate();
}
