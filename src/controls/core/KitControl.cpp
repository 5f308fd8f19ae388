// TKitControl: bounds notices, the enter and exit hooks, and repainting on changes of settings.
#include "controls/core/KitControl.h"

void TKitControl::SetBounds(int Left, int Top, int Width, int Height) {
  TKitBoundsChanges Changes;
  if (Left != this->Left() || Top != this->Top()) Changes.Include(TKitBoundsChange::bcPosition);
  if (Width != this->Width() || Height != this->Height()) Changes.Include(TKitBoundsChange::bcSize);
  TControl::SetBounds(Left, Top, Width, Height);
  if (!Changes.Empty() && !Loading()) BoundsChange(Changes);
}

void TKitControl::BoundsChange(TKitBoundsChanges Changes) {
  if (OnBoundsChange) OnBoundsChange(this, Changes);
}

void TKitControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TKitControl::MouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

void TKitControl::GetChange(TObject*) {
  if (!Loading()) Invalidate();
}
