// The scale a menu is drawn at, and its geometry at that scale: the desktop's scale, reduced
// when the window would not fit on its monitor, applied once to the picture, the buttons and
// their fonts, so that every control lives in window pixels.
#pragma once

#include "core/Types.h"
#include "platform/WindowSystem.h"

// Scale, or the largest smaller one at which a Width x Height picture with the window's Frame
// fits in Area. Scale itself when the area leaves no room for any picture.
double FittedScale(double Scale, int Width, int Height, const TRect& Area,
                   const TFrameExtents& Frame);

// A length at a scale, to the nearest pixel.
int ScaledLength(int Length, double Scale);

// A rectangle at a scale: its edges are scaled, so that neighbouring buttons stay neighbours.
TRect ScaledRect(const TRect& Rect, double Scale);

// An entry's place and size from the menu description at a scale. Values from the file are
// first kept within the range controls keep them in, so that no edge leaves int however large
// they were.
TRect ScaledPlace(int X, int Y, int Width, int Height, double Scale);

// A font height at a scale, its sign (cell or character height) kept and never 0 unless it was.
int ScaledFontHeight(int Height, double Scale);

// How many pixels wide the frames of button faces are at a scale: the scale to the nearest
// whole pixel, at least 1 (1 at 1.25, 2 at 1.5 and 2).
int FaceFrameWidth(double Scale);
