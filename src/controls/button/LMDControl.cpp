// TLMDControl: bounds notices, the enter and exit hooks, and repainting on changes of settings.
#include "controls/button/LMDControl.h"

void TLMDControl::SetBounds(int Left, int Top, int Width, int Height) {
  TLMDBoundsChanges Changes;
  if (Left != this->Left() || Top != this->Top()) Changes.Include(TLMDBoundsChange::bcPosition);
  if (Width != this->Width() || Height != this->Height()) Changes.Include(TLMDBoundsChange::bcSize);
  TControl::SetBounds(Left, Top, Width, Height);
  if (!Changes.Empty() && !Loading()) BoundsChange(Changes);
}

void TLMDControl::BoundsChange(TLMDBoundsChanges Changes) {
  if (OnBoundsChange) OnBoundsChange(this, Changes);
}

void TLMDControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TLMDControl::MouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

void TLMDControl::GetChange(TObject*) {
  if (!Loading()) Invalidate();
}
