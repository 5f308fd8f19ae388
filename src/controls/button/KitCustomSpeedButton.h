// TKitCustomSpeedButton: the speed button's face styles and its painting.
#pragma once

#include "controls/button/KitBaseGraphicButton.h"
#include "controls/button/KitButtonFace.h"

// Paints, in this order: the background under a see-through face (the parent's picture when it
// lends one, else Color), the face of Style in the current state, then caption and glyph in the
// caption area, which moves one pixel right and down while the button looks pressed.
class TKitCustomSpeedButton : public TKitBaseGraphicButton {
 public:
  static constexpr int DefaultWidth = 23;
  static constexpr int DefaultHeight = 22;
  // The drop-down arrow's size, rows.
  static constexpr int ArrowSize = 3;

  explicit TKitCustomSpeedButton(TComponent* Owner);
  const char* ClassName() const override { return "TKitCustomSpeedButton"; }

  TKitUserButtonStyle Style() const { return FStyle; }
  // The see-through styles make the button transparent, the others opaque; the styles whose
  // pictures are grey until hot set the glyph holder's explorer style.
  void SetStyle(TKitUserButtonStyle Value);
  // How many times the face's frame is drawn inwards, and the caption area inset with it: 1,
  // or more on screens that draw everything larger. Values below 1 are taken as 1.
  int FrameWidth() const { return FFrameWidth; }
  void SetFrameWidth(int Value);

  void Paint() override;

 protected:
  bool FaceShowsHotState() const override;
  bool FaceShowsMouseOver() const override;

 private:
  // The client rectangle, less the arrow part while the button has one.
  TRect FaceRect(int Bevel) const;

  TKitUserButtonStyle FStyle = TKitUserButtonStyle::ubsAutoDetect;
  int FFrameWidth = 1;
};
