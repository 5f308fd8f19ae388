// TControl: a windowless control drawing on its window's back buffer.
#include "framework/Control.h"

#include <algorithm>
#include <stdexcept>

#include "framework/Form.h"

TControl::TControl(TComponent* Owner) : TComponent(Owner) {
  Font.OnChange = [this](TObject*) {
    if (!FApplyingParentFont) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  Font.OnChange = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Parent) {
  if (Parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = Parent;
  if (!FParent) return;
  FParent->InsertControl(this);
  if (FParentFont) ParentFontChanged();
  Invalidate();
}

void TControl::SetBounds(int Left, int Top, int Width, int Height) {
  // Places and sizes come from files: each is kept within a range whose sums and differences
  // stay inside int, far beyond any screen.
  constexpr int Limit = 1 << 24;
  Left = std::clamp(Left, -Limit, Limit);
  Top = std::clamp(Top, -Limit, Limit);
  Width = std::clamp(Width, -Limit, Limit);
  Height = std::clamp(Height, -Limit, Limit);
  if (Left == FLeft && Top == FTop && Width == FWidth && Height == FHeight) return;
  Invalidate();
  FLeft = Left;
  FTop = Top;
  FWidth = Width;
  FHeight = Height;
  Invalidate();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (TForm* Form = ParentForm(); Form && !Value) Form->FocusGone(this);
  VisibleChanged();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (TForm* Form = ParentForm(); Form && !Value) Form->FocusGone(this);
  EnabledChanged();
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  TextChanged();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FApplyingParentFont = true;
  Font.Assign(FParent->Font);
  FApplyingParentFont = false;
}

void TControl::EnabledChanged() {
  Invalidate();
}
void TControl::FontChanged() {
  Invalidate();
}
void TControl::TextChanged() {
  Invalidate();
}
void TControl::VisibleChanged() {
  // Invalidate skips nothing for hidden controls, so the area they leave is repainted too.
  Invalidate();
}

bool TControl::ShowsFocus() const {
  const TForm* Form = ParentForm();
  return Form && Form->FocusCueShown() && Form->FocusedControl() == this;
}

TForm* TControl::ParentForm() const {
  const TControl* Top = this;
  while (Top->FParent) Top = Top->FParent;
  return dynamic_cast<TForm*>(const_cast<TControl*>(Top));
}

TPoint TControl::WindowOrigin() const {
  TPoint Origin;
  for (const TControl* C = this; C->FParent; C = C->FParent) {
    Origin.X += C->FLeft;
    Origin.Y += C->FTop;
  }
  return Origin;
}

TCanvas& TControl::Canvas() {
  if (!FCanvas) throw std::logic_error(std::string(ClassName()) + " painted outside a paint");
  return *FCanvas;
}

void TControl::Invalidate() {
  if (TForm* Form = ParentForm()) {
    const TPoint Origin = WindowOrigin();
    Form->InvalidateWindowRect(Bounds(Origin.X, Origin.Y, FWidth, FHeight));
  }
}

void TControl::Update() {
  if (TForm* Form = ParentForm()) Form->UpdateWindow();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::PaintNow() {
  TForm* Form = ParentForm();
  // Before its window exists nothing can be shown; the window's first paint draws everything,
  // so that a menu being built neither paints its buttons again and again nor needs fonts yet.
  if (!Form || !Form->Window() || !FVisible) return;
  for (const TControl* C = FParent; C; C = C->FParent)
    if (!C->FVisible) return;
  Form->PaintControlNow(*this);
}

TPoint TControl::ClientToScreen(TPoint Point) const {
  TPoint Origin = WindowOrigin();
  TForm* Form = ParentForm();
  int X = 0, Y = 0;
  if (Form && Form->Window()) Form->Window()->ClientOrigin(X, Y);
  return {Point.X + Origin.X + X, Point.Y + Origin.Y + Y};
}

TPoint TControl::ScreenToClient(TPoint Point) const {
  TPoint Zero = ClientToScreen({0, 0});
  return {Point.X - Zero.X, Point.Y - Zero.Y};
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
