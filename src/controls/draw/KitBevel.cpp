// TKitBevel: setters with their couplings, extents, assignment and painting of every mode.
#include "controls/draw/KitBevel.h"

#include <algorithm>

#include "controls/draw/KitFrames.h"

namespace {

unsigned EdgeKind(TKitEdgeStyle Style) {
  switch (Style) {
    case TKitEdgeStyle::etRaisedInner:
      return BDR_RAISEDINNER;
    case TKitEdgeStyle::etRaisedOuter:
      return BDR_RAISEDOUTER;
    case TKitEdgeStyle::etSunkenInner:
      return BDR_SUNKENINNER;
    case TKitEdgeStyle::etSunkenOuter:
      return BDR_SUNKENOUTER;
    case TKitEdgeStyle::etBump:
      return EDGE_BUMP;
    case TKitEdgeStyle::etEtched:
      return EDGE_ETCHED;
    case TKitEdgeStyle::etRaised:
      return EDGE_RAISED;
    case TKitEdgeStyle::etSunken:
      return EDGE_SUNKEN;
  }
  return 0;
}

unsigned EdgeSides(TKitFrameSides Sides) {
  unsigned Flags = 0;
  if (Sides.Contains(TKitFrameSide::fsBottom)) Flags |= BF_BOTTOM;
  if (Sides.Contains(TKitFrameSide::fsLeft)) Flags |= BF_LEFT;
  if (Sides.Contains(TKitFrameSide::fsRight)) Flags |= BF_RIGHT;
  if (Sides.Contains(TKitFrameSide::fsTop)) Flags |= BF_TOP;
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
int FrameExtend(TKitBevelStyle Style, int Width) {
  if (Style == TKitBevelStyle::bvNone) return 0;
  const bool Double =
      Style == TKitBevelStyle::bvFrameLowered || Style == TKitBevelStyle::bvFrameRaised;
  return Width + (Double ? 1 : 0);
}

}  // namespace

void TKitBevel::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* Bevel = dynamic_cast<const TKitBevel*>(&Source)) {
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
  TKitObject::Assign(Source);
}

void TKitBevel::Change() {
  FBevelExtend = GetBevelExtend();
  FBevelExtendRightBottom =
      ShadowStyle() ? FWidthInner + FWidthOuter + FBorderInnerWidth : FBevelExtend;
  TKitObject::Change();
}

void TKitBevel::SetStyleInner(TKitBevelStyle Value) {
  if (Value == FStyleInner) return;
  if (FStyleInner == TKitBevelStyle::bvShadow) FStyleOuter = TKitBevelStyle::bvNone;
  if (Value == TKitBevelStyle::bvShadow) FStyleOuter = TKitBevelStyle::bvShadow;
  FStyleInner = Value;
  Change();
}

void TKitBevel::SetStyleOuter(TKitBevelStyle Value) {
  if (Value == FStyleOuter) return;
  if (FStyleOuter == TKitBevelStyle::bvShadow) FStyleInner = TKitBevelStyle::bvNone;
  if (Value == TKitBevelStyle::bvShadow) FStyleInner = TKitBevelStyle::bvShadow;
  FStyleOuter = Value;
  Change();
}

void TKitBevel::SetWidthInner(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidthInner) return;
  FWidthInner = Value;
  Change();
}

void TKitBevel::SetWidthOuter(int Value) {
  Value = std::clamp(Value, 0, MaxBevelWidth);
  if (Value == FWidthOuter) return;
  FWidthOuter = Value;
  Change();
}

void TKitBevel::SetBorderSides(TKitFrameSides Value) {
  if (Value == FBorderSides) return;
  FBorderSides = Value;
  Change();
}

void TKitBevel::SetBorderWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBorderWidth);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Change();
}

void TKitBevel::SetBorderInnerWidth(int Value) {
  Value = std::clamp(Value, 0, MaxBorderWidth);
  if (Value == FBorderInnerWidth) return;
  FBorderInnerWidth = Value;
  Change();
}

void TKitBevel::SetEdgeStyle(TKitEdgeStyle Value) {
  if (Value == FEdgeStyle) return;
  FEdgeStyle = Value;
  Change();
}

void TKitBevel::SetMode(TKitBevelMode Value) {
  if (Value == FMode) return;
  if (FNativeBorderSupported &&
      (FMode == TKitBevelMode::bmWindows || Value == TKitBevelMode::bmWindows))
    FRecreatePending = true;
  FMode = Value;
  Change();
}

void TKitBevel::SetStandardStyle(TKitBorderStyle Value) {
  if (Value == FStandardStyle) return;
  FStandardStyle = Value;
  if (FMode == TKitBevelMode::bmStandard) Change();
}

void TKitBevel::SetColor(int Index, TColor Value) {
  SetIndexed<TColor>({&FBorderColor, &FLightColor, &FShadowColor}, Index, Value);
}

bool TKitBevel::QueryRecreateWindow() {
  const bool Result =
      FRecreatePending || (FMode == TKitBevelMode::bmWindows && FNativeBorderSupported);
  FRecreatePending = false;
  return Result;
}

int TKitBevel::GetBevelExtend() const {
  switch (FMode) {
    case TKitBevelMode::bmCustom: {
      if (FStyleInner == TKitBevelStyle::bvShadow) return FWidthInner + FBorderInnerWidth;
      int Extend = FBorderWidth + FBorderInnerWidth;
      if (FStyleInner != TKitBevelStyle::bvNone || FStyleOuter != TKitBevelStyle::bvNone)
        Extend += FrameExtend(FStyleOuter, FWidthOuter) + FrameExtend(FStyleInner, FWidthInner);
      return Extend;
    }
    case TKitBevelMode::bmStandard:
      return KitDrawStdFrameExt(FStandardStyle) + FBorderInnerWidth;
    case TKitBevelMode::bmEdge:
      return (FBorderSides.Empty() ? 0 : 2) + FBorderInnerWidth;
    case TKitBevelMode::bmWindows:
      // A native border lies outside the client area and takes nothing from it.
      return FNativeBorderSupported ? 0 : FBorderInnerWidth + 2;
  }
  return 0;
}

TRect TKitBevel::ClientRect(const TRect& Rect) const {
  if (ShadowStyle()) {
    const int Near = FWidthInner + FBorderInnerWidth;
    const int Far = FWidthInner + FWidthOuter + FBorderInnerWidth;
    return {Rect.Left + Near, Rect.Top + Near, Rect.Right - Far, Rect.Bottom - Far};
  }
  return InflateRect(Rect, -FBevelExtend, -FBevelExtend);
}

TRect TKitBevel::PaintBevel(TCanvas& Canvas, const TRect& Rect, bool Transparent) const {
  if (FBevelExtend == 0) return Rect;
  TRect R = Rect;
  switch (FMode) {
    case TKitBevelMode::bmCustom:
      if (FStyleOuter == TKitBevelStyle::bvShadow) {
        KitDrawFrameShadow(Canvas, R, FLightColor, FShadowColor, FBorderColor, FWidthOuter,
                           FWidthInner, Transparent);
      } else {
        KitDrawFrame3D(Canvas, R, FStyleOuter, FLightColor, FShadowColor, FWidthOuter);
        BorderSpace(Canvas, R, FBorderWidth, FBorderColor, Transparent);
        KitDrawFrame3D(Canvas, R, FStyleInner, FLightColor, FShadowColor, FWidthInner);
      }
      break;
    case TKitBevelMode::bmStandard:
      KitDrawStdFrame(Canvas, R, FStandardStyle, 0);
      break;
    case TKitBevelMode::bmEdge:
      if (!FBorderSides.Empty()) {
        // The edge is drawn on a copy: the whole frame width goes, whichever sides show, as
        // the extent counts it.
        TRect Edge = R;
        Canvas.DrawEdge(Edge, EdgeKind(FEdgeStyle), EdgeSides(FBorderSides));
        R = InflateRect(R, -2, -2);
      }
      break;
    case TKitBevelMode::bmWindows:
      KitDrawStdFrame(Canvas, R, TKitBorderStyle::lsLoweredExt, 0);
      break;
  }
  BorderSpace(Canvas, R, FBorderInnerWidth, FBorderColor, Transparent);
  return R;
}
