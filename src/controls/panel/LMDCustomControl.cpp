// TLMDCustomControl: the image list link, transparent mode, background sharing, alignment and
// mouse-enter and mouse-exit events.
#include "controls/panel/LMDCustomControl.h"

#include <algorithm>

TLMDCustomControl::TLMDCustomControl(TComponent* Owner) : TWinControl(Owner) {
  FChangeLink.OnChange = [this](TObject*) { GetIMLChange(); };
}

TLMDCustomControl::~TLMDCustomControl() {
  FChangeLink.OnChange = nullptr;
  // The link leaves the list by itself when it is destroyed; the removal notice is not needed.
  if (FImageList) RemoveFreeNotification(FImageList);
}

void TLMDCustomControl::SetImageList(TLMDCustomImageList* Value) {
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

void TLMDCustomControl::SetIndex(int Index, int Value) {
  int& Field = Index == 0 ? FImageIndex : FListIndex;
  if (Value < 0 || Value == Field) return;
  Field = Value;
  if (FImageList) GetIMLChange();
}

void TLMDCustomControl::SetTransparent(bool Value) {
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

void TLMDCustomControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  Realign();
}

void TLMDCustomControl::Realign() {
  if (FAlign != TAlign::alClient || !Parent()) return;
  const TLMDCustomControl* Family = FamilyParent();
  const TRect Room =
      Family ? Family->AdjustClientRect(Family->ClientRect()) : Parent()->ClientRect();
  SetBounds(Room.Left, Room.Top, std::max(Room.Width(), 0), std::max(Room.Height(), 0));
}

void TLMDCustomControl::AlignControls() {
  for (int I = 0; I < ControlCount(); ++I)
    if (auto* Child = dynamic_cast<TLMDCustomControl*>(Controls(I))) Child->Realign();
}

TLMDCustomControl* TLMDCustomControl::FamilyParent() const {
  return dynamic_cast<TLMDCustomControl*>(Parent());
}

bool TLMDCustomControl::ValidItem() const {
  return FImageList && FImageList->IsValidItem(FListIndex, FImageIndex);
}

bool TLMDCustomControl::BackBitmapCheck() const {
  if (!FTransparent) return false;
  const TLMDCustomControl* Family = FamilyParent();
  return Family && Family->BackBitmapCheck();
}

TBitmap* TLMDCustomControl::BackBitmap() const {
  return BackBitmapCheck() ? FamilyParent()->BackBitmap() : nullptr;
}

TPoint TLMDCustomControl::BackMapPoint(TPoint Point) const {
  // Windows here have no native border, so the client area starts at the control's corner.
  TPoint Origin{Left(), Top()};
  if (const TLMDCustomControl* Family = FamilyParent()) Origin = Family->BackMapPoint(Origin);
  return {Origin.X + Point.X, Origin.Y + Point.Y};
}

bool TLMDCustomControl::BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point,
                                     [[maybe_unused]] std::uint16_t Flags) {
  if (Loading()) return false;
  TBitmap* Source = BackBitmap();
  if (!Source) return false;
  const TPoint From = BackMapPoint({Rect.Left + Point.X, Rect.Top + Point.Y});
  Canvas.CopyRect(Rect, Source->Canvas(), Bounds(From.X, From.Y, Rect.Width(), Rect.Height()));
  return true;
}

void TLMDCustomControl::NotifyBackgroundChanged() {
  // By index: a child's repaint may not change the children, but a handler might.
  for (int I = 0; I < ControlCount(); ++I)
    if (auto* Client = dynamic_cast<TLMDBackgroundClient*>(Controls(I)))
      Client->BackgroundChanged();
}

void TLMDCustomControl::BackgroundChanged() {
  if (Loading()) return;
  if (CheckOptimized()) {
    Repaint();
    NotifyBackgroundChanged();
  } else {
    Invalidate();
  }
}

void TLMDCustomControl::GetIMLChange() {
  if (!Loading()) Invalidate();
  NotifyBackgroundChanged();
}

void TLMDCustomControl::GetChange() {
  if (!Loading()) Invalidate();
}

bool TLMDCustomControl::GetEmpty() const {
  return !ValidItem();
}

void TLMDCustomControl::FillControl() {
  TCanvas& Surface = Canvas();
  const TRect Client = ClientRect();
  if (CheckOptimized() && BackDrawArea(Surface, Client, {0, 0}, 0)) return;
  Surface.Brush.Color = Color();
  Surface.Brush.Style = TBrushStyle::bsSolid;
  Surface.FillRect(Client);
}

void TLMDCustomControl::SetParent(TWinControl* Parent) {
  TWinControl::SetParent(Parent);
  Realign();
}

void TLMDCustomControl::SetBounds(int Left, int Top, int Width, int Height) {
  const bool Moved = Left != this->Left() || Top != this->Top();
  const bool Sized = Width != this->Width() || Height != this->Height();
  TWinControl::SetBounds(Left, Top, Width, Height);
  if (Sized)
    AfterResize();
  else if (Moved && CheckOptimized())
    Repaint();  // a transparent control shows another piece of its parent's background now
}

void TLMDCustomControl::SizeChanged() {
  AlignControls();
}

void TLMDCustomControl::AfterResize() {
  SizeChanged();
  if (CheckOptimized()) {
    Repaint();
    NotifyBackgroundChanged();
  } else {
    Invalidate();
  }
}

void TLMDCustomControl::MouseEntered() {
  FMouseAbove = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TLMDCustomControl::MouseLeft() {
  FMouseAbove = false;
  if (OnMouseExit) OnMouseExit(this);
}

void TLMDCustomControl::Notification(TComponent* Component, TOperation Operation) {
  TWinControl::Notification(Component, Operation);
  // The list is already past its own destructors: it has released this control's link, and
  // only the reference is left to drop.
  if (Operation == TOperation::opRemove && FImageList && Component == FImageList) {
    FImageList = nullptr;
    GetIMLChange();
  }
}
