// Expected pictures for the frame tests: painted straight into a bitmap, side by side, and
// compared with what the routines drew, pixel by pixel.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "support/Pixels.h"

// The system colours the frames are drawn in, as the canvas resolves them.
inline constexpr TPixel PxFace = Rgb(212, 208, 200);
inline constexpr TPixel PxLight = Rgb(212, 208, 200);
inline constexpr TPixel PxShadow = Rgb(128, 128, 128);
inline constexpr TPixel PxHighlight = Rgb(255, 255, 255);
inline constexpr TPixel PxDkShadow = Rgb(64, 64, 64);
inline constexpr TPixel PxBlack = Rgb(0, 0, 0);

// Fills Area of Bitmap (clipped to it) without going through a canvas.
inline void Paint(TBitmap& Bitmap, TRect Area, TPixel Pixel) {
  Area = IntersectRect(Area, {0, 0, Bitmap.Width(), Bitmap.Height()});
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) Bitmap.SetPixel(X, Y, Pixel);
}

// A one-pixel outline of Area.
inline void PaintFrame(TBitmap& Bitmap, const TRect& Area, TPixel Pixel) {
  if (Area.IsEmpty()) return;
  Paint(Bitmap, {Area.Left, Area.Top, Area.Right, Area.Top + 1}, Pixel);
  Paint(Bitmap, {Area.Left, Area.Bottom - 1, Area.Right, Area.Bottom}, Pixel);
  Paint(Bitmap, {Area.Left, Area.Top, Area.Left + 1, Area.Bottom}, Pixel);
  Paint(Bitmap, {Area.Right - 1, Area.Top, Area.Right, Area.Bottom}, Pixel);
}

// One ring of the edge routine on the BF_ sides given: top and left lines first, then bottom and
// right, each the full length of its side, so the top-right and bottom-left corners go to the
// bottom-right colour when both neighbours are drawn.
inline void PaintRing(TBitmap& Bitmap, const TRect& Area, TPixel TopLeft, TPixel BottomRight,
                      unsigned Sides = BF_RECT) {
  if (Sides & BF_TOP) Paint(Bitmap, {Area.Left, Area.Top, Area.Right, Area.Top + 1}, TopLeft);
  if (Sides & BF_LEFT) Paint(Bitmap, {Area.Left, Area.Top, Area.Left + 1, Area.Bottom}, TopLeft);
  if (Sides & BF_BOTTOM)
    Paint(Bitmap, {Area.Left, Area.Bottom - 1, Area.Right, Area.Bottom}, BottomRight);
  if (Sides & BF_RIGHT)
    Paint(Bitmap, {Area.Right - 1, Area.Top, Area.Right, Area.Bottom}, BottomRight);
}

// The pixels where Got and Want differ, as "x,y got RRGGBB want RRGGBB"; empty when none do.
inline std::string PixelsDiffer(const TBitmap& Got, const TBitmap& Want) {
  std::string Out;
  int Count = 0;
  for (int Y = 0; Y < std::min(Got.Height(), Want.Height()); ++Y)
    for (int X = 0; X < std::min(Got.Width(), Want.Width()); ++X)
      if (Got.Pixel(X, Y) != Want.Pixel(X, Y) && ++Count <= 12) {
        char Line[64];
        std::snprintf(Line, sizeof Line, "%d,%d got %06X want %06X; ", X, Y,
                      static_cast<unsigned>(Got.Pixel(X, Y)),
                      static_cast<unsigned>(Want.Pixel(X, Y)));
        Out += Line;
      }
  if (Count > 12) Out += "... (" + std::to_string(Count) + " in all)";
  return Out;
}

// A 40 x 30 surface filled with the marker, and the picture expected on it, also starting as
// the marker.
struct TFrameSurface {
  TFrameSurface() {
    FillBitmap(Surface, Marker);
    FillBitmap(Expected, Marker);
  }
  TCanvas& Canvas() { return Surface.Canvas(); }
  std::string Differences() const { return PixelsDiffer(Surface, Expected); }

  TBitmap Surface{40, 30};
  TBitmap Expected{40, 30};
};
