// The last layer of a button's paint: where its caption area lies, and the caption and glyph
// drawn into it in the button's font, colour and state.
#pragma once

#include <string>

#include "controls/button/KitButtonLayout.h"
#include "controls/button/KitButtonState.h"
#include "controls/button/KitDrawTextAndGlyph.h"
#include "controls/button/KitGlyph.h"
#include "controls/draw/KitFxCaption.h"
#include "core/Colors.h"
#include "core/Font.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// The settings of a button that its caption is drawn with.
struct TKitButtonCaption {
  const TFont& Font;
  const TKitButtonLayout& Layout;
  std::string Caption;
  // False draws no text.
  bool UseCaption = true;
  bool Enabled = true;
  // The caption takes EnterColor while hot or pressed only when both are set.
  bool AllowMouseOver = false;
  bool EnterColorChange = false;
  TColor EnterColor = clCaptionText;
  // The button reads right to left.
  bool RightToLeft = false;
  bool MultiLine = false;
  TKitFxCaption* FontFX = nullptr;
  TKitGlyph* Glyph = nullptr;
};

// The caption area of a face: FaceRect inset by the bevel width, moved one pixel right and down
// while the button looks pressed (latched, held, or with its menu open unless the menu has an
// arrow part of its own).
TRect KitButtonContentRect(const TRect& FaceRect, int Bevel, TKitButtonState State,
                           bool DropDownComboActive);

// Draws the button's caption and glyph into ContentRect: the canvas takes the button's font,
// coloured EnterColor in the hot and pressed states when the button asks for it; a disabled
// button's caption gets the disabled look. Without a glyph holder the caption is drawn alone.
void KitDrawButtonCaption(TCanvas& Canvas, const TRect& ContentRect, TKitButtonState State,
                          const TKitButtonCaption& Button);
