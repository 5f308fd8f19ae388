// TForm: the window's mouse and accelerator events, passed to the control they are meant for.
#include "framework/Form.h"

void TForm::Forget(TControl* Control) {
  for (TControl* C = FCapture; C; C = C->Parent())
    if (C == Control) FCapture = nullptr;
  for (TControl* C = FHover; C; C = C->Parent())
    if (C == Control) FHover = nullptr;
  for (TControl* C = FFocus; C; C = C->Parent())
    if (C == Control) FFocus = nullptr;
}

TControl* TForm::MouseTarget(TPoint Point, bool AllowDisabled, TPoint& Local) {
  TControl* Target = this;
  Local = Point;
  while (auto* Container = dynamic_cast<TWinControl*>(Target)) {
    TControl* Child = Container->ControlAtPos(Local, AllowDisabled);
    if (!Child) break;
    Local = {Local.X - Child->Left(), Local.Y - Child->Top()};
    Target = Child;
  }
  return Target;
}

void TForm::SetHover(TControl* Control) {
  if (Control == FHover) return;
  TControl* Old = FHover;
  FHover = Control;
  if (Old) Old->MouseLeft();
  if (FHover == Control && Control) Control->MouseEntered();
}

TControl* TForm::EventTarget(int X, int Y, TPoint& Local) {
  if (!FCapture) return MouseTarget({X, Y}, false, Local);
  const TPoint Origin = FCapture->WindowOrigin();
  Local = {X - Origin.X, Y - Origin.Y};
  return FCapture;
}

void TForm::WindowMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  if (Target->ControlStyle.Contains(TControlStyle::csCaptureMouse)) FCapture = Target;
  if (!Target->ControlStyle.Contains(TControlStyle::csDoubleClicks))
    Shift.Exclude(TShiftFlag::ssDouble);
  Target->MouseDown(Button, Shift, Local.X, Local.Y);
}

void TForm::WindowMouseMove(TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  Target->MouseMove(Shift, Local.X, Local.Y);
  TPoint Ignored;
  SetHover(MouseTarget({X, Y}, true, Ignored));
}

void TForm::WindowMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  // The capture ends before the control hears of the release, so that whatever its handler
  // shows (a modal message, say) gets the mouse.
  if (!Shift.AnyButton()) FCapture = nullptr;
  Target->MouseUp(Button, Shift, Local.X, Local.Y);
}

void TForm::WindowMouseLeave() {
  if (!FCapture) SetHover(nullptr);
}

namespace {

bool SendDialogChar(TWinControl& Container, char32_t Key) {
  for (int I = 0; I < Container.ControlCount(); ++I) {
    TControl* Child = Container.Controls(I);
    if (!Child->Visible()) continue;
    if (Child->DialogChar(Key)) return true;
    if (auto* Inner = dynamic_cast<TWinControl*>(Child); Inner && SendDialogChar(*Inner, Key))
      return true;
  }
  return false;
}

}  // namespace

bool TForm::WindowDialogChar(char32_t Key) {
  return DialogChar(Key) || SendDialogChar(*this, Key);
}
