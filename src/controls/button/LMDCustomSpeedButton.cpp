// TLMDCustomSpeedButton: style changes and the layers of a paint.
#include "controls/button/LMDCustomSpeedButton.h"

#include "controls/button/LMDDrawButtonCaption.h"
#include "controls/panel/LMDCustomControl.h"

namespace {

using enum TLMDUserButtonStyle;

}  // namespace

TLMDCustomSpeedButton::TLMDCustomSpeedButton(TComponent* Owner) : TLMDBaseGraphicButton(Owner) {
  SetBounds(Left(), Top(), DefaultWidth, DefaultHeight);
  SetAllowMouseOver(true);
  SetAllowTransparency(false);
}

void TLMDCustomSpeedButton::SetStyle(TLMDUserButtonStyle Value) {
  if (Value == FStyle) return;
  const bool GreyUntilHot =
      Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer;
  GlyphHolder().SetStyle(GreyUntilHot ? TLMDGlyphStyle::gsExplorer : TLMDGlyphStyle::gsStandard);
  if (LMDIsExplorerStyle(Value) != LMDIsExplorerStyle(FStyle))
    SetTransparent(LMDIsExplorerStyle(Value));
  FStyle = Value;
  GetChange(this);
}

bool TLMDCustomSpeedButton::FaceShowsHotState() const {
  return FStyle >= ubsDelphiFlat && FStyle <= ubsExplorerColored;
}

bool TLMDCustomSpeedButton::FaceShowsMouseOver() const {
  return FStyle >= ubsDelphiFlat && FStyle <= ubsNavigator;
}

TRect TLMDCustomSpeedButton::FaceRect(int Bevel) const {
  TRect Face = ClientRect();
  if (DropDownComboActive()) Face.Right -= DropDownComboWidth() - (Bevel > 1 ? 1 : 0);
  return Face;
}

void TLMDCustomSpeedButton::Paint() {
  if (Loading()) return;
  TCanvas& Surface = Canvas();
  const int Bevel = LMDGetButtonBevel(FStyle);
  const TRect Face = FaceRect(Bevel);
  // A see-through face draws frames only, so the whole button first gets what lies under it,
  // the arrow part included, lest a frame of an earlier state stay there.
  if (LMDIsExplorerStyle(FStyle)) {
    if (CheckOptimized()) {
      BackgroundParent()->BackDrawArea(Surface, ClientRect(), {Left(), Top()}, 0);
    } else {
      Surface.Brush = {Color(), TBrushStyle::bsSolid};
      Surface.FillRect(ClientRect());
    }
  }
  if (DropDownComboActive()) {
    using enum TLMDButtonState;
    // The main face and the arrow part each show the other's pressed state as merely hot.
    LMDDrawBtnFace(Surface, MouseOver(), Face, FStyle,
                   State() == bsDropDownOpen ? bsMouseOver : State(), Color());
    const TRect Arrow{Width() - DropDownComboWidth(), 0, Width(), Height()};
    LMDDrawBtnFace(Surface, MouseOver(), Arrow, FStyle, State() == bsDown ? bsMouseOver : State(),
                   Color());
    LMDDrawDropDownArrow(Surface, Arrow.Left + (DropDownComboWidth() - ArrowSize) / 2,
                         (Height() - ArrowSize) / 2, ArrowSize, Enabled());
  } else {
    LMDDrawBtnFace(Surface, MouseOver(), Face, FStyle, State(), Color());
  }
  DrawGlyphAndText(Surface, LMDButtonContentRect(Face, Bevel, State(), DropDownComboActive()));
}
