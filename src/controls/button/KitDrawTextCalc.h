// Measuring a caption the way the caption and glyph layout places it: the text's extent plus
// room for its relief and a margin.
#pragma once

#include <string>

#include "controls/draw/KitCaption3D.h"
#include "core/Font.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// How a caption's text is broken and read.
struct TKitTextOptions {
  // Wrap at the width of the rectangle instead of keeping one line.
  bool MultiLine = false;
  // "&" marks the next character as the accelerator rather than standing for itself.
  bool ShowAccelChar = true;
  // DT_RTLREADING or 0.
  unsigned BiDiFlags = 0;
};

// Measures Text in Font into Rect: on entry Rect's right is the width to wrap at, on return
// Rect's right and bottom hold the measured extent, grown by the room Font3D's relief takes
// and by (Margin + 1) x 2. An empty caption, and a lone "&" while it marks an accelerator, are
// measured as one space. For a rotated extended caption the extent is the bounding box of the
// rotated text, and the caption's PosX and PosY are set, without a change report, to where the
// rotated text starts in it; an unrotated extended caption gets PosX = PosY = 0.
void KitDrawTextCalcExt(TCanvas& Canvas, const std::string& Text, TKit3DCaption* Font3D,
                        TRect& Rect, const TFont& Font, const TKitTextOptions& Options, int Margin);

// KitDrawTextCalcExt on a canvas of its own, so that the caller's canvas keeps its state.
void KitDrawTextCalc(const std::string& Text, TKit3DCaption* Font3D, TRect& Rect, const TFont& Font,
                     const TKitTextOptions& Options, int Margin);
