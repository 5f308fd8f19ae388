// TKitCustomParentPanel: building the background copy and copying from it.
#include "controls/panel/KitCustomParentPanel.h"

#include <algorithm>
#include <cstring>

#include "controls/panel/KitBitmapList.h"
#include "controls/panel/KitBmpDraw.h"
#include "controls/panel/KitCustomImageList.h"

namespace {

// Whether Copy's top-left part shows exactly Picture's pixels.
bool Shows(const TBitmap& Copy, const TBitmap& Picture) {
  if (Copy.Width() < Picture.Width() || Copy.Height() < Picture.Height()) return false;
  if (Copy.ScanLine(0) == Picture.ScanLine(0)) return true;  // already shared
  const std::size_t RowBytes = static_cast<std::size_t>(Picture.Width()) * sizeof(TPixel);
  for (int Y = 0; Y < Picture.Height(); ++Y)
    if (std::memcmp(Copy.ScanLine(Y), Picture.ScanLine(Y), RowBytes) != 0) return false;
  return true;
}

}  // namespace

const TBitmap* TKitCustomParentPanel::PictureOfPanelSize(int Width, int Height) const {
  const auto* List = dynamic_cast<const TKitBitmapList*>(ImageList());
  if (!List) return nullptr;
  const TBitmap& Picture = List->GetArrayItem(ListIndex())->GetBitmap();
  return Picture.Width() == Width && Picture.Height() == Height ? &Picture : nullptr;
}

void TKitCustomParentPanel::CreateBack(bool Force) {
  const int W = std::max(Width(), 0);
  const int H = std::max(Height(), 0);
  if (!ValidItem() || Transparent() || !TBitmap::SizeAllowed(W, H)) {
    FBack.reset();
    return;
  }
  // A bitmap list's picture of exactly the panel's size is the copy pixel for pixel: the copy
  // shares its pixels until either side is written to, so that the face is held once.
  const TBitmap* Picture = PictureOfPanelSize(W, H);
  if (!FBack) {
    FBack = std::make_unique<TBitmap>();
  } else if (!Force && W < FBack->Width() && H < FBack->Height()) {
    // The whole client area, its bottom-right corner included, lies inside the copy, which
    // stays; the picture takes its place only where it holds the very same pixels.
    if (Picture && Shows(*FBack, *Picture)) FBack->Assign(*Picture);
    return;
  }
  if (Picture) {
    FBack->Assign(*Picture);
    return;
  }
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
  if (!Loading()) CreateBack(true);
  TKitCustomBevelPanel::GetIMLChange();
}

void TKitCustomParentPanel::Loaded() {
  TKitCustomBevelPanel::Loaded();
  GetIMLChange();
}

void TKitCustomParentPanel::SizeChanged() {
  if (!Loading()) CreateBack(false);
  TKitCustomBevelPanel::SizeChanged();
}
