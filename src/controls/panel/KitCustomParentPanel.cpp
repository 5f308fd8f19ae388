// TKitCustomParentPanel: building the background copy and copying from it.
#include "controls/panel/KitCustomParentPanel.h"

#include <algorithm>

#include "controls/panel/KitBmpDraw.h"
#include "controls/panel/KitCustomImageList.h"

void TKitCustomParentPanel::CreateBack(bool Force) {
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

bool TKitCustomParentPanel::BackBitmapCheck() const {
  return FBack || TKitCustomBevelPanel::BackBitmapCheck();
}

TBitmap* TKitCustomParentPanel::BackBitmap() const {
  return FBack ? FBack.get() : TKitCustomBevelPanel::BackBitmap();
}

TPoint TKitCustomParentPanel::BackMapPoint(TPoint Point) const {
  return FBack ? Point : TKitCustomBevelPanel::BackMapPoint(Point);
}

bool TKitCustomParentPanel::BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point,
                                         std::uint16_t Flags) {
  if (Loading()) return false;
  if (!FBack) return TKitCustomBevelPanel::BackDrawArea(Canvas, Rect, Point, Flags);
  TRect Target = Rect;
  TPoint From{Rect.Left + Point.X, Rect.Top + Point.Y};
  if (Rect == ClientRect()) {
    Target = Canvas.ClipRect();
    From = {Target.Left, Target.Top};
  }
  Canvas.CopyRect(Target, FBack->Canvas(), Bounds(From.X, From.Y, Target.Width(), Target.Height()));
  return true;
}

void TKitCustomParentPanel::GetIMLChange() {
  CreateBack(true);
  TKitCustomBevelPanel::GetIMLChange();
}

void TKitCustomParentPanel::SizeChanged() {
  if (!Loading()) CreateBack(false);
  TKitCustomBevelPanel::SizeChanged();
}
