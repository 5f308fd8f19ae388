// The button faces: frame widths, and each style's frames built from the standard frames.
#include "controls/button/KitButtonFace.h"

#include "controls/draw/KitFrames.h"

namespace {

// The style actually drawn; the system draws its own controls in the new style.
TKitUserButtonStyle Resolved(TKitUserButtonStyle Style) {
  return Style == TKitUserButtonStyle::ubsAutoDetect ? TKitUserButtonStyle::ubsWin40 : Style;
}

// The frames of a style at rest, hot and pressed.
struct TFaceFrames {
  TKitBorderStyle Up;
  TKitBorderStyle Hot;
  TKitBorderStyle Pressed;
};

TFaceFrames FramesOf(TKitUserButtonStyle Style) {
  switch (Style) {
    case TKitUserButtonStyle::ubsWin31:
      return {TKitBorderStyle::lsRaised, TKitBorderStyle::lsRaised, TKitBorderStyle::lsLoweredspb};
    case TKitUserButtonStyle::ubsClassic:
      return {TKitBorderStyle::lsRaisedspb, TKitBorderStyle::lsRaisedspb,
              TKitBorderStyle::lsLowered};
    case TKitUserButtonStyle::ubsClassicFlat:
      return {TKitBorderStyle::lsNone, TKitBorderStyle::lsRaisedspb, TKitBorderStyle::lsLowered};
    case TKitUserButtonStyle::ubsFlat:
    case TKitUserButtonStyle::ubsFlatUnColored:
    case TKitUserButtonStyle::ubsExplorer:
    case TKitUserButtonStyle::ubsExplorerColored:
      return {TKitBorderStyle::lsNone, TKitBorderStyle::lsSingleRaised,
              TKitBorderStyle::lsSingleLowered};
    case TKitUserButtonStyle::ubsNavigator:
      return {TKitBorderStyle::lsNone, TKitBorderStyle::lsRaised, TKitBorderStyle::lsLowered};
    case TKitUserButtonStyle::ubsIntegrated:
      return {TKitBorderStyle::lsSingle, TKitBorderStyle::lsSingle, TKitBorderStyle::lsLoweredspb};
    case TKitUserButtonStyle::ubsAutoDetect:
    case TKitUserButtonStyle::ubsWin40:
      break;
  }
  return {TKitBorderStyle::lsRaised, TKitBorderStyle::lsRaised, TKitBorderStyle::lsLowered};
}

bool PressedLook(TKitButtonState State) {
  return State == TKitButtonState::bsOptionSet || State == TKitButtonState::bsDown ||
         State == TKitButtonState::bsDropDownOpen || State == TKitButtonState::bsDisabledDown;
}

// Each copy of a frame moves the rectangle inwards past what it drew.
void DrawFrames(TCanvas& Canvas, TRect& Face, TKitBorderStyle Style, int FrameWidth) {
  for (int I = 0; I < FrameWidth; ++I) KitDrawStdFrame(Canvas, Face, Style, 0);
}

// A latched face is a dither of the face colour and the highlight colour, so that it reads as
// held down without being hot.
void FillDither(TCanvas& Canvas, const TRect& Rect, TColor Color) {
  Canvas.Brush = {Color, TBrushStyle::bsSolid};
  Canvas.FillRect(Rect);
  for (int Y = Rect.Top; Y < Rect.Bottom; ++Y)
    for (int X = Rect.Left + (Y + Rect.Left) % 2; X < Rect.Right; X += 2)
      Canvas.SetPixel(X, Y, clBtnHighlight);
}

}  // namespace

int KitGetButtonBevel(TKitUserButtonStyle Style) {
  switch (Resolved(Style)) {
    case TKitUserButtonStyle::ubsWin31:
      return 3;
    case TKitUserButtonStyle::ubsFlat:
    case TKitUserButtonStyle::ubsFlatUnColored:
    case TKitUserButtonStyle::ubsExplorer:
    case TKitUserButtonStyle::ubsExplorerColored:
      return 1;
    default:
      return 2;
  }
}

void KitDrawBtnFace(TCanvas& Canvas, bool MouseOver, const TRect& Rect, TKitUserButtonStyle Style,
                    TKitButtonState State, TColor Color, int FrameWidth) {
  Style = Resolved(Style);
  const TFaceFrames Frames = FramesOf(Style);
  TRect Face = Rect;
  if (KitIsExplorerStyle(Style)) {
    // Only the state counts here: the MouseOver flag outlives the hot look after an accelerator.
    if (PressedLook(State)) {
      DrawFrames(Canvas, Face, Frames.Pressed, FrameWidth);
    } else if (State == TKitButtonState::bsMouseOver) {
      DrawFrames(Canvas, Face, Frames.Hot, FrameWidth);
    }
    return;
  }
  if (State == TKitButtonState::bsOptionSet || State == TKitButtonState::bsDisabledDown) {
    FillDither(Canvas, Face, Color);
  } else {
    Canvas.Brush = {Color, TBrushStyle::bsSolid};
    Canvas.FillRect(Face);
  }
  if (Style == TKitUserButtonStyle::ubsWin31) {
    Canvas.Brush = {clBlack, TBrushStyle::bsSolid};
    Canvas.FrameRect(Face);
    for (const TPoint Corner :
         {TPoint{Face.Left, Face.Top}, TPoint{Face.Right - 1, Face.Top},
          TPoint{Face.Left, Face.Bottom - 1}, TPoint{Face.Right - 1, Face.Bottom - 1}})
      Canvas.SetPixel(Corner.X, Corner.Y, clBtnFace);
    Face = InflateRect(Face, -1, -1);
  }
  const bool Hot =
      State == TKitButtonState::bsMouseOver || (MouseOver && State == TKitButtonState::bsUp);
  DrawFrames(Canvas, Face,
             PressedLook(State) ? Frames.Pressed
             : Hot              ? Frames.Hot
                                : Frames.Up,
             FrameWidth);
}

void KitDrawDropDownArrow(TCanvas& Canvas, int X, int Y, int Size, bool Enabled) {
  Canvas.Brush = {Enabled ? clBlack : clGrayText, TBrushStyle::bsSolid};
  for (int Row = 0; Row < Size; ++Row)
    Canvas.FillRect({X + Row, Y + Row, X + 2 * Size - 1 - Row, Y + Row + 1});
}
