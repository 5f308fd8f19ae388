// The caption text routines: a text drawn several times, each copy shifted and in its own
// colour, to give it relief.
#pragma once

#include <string>

#include "controls/draw/KitCaption3D.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// Draws Text into Rect with the DT_ flags of Format, in the relief Caption describes, on a
// transparent background. Without a caption the text is drawn once in the canvas's font colour
// and brush. Styles supplies dtEnabled, dt3DDisabled and dtClip; with dtClip the drawing is
// clipped to ClipRect (or Rect when it is null) and the canvas is left without any clip.
// Leaves the font colour at the last copy's colour and the brush clear; a rotated caption also
// leaves its rotation on the canvas's font. Empty text or an empty Rect draw nothing.
void KitDrawTextExt(TCanvas& Canvas, const std::string& Text, const TKit3DCaption* Caption,
                    TRect Rect, unsigned Format, TKitDrawTextStyles Styles, const TRect* ClipRect);

// KitDrawTextExt for enabled text, without a clip.
void KitDrawText(TCanvas& Canvas, const std::string& Text, const TKit3DCaption* Caption, TRect Rect,
                 unsigned Format);
