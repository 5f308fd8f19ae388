// The faces of the family's buttons: the face styles, the width of their frames, and the
// routine that draws a face in a state.
#pragma once

#include <cstdint>

#include "controls/button/KitButtonState.h"
#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// How a speed button's face looks. ubsAutoDetect takes the look of the system's own controls.
enum class TKitUserButtonStyle : std::uint8_t {
  ubsAutoDetect,
  ubsWin31,
  ubsWin40,
  ubsClassic,
  ubsClassicFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated
};

// The see-through styles, which draw frames over whatever lies under the button.
constexpr bool KitIsExplorerStyle(TKitUserButtonStyle Style) {
  return Style == TKitUserButtonStyle::ubsExplorer ||
         Style == TKitUserButtonStyle::ubsExplorerColored;
}

// The width of a style's frame, which insets the caption area: 3 for ubsWin31, 1 for the flat
// and see-through styles, 2 for the others.
int KitGetButtonBevel(TKitUserButtonStyle Style);

// Draws the face of Style in State into Rect. The see-through styles leave the inside alone and
// draw a one-pixel frame only: raised while hot, sunken in the pressed states (latched, held,
// menu open, disabled latched). The other styles fill the face with Color (a dither of Color
// while latched) and frame it; the flat ones show their raised frame while hot or while
// MouseOver is set. FrameWidth repeats the frame inwards that many times, for screens that draw
// everything larger.
void KitDrawBtnFace(TCanvas& Canvas, bool MouseOver, const TRect& Rect, TKitUserButtonStyle Style,
                    TKitButtonState State, TColor Color, int FrameWidth = 1);

// The small downward arrow of a drop-down part, Size rows high with its top-left at (X, Y);
// grey when the button is disabled.
void KitDrawDropDownArrow(TCanvas& Canvas, int X, int Y, int Size, bool Enabled);
