// THintController: the tips' timing and placement.
#include "framework/HintController.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/HintWindow.h"

namespace {

// Control, in the window of Root, where nothing hides it.
bool InTree(const TWinControl& Root, const TControl* Control) {
  for (int I = 0; I < Root.ControlCount(); ++I) {
    const TControl* Child = Root.Controls(I);
    if (Child == Control) return Child->Visible();
    if (const auto* Inner = dynamic_cast<const TWinControl*>(Child);
        Inner && Inner->Visible() && InTree(*Inner, Control))
      return true;
  }
  return false;
}

TRect ScreenRect(const TControl& Control) {
  const TPoint Origin = Control.ClientToScreen({0, 0});
  return Bounds(Origin.X, Origin.Y, Control.Width(), Control.Height());
}

bool Overlaps(const TRect& A, const TRect& B) {
  return !IntersectRect(A, B).IsEmpty();
}

}  // namespace

void THintController::BeforeEvent(TWindowEvent::TKind Kind) {
  using TKind = TWindowEvent::TKind;
  if (Kind == TKind::wkButtonDown || Kind == TKind::wkButtonUp || Kind == TKind::wkKeyDown)
    Cancel();
}

void THintController::AfterEvent(TForm& Form, TWindowEvent::TKind Kind,
                                 const TControl* FocusBefore) {
  using TKind = TWindowEvent::TKind;
  switch (Kind) {
    case TKind::wkPointerMove: {
      TControl* Hover = Form.HoverControl();
      if (Hover == FHover) return;
      FHover = Hover;
      Cancel();
      if (Hover && !Hover->Hint.empty()) Wait(Form, Hover, true);
      return;
    }
    case TKind::wkPointerLeave:
      FHover = nullptr;
      Cancel();
      return;
    case TKind::wkKeyDown: {
      TControl* Focused = Form.FocusedControl();
      if (Focused != FocusBefore && Focused && Form.FocusCueShown() && !Focused->Hint.empty())
        Wait(Form, Focused, false);
      return;
    }
    default:
      return;
  }
}

void THintController::Wait(TForm& Form, TControl* Control, bool ByPointer) {
  FForm = &Form;
  FControl = Control;
  FByPointer = ByPointer;
  FDue = FApp.WindowSystem().Milliseconds() + Pause;
}

int THintController::MillisecondsToDue(std::int64_t Now) const {
  if (FDue < 0) return -1;
  return static_cast<int>(std::max<std::int64_t>(FDue - Now, 0));
}

bool THintController::StillShown(const TControl* Control) const {
  return FForm && FForm->Showing() && InTree(*FForm, Control);
}

void THintController::Deliver(std::int64_t Now) {
  if (FDue < 0 || Now < FDue) return;
  FDue = -1;
  if (!StillShown(FControl) || (FApp.ModalForm() && FApp.ModalForm() != FForm)) {
    FControl = nullptr;
    return;
  }
  if (!FWindow) FWindow = new THintWindow(&FApp);
  FWindow->Hide();
  FWindow->SetHintText(FControl->Hint);
  const TPoint At = Place({FWindow->Width(), FWindow->Height()}, FByPointer);
  FWindow->SetBounds(At.X, At.Y, FWindow->Width(), FWindow->Height());
  FWindow->Show();
}

TPoint THintController::Place(TPoint Size, bool ByPointer) const {
  const TRect Own = ScreenRect(*FControl);
  int ScreenWidth = 0, ScreenHeight = 0;
  FApp.WindowSystem().ScreenSize(ScreenWidth, ScreenHeight);
  int Left = Own.Left;
  if (ByPointer) {
    int PointerY = 0;
    FApp.WindowSystem().CursorPos(Left, PointerY);
  }
  Left = std::clamp(Left, 0, std::max(ScreenWidth - Size.X, 0));
  std::vector<TRect> Clear = {Own};
  const TControl* Focused = FForm->FocusCueShown() ? FForm->FocusedControl() : nullptr;
  for (const TControl* Other : {static_cast<const TControl*>(FForm->HoverControl()), Focused})
    if (Other && Other != FControl) Clear.push_back(ScreenRect(*Other));
  const TRect Below = Bounds(Left, Own.Bottom + Gap, Size.X, Size.Y);
  const TRect Above = Bounds(Left, Own.Top - Gap - Size.Y, Size.X, Size.Y);
  for (const TRect& Choice : {Below, Above}) {
    const bool OnScreen = Choice.Top >= 0 && Choice.Bottom <= ScreenHeight;
    const bool CoversNone = std::none_of(Clear.begin(), Clear.end(),
                                         [&](const TRect& R) { return Overlaps(Choice, R); });
    if (OnScreen && CoversNone) return {Choice.Left, Choice.Top};
  }
  return Below.Bottom <= ScreenHeight ? TPoint{Below.Left, Below.Top}
                                      : TPoint{Above.Left, std::max(Above.Top, 0)};
}

void THintController::Cancel() {
  FDue = -1;
  FControl = nullptr;
  if (FWindow) FWindow->Hide();
}

void THintController::FormGone(const TForm* Form) {
  if (Form == FWindow) {
    FWindow = nullptr;
    return;
  }
  if (Form != FForm) return;
  Cancel();
  FForm = nullptr;
  FHover = nullptr;
}
