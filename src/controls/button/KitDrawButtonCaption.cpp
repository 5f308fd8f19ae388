// The caption layer of a button: the pressed shift of its caption area, and the font, colour
// and flags its caption is drawn with.
#include "controls/button/KitDrawButtonCaption.h"

namespace {

bool HotOrPressed(TKitButtonState State) {
  switch (State) {
    case TKitButtonState::bsMouseOver:
    case TKitButtonState::bsOptionSet:
    case TKitButtonState::bsDown:
    case TKitButtonState::bsDragOver:
    case TKitButtonState::bsDropDownOpen:
      return true;
    case TKitButtonState::bsUp:
    case TKitButtonState::bsDisabledUp:
    case TKitButtonState::bsDisabledDown:
      return false;
  }
  return false;
}

}  // namespace

TRect KitButtonContentRect(const TRect& FaceRect, int Bevel, TKitButtonState State,
                           bool DropDownComboActive) {
  const TRect Content = InflateRect(FaceRect, -Bevel, -Bevel);
  // A combo's open menu belongs to its arrow part, so the main face keeps its caption still.
  const bool Shifted = State == TKitButtonState::bsOptionSet || State == TKitButtonState::bsDown ||
                       (State == TKitButtonState::bsDropDownOpen && !DropDownComboActive);
  return Shifted ? OffsetRect(Content, 1, 1) : Content;
}

void KitDrawButtonCaption(TCanvas& Canvas, const TRect& ContentRect, TKitButtonState State,
                          const TKitButtonCaption& Button) {
  Canvas.Font.Assign(Button.Font);
  if (HotOrPressed(State) && Button.AllowMouseOver && Button.EnterColorChange)
    Canvas.Font.SetColor(Button.EnterColor);
  const unsigned BiDiFlags = Button.RightToLeft ? DT_RTLREADING : 0;
  TKitDrawTextStyles Flags{
      Button.Enabled ? TKitDrawTextStyle::dtEnabled : TKitDrawTextStyle::dtDisabled,
      TKitDrawTextStyle::dt3DDisabled};
  const std::string Caption = Button.UseCaption ? Button.Caption : std::string();
  if (Button.Glyph) {
    Button.Glyph->DrawButtonGlyphAndText(Canvas, Caption, Button.FontFX, ContentRect, State,
                                         Button.Layout, Flags, Button.MultiLine, BiDiFlags);
    return;
  }
  KitDrawTextAndGlyphExt(Canvas, Caption, Button.FontFX, ContentRect, {}, Button.Layout,
                         {Button.MultiLine, true, BiDiFlags}, Flags);
}
