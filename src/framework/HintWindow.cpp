// THintWindow: a tip sized to its text.
#include "framework/HintWindow.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/MessageDialog.h"

namespace {

constexpr unsigned HintFormat = DT_WORDBREAK | DT_NOPREFIX;

}  // namespace

THintWindow::THintWindow(TComponent* Owner) : TForm(Owner) {
  BorderStyle = TFormBorderStyle::bsNone;
  PopupWindow = true;
  SetColor(clInfoBk);
  AssignMessageFont(Font);
}

void THintWindow::SetHintText(const std::string& Text) {
  FText = Text;
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.Assign(Font);
  TRect Extent{0, 0, MaxTextWidth, 0};
  Measure.Canvas().DrawText(FText, Extent, HintFormat | DT_CALCRECT);
  const int Inset = 1 + Padding;
  FTextRect = Bounds(Inset, Inset, std::min(Extent.Width(), MaxTextWidth), Extent.Height());
  SetBounds(Left(), Top(), FTextRect.Right + Inset, FTextRect.Bottom + Inset);
}

void THintWindow::Paint() {
  TCanvas& C = Canvas();
  C.Brush = {clInfoBk, TBrushStyle::bsSolid};
  C.FillRect(ClientRect());
  C.Brush = {clBlack, TBrushStyle::bsSolid};
  C.FrameRect(ClientRect());
  C.Brush.Style = TBrushStyle::bsClear;
  C.Font.Assign(Font);
  C.Font.SetColor(clInfoText);
  TRect Text = FTextRect;
  C.DrawText(FText, Text, HintFormat);
}
