// The frame routines: standard, 3D and drop-shadow frames.
#include "controls/draw/KitFrames.h"

#include <algorithm>

namespace {

// The one-pixel 3D frame: lines rather than bands, so the top-right corner takes the
// bottom-right colour and the bottom-left corner the top-left colour.
void DrawLineFrame(TCanvas& Canvas, TRect& Rect, TColor TopLeft, TColor BottomRight) {
  const int Right = Rect.Right - 1;
  const int Bottom = Rect.Bottom - 1;
  Canvas.Pen.Style = TPenStyle::psSolid;
  Canvas.Pen.Width = 1;
  Canvas.Pen.Color = TopLeft;
  Canvas.Polyline({{Rect.Left, Bottom}, {Rect.Left, Rect.Top}, {Right, Rect.Top}});
  Canvas.Pen.Color = BottomRight;
  Canvas.Polyline({{Right, Rect.Top}, {Right, Bottom}, {Rect.Left, Bottom}});
  Rect = InflateRect(Rect, -1, -1);
}

// The wide 3D frame: two bands that meet in diagonal mitres at the top-right and bottom-left
// corners. The polygon fill leaves right and bottom edges out, so the vertices lie on the
// rectangle's exclusive edges; each band is then exactly Width pixels, the mitres leave no gap,
// and the corners fall to the same colours as in the one-pixel frame.
void DrawBandFrame(TCanvas& Canvas, TRect& Rect, TColor TopLeft, TColor BottomRight, int Width) {
  const int L = Rect.Left;
  const int T = Rect.Top;
  const int R = Rect.Right;
  const int B = Rect.Bottom;
  Canvas.Pen.Style = TPenStyle::psClear;
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  // The bottom-right band covers the whole top-right corner square; the top-left band, drawn
  // next, takes back the part above the mitre.
  Canvas.Brush.Color = BottomRight;
  Canvas.Polygon(
      {{L, B}, {L + Width, B - Width}, {R - Width, B - Width}, {R - Width, T}, {R, T}, {R, B}});
  Canvas.Brush.Color = TopLeft;
  Canvas.Polygon({{L, B},
                  {L + Width, B - Width},
                  {L + Width, T + Width},
                  {R - Width - 1, T + Width},
                  {R - 1, T},
                  {L, T}});
  Rect = InflateRect(Rect, -Width, -Width);
}

// The double-line frame: Width pairs of one-pixel frames, each bottom-right frame shifted one
// pixel in from the top-left one, so the frame is Width + 1 pixels on every side.
void DrawDoubleFrame(TCanvas& Canvas, TRect& Rect, TColor TopLeft, TColor BottomRight, int Width) {
  const TRect Outer = Rect;
  // Frames past the rectangle's size are empty; stopping there keeps huge widths cheap.
  const int Frames = std::min(Width, std::max(0, std::min(Outer.Width(), Outer.Height()) - 1));
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  for (int I = 0; I < Frames; ++I) {
    Canvas.Brush.Color = BottomRight;
    Canvas.FrameRect({Outer.Left + I + 1, Outer.Top + I + 1, Outer.Right, Outer.Bottom});
    Canvas.Brush.Color = TopLeft;
    Canvas.FrameRect({Outer.Left, Outer.Top, Outer.Right - I - 1, Outer.Bottom - I - 1});
  }
  Rect = InflateRect(Outer, -(Width + 1), -(Width + 1));
}

}  // namespace

bool KitDrawStdFrame(TCanvas& Canvas, TRect& Rect, TKitBorderStyle Style, std::uint16_t Flags) {
  const unsigned X = Flags;
  switch (Style) {
    case TKitBorderStyle::lsNone:
      break;
    case TKitBorderStyle::lsSingle:
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      break;
    case TKitBorderStyle::lsLowered:
      Canvas.DrawEdge(Rect, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsRaised:
      Canvas.DrawEdge(Rect, EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsRaisedspb:
      Canvas.DrawEdge(Rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      break;
    case TKitBorderStyle::lsLoweredspb:
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsRaisedExt:
      Canvas.DrawEdge(Rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      ++Rect.Left;
      ++Rect.Top;
      break;
    case TKitBorderStyle::lsLoweredExt:
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
      --Rect.Right;
      --Rect.Bottom;
      break;
    case TKitBorderStyle::lsFrameInset:
      Canvas.DrawEdge(Rect, EDGE_ETCHED, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsFrameOffset:
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsWindowBorder:
      Canvas.DrawEdge(Rect, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST | X);
      ++Rect.Left;
      ++Rect.Top;
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsSingleRaised:
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsSingleLowered:
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsDoubleRaised:
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | X);
      break;
    case TKitBorderStyle::lsDoubleLowered:
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      Canvas.DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | X);
      break;
  }
  return true;
}

int KitDrawStdFrameExt(TKitBorderStyle Style) {
  switch (Style) {
    case TKitBorderStyle::lsNone:
      return 0;
    case TKitBorderStyle::lsSingle:
    case TKitBorderStyle::lsSingleRaised:
    case TKitBorderStyle::lsSingleLowered:
      return 1;
    default:
      return 2;
  }
}

bool KitDrawFrame3D(TCanvas& Canvas, TRect& Rect, TKitBevelStyle Style, TColor Light, TColor Shadow,
                    int Width) {
  if (Width <= 0 || Style == TKitBevelStyle::bvNone || Style == TKitBevelStyle::bvShadow)
    return false;
  TColor TopLeft = clBlack;
  TColor BottomRight = clBlack;
  bool Double = false;
  switch (Style) {
    case TKitBevelStyle::bvFrameLowered:
      Double = true;
      [[fallthrough]];
    case TKitBevelStyle::bvLowered:
      TopLeft = Shadow;
      BottomRight = Light;
      break;
    case TKitBevelStyle::bvFrameRaised:
      Double = true;
      [[fallthrough]];
    case TKitBevelStyle::bvRaised:
      TopLeft = Light;
      BottomRight = Shadow;
      break;
    default:
      break;
  }
  if (Double)
    DrawDoubleFrame(Canvas, Rect, TopLeft, BottomRight, Width);
  else if (Width == 1)
    DrawLineFrame(Canvas, Rect, TopLeft, BottomRight);
  else
    DrawBandFrame(Canvas, Rect, TopLeft, BottomRight, Width);
  return true;
}

bool KitDrawFrameShadow(TCanvas& Canvas, TRect& Rect, TColor Light, TColor Shadow, TColor Border,
                        int ShadowWidth, int FrameWidth, bool Transparent) {
  const int L = Rect.Left;
  const int T = Rect.Top;
  const int R = Rect.Right;
  const int B = Rect.Bottom;
  const int D = ShadowWidth;
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  Canvas.Pen.Style = TPenStyle::psClear;
  Canvas.Brush.Color = Shadow;
  Canvas.FillRect({R - D, T + D, R, B});
  Canvas.FillRect({L + D, B - D, R, B});
  if (!Transparent) {
    Canvas.Brush.Color = Border;
    Canvas.FillRect({R - D, T, R, T + D});
    Canvas.FillRect({L, B - D, L + D, B});
  }
  Rect = {L, T, R - D, B - D};
  Canvas.Brush.Color = Light;
  for (int I = 0; I < FrameWidth; ++I) {
    // Once the rectangle is empty no frame shows; the rest of the shrink happens at once.
    if (Rect.IsEmpty()) {
      Rect = InflateRect(Rect, -(FrameWidth - I), -(FrameWidth - I));
      break;
    }
    Canvas.FrameRect(Rect);
    Rect = InflateRect(Rect, -1, -1);
  }
  Canvas.Pen.Width = 1;
  return true;
}
