// TCanvas::DrawEdge and DrawFocusRect: the classic 3D edges, line by line in the system's 3D
// colours, and the dotted focus outline.
#include <optional>

#include "framework/Canvas.h"
#include "framework/CanvasImpl.h"

namespace {

// One ring of an edge: its top-left and bottom-right colours.
struct TRing {
  TColor TopLeft;
  TColor BottomRight;
};

// The ring an edge's two outer (or two inner) bits ask for; none when neither or both are set.
std::optional<TRing> RingOf(unsigned Raised, unsigned Sunken, bool Outer, unsigned Flags) {
  if ((Raised != 0) == (Sunken != 0)) return std::nullopt;
  const bool IsRaised = Raised != 0;
  if (Flags & BF_MONO)
    return TRing{Outer ? clWindowFrame : clWindow, Outer ? clWindowFrame : clWindow};
  if (Flags & BF_FLAT)
    return TRing{Outer ? clBtnShadow : clBtnFace, Outer ? clBtnShadow : clBtnFace};
  TRing Ring =
      Outer ? (IsRaised ? TRing{cl3DLight, cl3DDkShadow} : TRing{clBtnShadow, clBtnHighlight})
            : (IsRaised ? TRing{clBtnHighlight, clBtnShadow} : TRing{cl3DDkShadow, cl3DLight});
  if (Flags & BF_SOFT)
    Ring.TopLeft =
        Outer ? (IsRaised ? clBtnHighlight : cl3DDkShadow) : (IsRaised ? cl3DLight : clBtnShadow);
  return Ring;
}

}  // namespace

bool TCanvas::DrawEdge(TRect& Rect, unsigned Edge, unsigned Flags) {
  std::optional<TRing> Rings[2] = {
      RingOf(Edge & BDR_RAISEDOUTER, Edge & BDR_SUNKENOUTER, true, Flags),
      RingOf(Edge & BDR_RAISEDINNER, Edge & BDR_SUNKENINNER, false, Flags)};
  const TBrush SavedBrush = Brush;
  TRect R = Rect;
  int Drawn = 0;
  for (const std::optional<TRing>& Ring : Rings) {
    if (!Ring) continue;
    ++Drawn;
    Brush.Style = TBrushStyle::bsSolid;
    // Top, left, bottom, right: later lines overwrite the corners of earlier ones.
    Brush.Color = Ring->TopLeft;
    if (Flags & BF_TOP) FillRect({R.Left, R.Top, R.Right, R.Top + 1});
    if (Flags & BF_LEFT) FillRect({R.Left, R.Top, R.Left + 1, R.Bottom});
    Brush.Color = Ring->BottomRight;
    if (Flags & BF_BOTTOM) FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom});
    if (Flags & BF_RIGHT) FillRect({R.Right - 1, R.Top, R.Right, R.Bottom});
    // The next ring lies one pixel further in on the sides drawn.
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
  }
  if (Flags & BF_MIDDLE) {
    Brush = {(Flags & BF_MONO) ? clWindow : clBtnFace, TBrushStyle::bsSolid};
    FillRect(R);
  }
  Brush = SavedBrush;
  if (Flags & BF_ADJUST) {
    if (Flags & BF_LEFT) Rect.Left += Drawn;
    if (Flags & BF_TOP) Rect.Top += Drawn;
    if (Flags & BF_RIGHT) Rect.Right -= Drawn;
    if (Flags & BF_BOTTOM) Rect.Bottom -= Drawn;
  }
  return true;
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  if (Rect.IsEmpty()) return;
  auto Invert = [this](int X, int Y) {
    if ((X + FOrigin.X + Y + FOrigin.Y) % 2 != 0) return;
    const TColor Old = Pixel(X, Y);
    if (Old != clNone) SetPixel(X, Y, static_cast<TColor>(Old ^ 0xFFFFFF));
  };
  for (int X = Rect.Left; X < Rect.Right; ++X) {
    Invert(X, Rect.Top);
    if (Rect.Bottom - 1 > Rect.Top) Invert(X, Rect.Bottom - 1);
  }
  for (int Y = Rect.Top + 1; Y < Rect.Bottom - 1; ++Y) {
    Invert(Rect.Left, Y);
    if (Rect.Right - 1 > Rect.Left) Invert(Rect.Right - 1, Y);
  }
}
