// TWinControl: children in z-order, and the window's root: painting, presenting, dispatching.
#include "framework/WinControl.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* Owner) : TControl(Owner) {}

TWinControl::~TWinControl() {
  // Children belong to their owners; they only lose their place on the screen.
  for (TControl* Child : std::vector<TControl*>(FControls)) Child->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
  Control->Invalidate();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
  if (TWinControl* Root = RootControl()) Root->Forget(Control);
  Control->FParent = nullptr;
}

void TWinControl::Forget(TControl* Control) {
  for (TControl* C = FCapture; C; C = C->Parent())
    if (C == Control) FCapture = nullptr;
  for (TControl* C = FHover; C; C = C->Parent())
    if (C == Control) FHover = nullptr;
  for (TControl* C = FFocus; C; C = C->Parent())
    if (C == Control) FFocus = nullptr;
}

void TWinControl::Notification(TComponent* Component, TOperation Operation) {
  TControl::Notification(Component, Operation);
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

TControl* TWinControl::MouseTarget(TPoint Point, bool AllowDisabled, TPoint& Local) {
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

void TWinControl::SetHover(TControl* Control) {
  if (Control == FHover) return;
  TControl* Old = FHover;
  FHover = Control;
  if (Old) Old->MouseLeft();
  if (FHover == Control && Control) Control->MouseEntered();
}

void TWinControl::SetBounds(int Left, int Top, int Width, int Height) {
  const bool Resized = Width != this->Width() || Height != this->Height();
  TControl::SetBounds(Left, Top, Width, Height);
  if (Parent() || !Resized) return;
  FBackBuffer.SetSize(std::max(Width, 0), std::max(Height, 0));
  InvalidateWindowRect(ClientRect());
}

void TWinControl::InvalidateWindowRect(const TRect& Rect) {
  TRect Area = IntersectRect(Rect, {0, 0, FBackBuffer.Width(), FBackBuffer.Height()});
  if (Area.IsEmpty()) return;
  FInvalid =
      FInvalid.IsEmpty()
          ? Area
          : TRect{std::min(FInvalid.Left, Area.Left), std::min(FInvalid.Top, Area.Top),
                  std::max(FInvalid.Right, Area.Right), std::max(FInvalid.Bottom, Area.Bottom)};
}

void TWinControl::UpdateWindow() {
  if (FInvalid.IsEmpty()) return;
  const TRect Area = FInvalid;
  FInvalid = {};
  PaintTree(Area);
  PresentRect(Area);
}

void TWinControl::PaintTree(const TRect& Area) {
  PaintControl(*this, Area);
}

void TWinControl::PaintControl(TControl& Control, const TRect& Area) {
  if (!Control.Visible()) return;
  const TPoint Origin = Control.WindowOrigin();
  const TRect Shown =
      IntersectRect(Area, Bounds(Origin.X, Origin.Y, Control.Width(), Control.Height()));
  if (Shown.IsEmpty()) return;
  if (!CoveredByChild(Control, Shown)) {
    Control.FPaintArea = OffsetRect(Shown, -Origin.X, -Origin.Y);
    Control.FPainting = true;
    try {
      Control.Paint();
    } catch (...) {
      Control.FPainting = false;
      throw;
    }
    Control.FPainting = false;
  }
  if (auto* Container = dynamic_cast<TWinControl*>(&Control))
    for (TControl* Child : std::vector<TControl*>(Container->FControls))
      PaintControl(*Child, Shown);
}

bool TWinControl::CoveredByChild(const TControl& Control, const TRect& Shown) {
  const auto* Container = dynamic_cast<const TWinControl*>(&Control);
  if (!Container) return false;
  for (const TControl* Child : Container->FControls) {
    if (!Child->Visible() || Child->Loading() ||
        !Child->ControlStyle.Contains(TControlStyle::csOpaque))
      continue;
    const TPoint Origin = Child->WindowOrigin();
    if (IntersectRect(Shown, Bounds(Origin.X, Origin.Y, Child->Width(), Child->Height())) == Shown)
      return true;
  }
  return false;
}

void TWinControl::PresentRect(const TRect& Rect) {
  const TRect Area = IntersectRect(Rect, {0, 0, FBackBuffer.Width(), FBackBuffer.Height()});
  if (!FWindow || Area.IsEmpty()) return;
  FWindow->Present(FBackBuffer.ScanLine(0), FBackBuffer.Width(), Area.Left, Area.Top, Area.Width(),
                   Area.Height());
}

TPoint TWinControl::CursorPos() const {
  TPoint Point;
  if (FWindow) FWindow->CursorPos(Point.X, Point.Y);
  return Point;
}

TControl* TWinControl::EventTarget(int X, int Y, TPoint& Local) {
  if (!FCapture) return MouseTarget({X, Y}, false, Local);
  const TPoint Origin = FCapture->WindowOrigin();
  Local = {X - Origin.X, Y - Origin.Y};
  return FCapture;
}

void TWinControl::WindowMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  if (Target->ControlStyle.Contains(TControlStyle::csCaptureMouse)) FCapture = Target;
  if (!Target->ControlStyle.Contains(TControlStyle::csDoubleClicks))
    Shift.Exclude(TShiftFlag::ssDouble);
  Target->MouseDown(Button, Shift, Local.X, Local.Y);
}

void TWinControl::WindowMouseMove(TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  Target->MouseMove(Shift, Local.X, Local.Y);
  TPoint Ignored;
  SetHover(MouseTarget({X, Y}, true, Ignored));
}

void TWinControl::WindowMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPoint Local;
  TControl* Target = EventTarget(X, Y, Local);
  // The capture ends before the control hears of the release, so that whatever its handler
  // shows (a modal message, say) gets the mouse.
  if (!Shift.AnyButton()) FCapture = nullptr;
  Target->MouseUp(Button, Shift, Local.X, Local.Y);
}

void TWinControl::WindowMouseLeave() {
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

bool TWinControl::WindowDialogChar(char32_t Key) {
  return DialogChar(Key) || SendDialogChar(*this, Key);
}
