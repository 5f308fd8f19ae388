// TLMDBevel: setters with their couplings, extents, assignment and painting of every mode.
#include "controls/draw/LMDBevel.h"

#include <algorithm>

#include "controls/draw/LMDFrames.h"

namespace {

unsigned EdgeKind(TLMDEdgeStyle Style) {
  switch (Style) {
    case TLMDEdgeStyle::etRaisedInner:
      return BDR_RAISEDINNER;
    case TLMDEdgeStyle::etRaisedOuter:
      return BDR_RAISEDOUTER;
    case TLMDEdgeStyle::etSunkenInner:
      return BDR_SUNKENINNER;
    case TLMDEdgeStyle::etSunkenOuter:
      return BDR_SUNKENOUTER;
    case TLMDEdgeStyle::etBump:
      return EDGE_BUMP;
    case TLMDEdgeStyle::etEtched:
      return EDGE_ETCHED;
    case TLMDEdgeStyle::etRaised:
      return EDGE_RAISED;
    case TLMDEdgeStyle::etSunken:
      return EDGE_SUNKEN;
  }
  return 0;
}

unsigned EdgeSides(TLMDFrameSides Sides) {
  unsigned Flags = 0;
  if (Sides.Contains(TLMDFrameSide::fsBottom)) Flags |= BF_BOTTOM;
  if (Sides.Contains(TLMDFrameSide::fsLeft)) Flags |= BF_LEFT;
  if (Sides.Contains(TLMDFrameSide::fsRight)) Flags |= BF_RIGHT;
  if (Sides.Contains(TLMDFrameSide::fsTop)) Flags |= BF_TOP;
  return Flags;
}

// A border space: painted as Width one-pixel frames in Color, or only skipped when transparent.
void BorderSpace(TCanvas& Canvas, TRect& Rect, int Width, TColor Color, bool Transparent) {
  if (Transparent) {
    Rect = InflateRect(Rect, -Width, -Width);
    return;
  }
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  Canvas.Brush.Color = Color;
  for (int I = 0; I < Width; ++I) {
    Canvas.FrameRect(Rect);
    Rect = InflateRect(Rect, -1, -1);
  }
}

// A 3D frame's share of the extent.
int FrameExtend(TLMDBevelStyle Style, int Width) {
  if (Style == TLMDBevelStyle::bvNone) return 0;
  const bool Double =
      Style == TLMDBevelStyle::bvFrameLowered || Style == TLMDBevelStyle::bvFrameRaised;
  return Width + (Double ? 1 : 0);
}

}  // namespace

void TLMDBevel::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Bevel = dynamic_cast<const TLMDBevel*>(&Source)) {
    FStyleInner = Bevel->FStyleInner;
    FStyleOuter = Bevel->FStyleOuter;
    FWidthInner = Bevel->FWidthInner;
    FWidthOuter = Bevel->FWidthOuter;
    FBorderSides = Bevel->FBorderSides;
    FBorderInnerWidth = Bevel->FBorderInnerWidth;
    FBorderWidth = Bevel->FBorderWidth;
    FBorderColor = Bevel->FBorderColor;
    FLightColor = Bevel->FLightColor;
    FShadowColor = Bevel->FShadowColor;
    FMode = Bevel->FMode;
    FStandardStyle = Bevel->FStandardStyle;
    FEdgeStyle = Bevel->FEdgeStyle;
    FNativeBorderSupported = Bevel->FNativeBorderSupported;
    Change();
    return;
  }
  TLMDObject::Assign(Source);
}

void TLMDBevel::Change() {
  FBevelExtend = GetBevelExtend();
  FBevelExtendRightBottom =
      ShadowStyle() ? FWidthInner + FWidthOuter + FBorderInnerWidth : FBevelExtend;
  TLMDObject::Change();
}

void TLMDBevel::SetStyleInner(TLMDBevelStyle Value) {
  if (Value == FStyleInner) return;
  if (FStyleInner == TLMDBevelStyle::bvShadow) FStyleOuter = TLMDBevelStyle::bvNone;
  if (Value == TLMDBevelStyle::bvShadow) FStyleOuter = TLMDBevelStyle::bvShadow;
  FStyleInner = Value;
  Change();
}

void TLMDBevel::SetStyleOuter(TLMDBevelStyle Value) {
  if (Value == FStyleOuter) return;
  if (FStyleOuter == TLMDBevelStyle::bvShadow) FStyleInner = TLMDBevelStyle::bvNone;
  if (Value == TLMDBevelStyle::bvShadow) FStyleInner = TLMDBevelStyle::bvShadow;
  FStyleOuter = Value;
  Change();
}

void TLMDBevel::SetWidthInner(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidthInner) return;
  FWidthInner = Value;
  Change();
}

void TLMDBevel::SetWidthOuter(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidthOuter) return;
  FWidthOuter = Value;
  Change();
}

void TLMDBevel::SetBorderSides(TLMDFrameSides Value) {
  if (Value == FBorderSides) return;
  FBorderSides = Value;
  Change();
}

void TLMDBevel::SetBorderWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBorderWidth);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Change();
}

void TLMDBevel::SetBorderInnerWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBorderWidth);
  if (Value == FBorderInnerWidth) return;
  FBorderInnerWidth = Value;
  Change();
}

void TLMDBevel::SetEdgeStyle(TLMDEdgeStyle Value) {
  if (Value == FEdgeStyle) return;
  FEdgeStyle = Value;
  Change();
}

void TLMDBevel::SetMode(TLMDBevelMode Value) {
  if (Value == FMode) return;
  if (FNativeBorderSupported &&
      (FMode == TLMDBevelMode::bmWindows || Value == TLMDBevelMode::bmWindows))
    FRecreatePending = true;
  FMode = Value;
  Change();
}

void TLMDBevel::SetStandardStyle(TLMDBorderStyle Value) {
  if (Value == FStandardStyle) return;
  FStandardStyle = Value;
  if (FMode == TLMDBevelMode::bmStandard) Change();
}

void TLMDBevel::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FBorderColor, &FLightColor, &FShadowColor}, Index, Value);
}

bool TLMDBevel::QueryRecreateWindow() {
  const bool Result =
      FRecreatePending || (FMode == TLMDBevelMode::bmWindows && FNativeBorderSupported);
  FRecreatePending = false;
  return Result;
}

int TLMDBevel::GetBevelExtend() const {
  switch (FMode) {
    case TLMDBevelMode::bmCustom: {
      if (FStyleInner == TLMDBevelStyle::bvShadow) return FWidthInner + FBorderInnerWidth;
      int Extend = FBorderWidth + FBorderInnerWidth;
      if (FStyleInner != TLMDBevelStyle::bvNone || FStyleOuter != TLMDBevelStyle::bvNone)
        Extend += FrameExtend(FStyleOuter, FWidthOuter) + FrameExtend(FStyleInner, FWidthInner);
      return Extend;
    }
    case TLMDBevelMode::bmStandard:
      return LMDDrawStdFrameExt(FStandardStyle) + FBorderInnerWidth;
    case TLMDBevelMode::bmEdge:
      return (FBorderSides.Empty() ? 0 : 2) + FBorderInnerWidth;
    case TLMDBevelMode::bmWindows:
      // A native border lies outside the client area and takes nothing from it.
      return FNativeBorderSupported ? 0 : FBorderInnerWidth + 2;
  }
  return 0;
}

TRect TLMDBevel::ClientRect(const TRect& Rect) const {
  if (ShadowStyle()) {
    const int Near = FWidthInner + FBorderInnerWidth;
    const int Far = FWidthInner + FWidthOuter + FBorderInnerWidth;
    return {Rect.Left + Near, Rect.Top + Near, Rect.Right - Far, Rect.Bottom - Far};
  }
  return InflateRect(Rect, -FBevelExtend, -FBevelExtend);
}

TRect TLMDBevel::PaintBevel(TCanvas& Canvas, const TRect& Rect, bool Transparent) const {
  if (FBevelExtend == 0) return Rect;
  TRect R = Rect;
  switch (FMode) {
    case TLMDBevelMode::bmCustom:
      if (FStyleOuter == TLMDBevelStyle::bvShadow) {
        LMDDrawFrameShadow(Canvas, R, FLightColor, FShadowColor, FBorderColor, FWidthOuter,
                           FWidthInner, Transparent);
      } else {
        LMDDrawFrame3D(Canvas, R, FStyleOuter, FLightColor, FShadowColor, FWidthOuter);
        BorderSpace(Canvas, R, FBorderWidth, FBorderColor, Transparent);
        LMDDrawFrame3D(Canvas, R, FStyleInner, FLightColor, FShadowColor, FWidthInner);
      }
      break;
    case TLMDBevelMode::bmStandard:
      LMDDrawStdFrame(Canvas, R, FStandardStyle, 0);
      break;
    case TLMDBevelMode::bmEdge:
      if (!FBorderSides.Empty()) {
        // The edge is drawn on a copy: the whole frame width goes, whichever sides show, as
        // the extent counts it.
        TRect Edge = R;
        Canvas.DrawEdge(Edge, EdgeKind(FEdgeStyle), EdgeSides(FBorderSides));
        R = InflateRect(R, -2, -2);
      }
      break;
    case TLMDBevelMode::bmWindows:
      LMDDrawStdFrame(Canvas, R, TLMDBorderStyle::lsLoweredExt, 0);
      break;
  }
  BorderSpace(Canvas, R, FBorderInnerWidth, FBorderColor, Transparent);
  return R;
}
