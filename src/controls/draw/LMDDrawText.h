// The caption text routines: a text drawn several times, each copy shifted and in its own
// colour, to give it relief.
#pragma once

#include <string>

#include "controls/draw/LMDCaption3D.h"
#include "framework/Canvas.h"
#include "framework/Types.h"

// Draws Text into Rect with the DT_ flags of Format, in the relief Caption describes, on a
// transparent background. Without a caption the text is drawn once in the canvas's font colour
// and brush. Styles supplies dtEnabled, dt3DDisabled and dtClip; with dtClip the drawing is
// clipped to ClipRect (or Rect when it is null) and the canvas is left without any clip.
// Leaves the font colour at the last copy's colour and the brush clear; a rotated caption also
// leaves its rotation on the canvas's font. Empty text or an empty Rect draw nothing.
void LMDDrawTextExt(TCanvas& Canvas, const std::string& Text, const TLMD3DCaption* Caption,
                    TRect Rect, unsigned Format, TLMDDrawTextStyles Styles, const TRect* ClipRect);

// LMDDrawTextExt for enabled text, without a clip.
void LMDDrawText(TCanvas& Canvas, const std::string& Text, const TLMD3DCaption* Caption, TRect Rect,
                 unsigned Format);
