// TForm: the keyboard focus of the window and the keys that move it.
#include <optional>
#include <vector>

#include "framework/FocusNavigation.h"
#include "framework/Form.h"
#include "platform/WindowSystem.h"

namespace {

// The controls the focus can reach, in the order of their parents' lists, depth first; what a
// hidden or disabled container holds cannot be reached.
void CollectFocusable(const TWinControl& Container, std::vector<TControl*>& Found) {
  for (int I = 0; I < Container.ControlCount(); ++I) {
    TControl* Child = Container.Controls(I);
    if (!Child->Visible() || !Child->Enabled()) continue;
    if (Child->TakesFocus()) Found.push_back(Child);
    if (const auto* Inner = dynamic_cast<const TWinControl*>(Child))
      CollectFocusable(*Inner, Found);
  }
}

std::optional<TFocusMove> MoveOf(unsigned Key, TShiftState Shift) {
  switch (Key) {
    case vkTab:
      return Shift.Contains(TShiftFlag::ssShift) ? TFocusMove::fmPrevious : TFocusMove::fmNext;
    case vkHome:
      return TFocusMove::fmFirst;
    case vkEnd:
      return TFocusMove::fmLast;
    case vkLeft:
      return TFocusMove::fmLeft;
    case vkRight:
      return TFocusMove::fmRight;
    case vkUp:
      return TFocusMove::fmUp;
    case vkDown:
      return TFocusMove::fmDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

void TForm::SetFocusedControl(TControl* Control) {
  if (Control == FFocus) return;
  TControl* Old = FFocus;
  FFocus = Control;
  if (Old) Old->Invalidate();
  if (Control) Control->Invalidate();
}

void TForm::FocusGone(TControl* Control) {
  for (TControl* C = FFocus; C; C = C->Parent())
    if (C == Control) {
      SetFocusedControl(nullptr);
      return;
    }
}

bool TForm::WindowNavigationKey(unsigned Key, TShiftState Shift) {
  if (Shift.Contains(TShiftFlag::ssAlt) || Shift.Contains(TShiftFlag::ssCtrl)) return false;
  if (Key == vkReturn || Key == vkSpace) {
    if (!FFocus || !FFocusCue) return false;
    FFocus->KeyClick();
    return true;
  }
  const std::optional<TFocusMove> Move = MoveOf(Key, Shift);
  if (!Move) return false;
  std::vector<TControl*> Focusable;
  CollectFocusable(*this, Focusable);
  std::vector<TRect> Places;
  int Current = -1;
  for (TControl* Control : Focusable) {
    if (Control == FFocus) Current = static_cast<int>(Places.size());
    const TPoint Origin = Control->WindowOrigin();
    Places.push_back(Bounds(Origin.X, Origin.Y, Control->Width(), Control->Height()));
  }
  const int Target = FocusTarget(Places, Current, *Move);
  if (Target < 0) return true;
  if (!FFocusCue) {
    FFocusCue = true;
    if (FFocus) FFocus->Invalidate();
  }
  SetFocusedControl(Focusable[static_cast<std::size_t>(Target)]);
  return true;
}
