// The caption layer of a button: the pressed shift of its caption area, and the font, colour
// and flags its caption is drawn with.
#include "controls/button/LMDDrawButtonCaption.h"

namespace {

bool HotOrPressed(TLMDButtonState State) {
  switch (State) {
    case TLMDButtonState::bsMouseOver:
    case TLMDButtonState::bsOptionSet:
    case TLMDButtonState::bsDown:
    case TLMDButtonState::bsDragOver:
    case TLMDButtonState::bsDropDownOpen:
      return true;
    case TLMDButtonState::bsUp:
    case TLMDButtonState::bsDisabledUp:
    case TLMDButtonState::bsDisabledDown:
      return false;
  }
  return false;
}

}  // namespace

TRect LMDButtonContentRect(const TRect& FaceRect, int Bevel, TLMDButtonState State,
                           bool DropDownComboActive) {
  const TRect Content = InflateRect(FaceRect, -Bevel, -Bevel);
  // A combo's open menu belongs to its arrow part, so the main face keeps its caption still.
  const bool Shifted = State == TLMDButtonState::bsOptionSet || State == TLMDButtonState::bsDown ||
                       (State == TLMDButtonState::bsDropDownOpen && !DropDownComboActive);
  return Shifted ? OffsetRect(Content, 1, 1) : Content;
}

void LMDDrawButtonCaption(TCanvas& Canvas, const TRect& ContentRect, TLMDButtonState State,
                          const TLMDButtonCaption& Button) {
  Canvas.Font.Assign(Button.Font);
  if (HotOrPressed(State) && Button.AllowMouseOver && Button.EnterColorChange)
    Canvas.Font.SetColor(Button.EnterColor);
  const unsigned BiDiFlags = Button.RightToLeft ? DT_RTLREADING : 0;
  TLMDDrawTextStyles Flags{
      Button.Enabled ? TLMDDrawTextStyle::dtEnabled : TLMDDrawTextStyle::dtDisabled,
      TLMDDrawTextStyle::dt3DDisabled};
  const std::string Caption = Button.UseCaption ? Button.Caption : std::string();
  if (Button.Glyph) {
    Button.Glyph->DrawButtonGlyphAndText(Canvas, Caption, Button.FontFX, ContentRect, State,
                                         Button.Layout, Flags, Button.MultiLine, BiDiFlags);
    return;
  }
  LMDDrawTextAndGlyphExt(Canvas, Caption, Button.FontFX, ContentRect, {}, Button.Layout,
                         {Button.MultiLine, true, BiDiFlags}, Flags);
}
