// TLMDCustomParentPanel: building the background copy and copying from it.
#include "controls/panel/LMDCustomParentPanel.h"

#include <algorithm>

#include "controls/panel/LMDBmpDraw.h"

void TLMDCustomParentPanel::CreateBack(bool Force) {
  const int W = std::max(Width(), 0);
  const int H = std::max(Height(), 0);
  if (!ValidItem() || Transparent() || !TBitmap::SizeAllowed(W, H)) {
    FBack.reset();
    return;
  }
  if (!FBack)
    FBack = std::make_unique<TBitmap>();
  else if (!Force && W < FBack->Width() && H < FBack->Height())
    return;  // the whole client area, its bottom-right corner included, lies inside the copy
  FBack->SetSize(W, H);
  ImageList()->ClipDraw(FBack->Canvas(), {0, 0, FBack->Width(), FBack->Height()},
                        bdTile | bdRealizePalette, 0, 0, ListIndex(), ImageIndex());
}

bool TLMDCustomParentPanel::BackBitmapCheck() const {
  return FBack || TLMDCustomBevelPanel::BackBitmapCheck();
}

TBitmap* TLMDCustomParentPanel::BackBitmap() const {
  return FBack ? FBack.get() : TLMDCustomBevelPanel::BackBitmap();
}

TPoint TLMDCustomParentPanel::BackMapPoint(TPoint Point) const {
  return FBack ? Point : TLMDCustomBevelPanel::BackMapPoint(Point);
}

bool TLMDCustomParentPanel::BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point,
                                         std::uint16_t Flags) {
  if (Loading()) return false;
  if (!FBack) return TLMDCustomBevelPanel::BackDrawArea(Canvas, Rect, Point, Flags);
  TRect Target = Rect;
  TPoint From{Rect.Left + Point.X, Rect.Top + Point.Y};
  if (Rect == ClientRect()) {
    Target = Canvas.ClipRect();
    From = {Target.Left, Target.Top};
  }
  Canvas.CopyRect(Target, FBack->Canvas(), Bounds(From.X, From.Y, Target.Width(), Target.Height()));
  return true;
}

void TLMDCustomParentPanel::GetIMLChange() {
  CreateBack(true);
  TLMDCustomBevelPanel::GetIMLChange();
}

void TLMDCustomParentPanel::SizeChanged() {
  if (!Loading()) CreateBack(false);
  TLMDCustomBevelPanel::SizeChanged();
}
