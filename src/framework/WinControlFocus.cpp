// TWinControl: the keyboard focus of a window and the keys that move it.
#include <vector>

#include "framework/FocusNavigation.h"
#include "framework/WinControl.h"
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

bool MoveOf(unsigned Key, TShiftState Shift, TFocusMove& Move) {
  switch (Key) {
    case vkTab:
      Move = Shift.Contains(TShiftFlag::ssShift) ? TFocusMove::fmPrevious : TFocusMove::fmNext;
      return true;
    case vkHome:
      Move = TFocusMove::fmFirst;
      return true;
    case vkEnd:
      Move = TFocusMove::fmLast;
      return true;
    case vkLeft:
      Move = TFocusMove::fmLeft;
      return true;
    case vkRight:
      Move = TFocusMove::fmRight;
      return true;
    case vkUp:
      Move = TFocusMove::fmUp;
      return true;
    case vkDown:
      Move = TFocusMove::fmDown;
      return true;
    default:
      return false;
  }
}

}  // namespace

void TWinControl::SetFocusedControl(TControl* Control) {
  if (Control == FFocus) return;
  TControl* Old = FFocus;
  FFocus = Control;
  if (Old) Old->Invalidate();
  if (Control) Control->Invalidate();
}

void TWinControl::FocusGone(TControl* Control) {
  for (TControl* C = FFocus; C; C = C->Parent())
    if (C == Control) {
      SetFocusedControl(nullptr);
      return;
    }
}

bool TWinControl::WindowNavigationKey(unsigned Key, TShiftState Shift) {
  if (Shift.Contains(TShiftFlag::ssAlt) || Shift.Contains(TShiftFlag::ssCtrl)) return false;
  if (Key == vkReturn || Key == vkSpace) {
    if (!FFocus || !FFocusCue) return false;
    FFocus->KeyClick();
    return true;
  }
  TFocusMove Move{};
  if (!MoveOf(Key, Shift, Move)) return false;
  std::vector<TControl*> Focusable;
  CollectFocusable(*this, Focusable);
  std::vector<TRect> Places;
  int Current = -1;
  for (TControl* Control : Focusable) {
    if (Control == FFocus) Current = static_cast<int>(Places.size());
    const TPoint Origin = Control->WindowOrigin();
    Places.push_back(Bounds(Origin.X, Origin.Y, Control->Width(), Control->Height()));
  }
  const int Target = FocusTarget(Places, Current, Move);
  if (Target < 0) return true;
  if (!FFocusCue) {
    FFocusCue = true;
    if (FFocus) FFocus->Invalidate();
  }
  SetFocusedControl(Focusable[static_cast<std::size_t>(Target)]);
  return true;
}
