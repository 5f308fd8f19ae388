// TForm: the back buffer, the area waiting to be painted, and presenting it.
#include <algorithm>
#include <vector>

#include "framework/Form.h"

void TForm::Paint() {
  Canvas().Brush = {Color(), TBrushStyle::bsSolid};
  Canvas().FillRect(ClientRect());
}

void TForm::InvalidateWindowRect(const TRect& Rect) {
  TRect Area = IntersectRect(Rect, {0, 0, FBackBuffer.Width(), FBackBuffer.Height()});
  if (Area.IsEmpty()) return;
  FInvalid =
      FInvalid.IsEmpty()
          ? Area
          : TRect{std::min(FInvalid.Left, Area.Left), std::min(FInvalid.Top, Area.Top),
                  std::max(FInvalid.Right, Area.Right), std::max(FInvalid.Bottom, Area.Bottom)};
}

void TForm::UpdateWindow() {
  if (FInvalid.IsEmpty()) return;
  const TRect Area = FInvalid;
  FInvalid = {};
  PaintTree(Area);
  PresentRect(Area);
}

void TForm::PaintTree(const TRect& Area) {
  PaintBranch(*this, Area);
}

namespace {

// Whether a shown, opaque child of Control covers Shown (window coordinates): Control's own face
// would be painted there only to be painted over.
bool CoveredByChild(const TControl& Control, const TRect& Shown) {
  const auto* Container = dynamic_cast<const TWinControl*>(&Control);
  if (!Container) return false;
  for (int I = 0; I < Container->ControlCount(); ++I) {
    const TControl* Child = Container->Controls(I);
    if (!Child->Visible() || Child->Loading() ||
        !Child->ControlStyle.Contains(TControlStyle::csOpaque))
      continue;
    const TPoint Origin = Child->WindowOrigin();
    if (IntersectRect(Shown, Bounds(Origin.X, Origin.Y, Child->Width(), Child->Height())) == Shown)
      return true;
  }
  return false;
}

}  // namespace

void TForm::PaintBranch(TControl& Control, const TRect& Area) {
  if (!Control.Visible()) return;
  const TPoint Origin = Control.WindowOrigin();
  const TRect Shown =
      IntersectRect(Area, Bounds(Origin.X, Origin.Y, Control.Width(), Control.Height()));
  if (Shown.IsEmpty()) return;
  if (!CoveredByChild(Control, Shown)) PaintFace(Control, Shown);
  auto* Container = dynamic_cast<TWinControl*>(&Control);
  if (!Container) return;
  std::vector<TControl*> Children;
  for (int I = 0; I < Container->ControlCount(); ++I) Children.push_back(Container->Controls(I));
  for (TControl* Child : Children) PaintBranch(*Child, Shown);
}

void TForm::PaintFace(TControl& Control, const TRect& Area) {
  const TPoint Origin = Control.WindowOrigin();
  TCanvas Surface(&FBackBuffer);
  Surface.SetOrigin(Origin);
  Surface.SetClipRect(OffsetRect(Area, -Origin.X, -Origin.Y));
  TCanvas* Outer = Control.FCanvas;
  Control.FCanvas = &Surface;
  try {
    Control.Paint();
  } catch (...) {
    Control.FCanvas = Outer;
    throw;
  }
  Control.FCanvas = Outer;
}

void TForm::PaintControlNow(TControl& Control) {
  // Only what the ancestors show of it.
  TPoint Origin = Control.WindowOrigin();
  TRect Visible = Bounds(Origin.X, Origin.Y, Control.Width(), Control.Height());
  for (const TControl* C = Control.Parent(); C; C = C->Parent()) {
    Origin = C->WindowOrigin();
    Visible = IntersectRect(Visible, Bounds(Origin.X, Origin.Y, C->Width(), C->Height()));
  }
  if (Visible.IsEmpty()) return;
  PaintFace(Control, Visible);
  PresentRect(Visible);
}

void TForm::PresentRect(const TRect& Rect) {
  const TRect Area = IntersectRect(Rect, {0, 0, FBackBuffer.Width(), FBackBuffer.Height()});
  if (!FWindow || Area.IsEmpty()) return;
  FWindow->Present(FBackBuffer.ScanLine(0), FBackBuffer.Width(), Area.Left, Area.Top, Area.Width(),
                   Area.Height());
}

TPoint TForm::CursorPos() const {
  TPoint Point;
  if (FWindow) FWindow->CursorPos(Point.X, Point.Y);
  return Point;
}
