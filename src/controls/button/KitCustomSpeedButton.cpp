// TKitCustomSpeedButton: style changes and the layers of a paint.
#include "controls/button/KitCustomSpeedButton.h"

#include <algorithm>

#include "controls/button/KitDrawButtonCaption.h"
#include "controls/core/KitCustomControl.h"

TKitCustomSpeedButton::TKitCustomSpeedButton(TComponent* Owner) : TKitBaseGraphicButton(Owner) {
  SetBounds(Left(), Top(), DefaultWidth, DefaultHeight);
  SetAllowMouseOver(true);
  SetAllowTransparency(false);
}

void TKitCustomSpeedButton::SetStyle(TKitUserButtonStyle Value) {
  if (Value == FStyle) return;
  const bool GreyUntilHot = Value == TKitUserButtonStyle::ubsFlatUnColored ||
                            Value == TKitUserButtonStyle::ubsNavigator ||
                            Value == TKitUserButtonStyle::ubsExplorer;
  GlyphHolder().SetStyle(GreyUntilHot ? TKitGlyphStyle::gsExplorer : TKitGlyphStyle::gsStandard);
  if (KitIsExplorerStyle(Value) != KitIsExplorerStyle(FStyle))
    SetTransparent(KitIsExplorerStyle(Value));
  FStyle = Value;
  GetChange(this);
}

void TKitCustomSpeedButton::SetFrameWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == FFrameWidth) return;
  FFrameWidth = Value;
  GetChange(this);
}

bool TKitCustomSpeedButton::FaceShowsHotState() const {
  return FStyle >= TKitUserButtonStyle::ubsClassicFlat &&
         FStyle <= TKitUserButtonStyle::ubsExplorerColored;
}

bool TKitCustomSpeedButton::FaceShowsMouseOver() const {
  return FStyle >= TKitUserButtonStyle::ubsClassicFlat &&
         FStyle <= TKitUserButtonStyle::ubsNavigator;
}

TRect TKitCustomSpeedButton::FaceRect(int Bevel) const {
  TRect Face = ClientRect();
  if (DropDownComboActive()) Face.Right -= DropDownComboWidth() - (Bevel > 1 ? 1 : 0);
  return Face;
}

void TKitCustomSpeedButton::Paint() {
  if (Loading()) return;
  TCanvas& Surface = Canvas();
  const int Bevel = KitGetButtonBevel(FStyle);
  const TRect Face = FaceRect(Bevel);
  const TKitButtonState Shown = ShownState();
  // A see-through face draws frames only, so the whole button first gets what lies under it,
  // the arrow part included, lest a frame of an earlier state stay there.
  if (KitIsExplorerStyle(FStyle)) {
    if (CheckOptimized()) {
      BackgroundParent()->BackDrawArea(Surface, ClientRect(), {Left(), Top()}, 0);
    } else {
      Surface.Brush = {Color(), TBrushStyle::bsSolid};
      Surface.FillRect(ClientRect());
    }
  }
  if (DropDownComboActive()) {
    // The main face and the arrow part each show the other's pressed state as merely hot.
    KitDrawBtnFace(Surface, MouseOver(), Face, FStyle,
                   Shown == TKitButtonState::bsDropDownOpen ? TKitButtonState::bsMouseOver : Shown,
                   Color(), FFrameWidth);
    const TRect Arrow{Width() - DropDownComboWidth(), 0, Width(), Height()};
    KitDrawBtnFace(Surface, MouseOver(), Arrow, FStyle,
                   Shown == TKitButtonState::bsDown ? TKitButtonState::bsMouseOver : Shown, Color(),
                   FFrameWidth);
    KitDrawDropDownArrow(Surface, Arrow.Left + (DropDownComboWidth() - ArrowSize) / 2,
                         (Height() - ArrowSize) / 2, ArrowSize, Enabled());
  } else {
    KitDrawBtnFace(Surface, MouseOver(), Face, FStyle, Shown, Color(), FFrameWidth);
  }
  const int FrameDepth = Bevel * FFrameWidth;
  DrawGlyphAndText(Surface, KitButtonContentRect(Face, FrameDepth, Shown, DropDownComboActive()));
  if (ShowsFocus())
    Surface.DrawFocusRect(
        InflateRect(Face, -(FrameDepth + FFrameWidth), -(FrameDepth + FFrameWidth)));
}
