// TKitCustomControl: the image list link, transparent mode, background sharing, alignment and
// mouse-enter and mouse-exit events.
#include "controls/core/KitCustomControl.h"
#include "controls/panel/KitCustomImageList.h"

#include <algorithm>

TKitCustomControl::TKitCustomControl(TComponent* Owner) : TWinControl(Owner) {
  FChangeLink.OnChange = [this](TObject*) { GetIMLChange(); };
}

TKitCustomControl::~TKitCustomControl() {
  FChangeLink.OnChange = nullptr;
  // The link leaves the list by itself when it is destroyed; the removal notice is not needed.
  if (FImageList) RemoveFreeNotification(FImageList);
}

void TKitCustomControl::SetImageList(TKitCustomImageList* Value) {
  if (Value == FImageList) return;
  if (FImageList) {
    FImageList->UnRegisterChanges(&FChangeLink);
    RemoveFreeNotification(FImageList);
  }
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(&FChangeLink);
    FreeNotification(FImageList);
  }
  GetIMLChange();
}

void TKitCustomControl::SetIndex(int Index, int Value) {
  int& Field = Index == 0 ? FImageIndex : FListIndex;
  if (Value < 0 || Value == Field) return;
  Field = Value;
  if (FImageList) GetIMLChange();
}

void TKitCustomControl::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value)
    ControlStyle.Exclude(TControlStyle::csOpaque);
  else
    ControlStyle.Include(TControlStyle::csOpaque);
  // A native window would be recreated here, and a new window starts with a size notice: that
  // is where the background copy follows the new mode.
  AfterResize();
}

void TKitCustomControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  Realign();
}

void TKitCustomControl::Realign() {
  if (FAlign != TAlign::alClient || !Parent()) return;
  const TKitCustomControl* Family = FamilyParent();
  const TRect Room =
      Family ? Family->AdjustClientRect(Family->ClientRect()) : Parent()->ClientRect();
  SetBounds(Room.Left, Room.Top, std::max(Room.Width(), 0), std::max(Room.Height(), 0));
}

void TKitCustomControl::AlignControls() {
  for (int I = 0; I < ControlCount(); ++I)
    if (auto* Child = dynamic_cast<TKitCustomControl*>(Controls(I))) Child->Realign();
}

TKitCustomControl* TKitCustomControl::FamilyParent() const {
  return dynamic_cast<TKitCustomControl*>(Parent());
}

bool TKitCustomControl::ValidItem() const {
  return FImageList && FImageList->IsValidItem(FListIndex, FImageIndex);
}

bool TKitCustomControl::BackBitmapCheck() const {
  if (!FTransparent) return false;
  const TKitCustomControl* Family = FamilyParent();
  return Family && Family->BackBitmapCheck();
}

TBitmap* TKitCustomControl::BackBitmap() const {
  return BackBitmapCheck() ? FamilyParent()->BackBitmap() : nullptr;
}

TPoint TKitCustomControl::BackMapPoint(TPoint Point) const {
  // Windows here have no native border, so the client area starts at the control's corner.
  TPoint Origin{Left(), Top()};
  if (const TKitCustomControl* Family = FamilyParent()) Origin = Family->BackMapPoint(Origin);
  return {Origin.X + Point.X, Origin.Y + Point.Y};
}

bool TKitCustomControl::BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point,
                                     [[maybe_unused]] std::uint16_t Flags) {
  if (Loading()) return false;
  TBitmap* Source = BackBitmap();
  if (!Source) return false;
  const TPoint From = BackMapPoint({Rect.Left + Point.X, Rect.Top + Point.Y});
  Canvas.CopyRect(Rect, Source->Canvas(), Bounds(From.X, From.Y, Rect.Width(), Rect.Height()));
  return true;
}

void TKitCustomControl::NotifyBackgroundChanged() {
  // By index: a child's repaint may not change the children, but a handler might.
  for (int I = 0; I < ControlCount(); ++I)
    if (auto* Client = dynamic_cast<TKitBackgroundClient*>(Controls(I)))
      Client->BackgroundChanged();
}

void TKitCustomControl::BackgroundChanged() {
  if (Loading()) return;
  if (CheckOptimized()) {
    Repaint();
    NotifyBackgroundChanged();
  } else {
    Invalidate();
  }
}

void TKitCustomControl::GetIMLChange() {
  if (!Loading()) Invalidate();
  NotifyBackgroundChanged();
}

void TKitCustomControl::GetChange() {
  if (!Loading()) Invalidate();
}

bool TKitCustomControl::GetEmpty() const {
  return !ValidItem();
}

void TKitCustomControl::FillControl() {
  TCanvas& Surface = Canvas();
  const TRect Client = ClientRect();
  if (CheckOptimized() && BackDrawArea(Surface, Client, {0, 0}, 0)) return;
  Surface.Brush.Color = Color();
  Surface.Brush.Style = TBrushStyle::bsSolid;
  Surface.FillRect(Client);
}

void TKitCustomControl::SetParent(TWinControl* Parent) {
  TWinControl::SetParent(Parent);
  Realign();
}

void TKitCustomControl::SetBounds(int Left, int Top, int Width, int Height) {
  const bool Moved = Left != this->Left() || Top != this->Top();
  const bool Sized = Width != this->Width() || Height != this->Height();
  TWinControl::SetBounds(Left, Top, Width, Height);
  if (Sized)
    AfterResize();
  else if (Moved && CheckOptimized())
    Repaint();  // a transparent control shows another piece of its parent's background now
}

void TKitCustomControl::SizeChanged() {
  AlignControls();
}

void TKitCustomControl::AfterResize() {
  SizeChanged();
  if (CheckOptimized()) {
    Repaint();
    NotifyBackgroundChanged();
  } else {
    Invalidate();
  }
}

void TKitCustomControl::MouseEntered() {
  FMouseAbove = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TKitCustomControl::MouseLeft() {
  FMouseAbove = false;
  if (OnMouseExit) OnMouseExit(this);
}

void TKitCustomControl::Notification(TComponent* Component, TOperation Operation) {
  TWinControl::Notification(Component, Operation);
  // The list is already past its own destructors: it has released this control's link, and
  // only the reference is left to drop.
  if (Operation == TOperation::opRemove && FImageList && Component == FImageList) {
    FImageList = nullptr;
    GetIMLChange();
  }
}
