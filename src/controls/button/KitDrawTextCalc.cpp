// Measuring a caption: the formatted-text extent or the rotated text's bounding box, plus the
// relief's room and the margin.
#include "controls/button/KitDrawTextCalc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

#include "controls/draw/KitFxCaption.h"

namespace {

// The pixels the relief's copies reach beyond the face, to the right and downwards.
int EffectExtent(const TKit3DCaption& Font3D) {
  const int L = Font3D.LightDepth();
  const int S = Font3D.ShadowDepth();
  switch (Font3D.Style()) {
    case TKitThreeDStyle::tdNone:
      return 0;
    case TKitThreeDStyle::tdSunken:
    case TKitThreeDStyle::tdRaised:
      return L;
    case TKitThreeDStyle::tdSunkenShadow:
    case TKitThreeDStyle::tdRaisedShadow:
    case TKitThreeDStyle::tdPColorSunken:
    case TKitThreeDStyle::tdPColorRaised:
      return L + S;
    case TKitThreeDStyle::tdShadow:
    case TKitThreeDStyle::tdOutline:
    case TKitThreeDStyle::tdExtrude:
    case TKitThreeDStyle::tdExtrudeEnh:
      return S;
  }
  return 0;
}

// How far the rotated text's start point is pulled back so that its relief stays inside the
// bounding box.
int RotatedInset(const TKit3DCaption& Font3D) {
  int Depth = 0;
  switch (Font3D.Style()) {
    case TKitThreeDStyle::tdSunken:
    case TKitThreeDStyle::tdRaised:
      Depth = Font3D.LightDepth();
      break;
    case TKitThreeDStyle::tdSunkenShadow:
    case TKitThreeDStyle::tdRaisedShadow:
    case TKitThreeDStyle::tdPColorSunken:
    case TKitThreeDStyle::tdPColorRaised:
      Depth = Font3D.LightDepth() + Font3D.ShadowDepth();
      break;
    case TKitThreeDStyle::tdShadow:
    case TKitThreeDStyle::tdExtrude:
    case TKitThreeDStyle::tdExtrudeEnh:
      Depth = Font3D.ShadowDepth();
      break;
    case TKitThreeDStyle::tdNone:
    case TKitThreeDStyle::tdOutline:
      break;
  }
  return std::max(0, Depth / 2 - 1);
}

// A position in the caption's unsigned 16-bit range.
std::uint16_t PositionOf(double Value) {
  return static_cast<std::uint16_t>(std::clamp(std::nearbyint(Value), 0.0, 65535.0));
}

// Cosine and sine of whole degrees, exact at the right angles so that their boxes and start
// points do not depend on rounding noise.
std::pair<double, double> CosSin(int Degrees) {
  switch (Degrees) {
    case 0:
      return {1, 0};
    case 90:
      return {0, 1};
    case 180:
      return {-1, 0};
    case 270:
      return {0, -1};
    default:
      break;
  }
  const double Angle = Degrees * std::numbers::pi / 180.0;
  return {std::cos(Angle), std::sin(Angle)};
}

// The rotated path: the text's box with its relief, turned by the caption's angle, gives the
// extent; the text then starts where its top-left corner went, measured from the box's centre.
void MeasureRotated(TCanvas& Canvas, const std::string& Text, TKitFxCaption& Fx, TRect& Rect) {
  const TSize Extent = Canvas.TextExtent(Text);
  const int Grow = EffectExtent(Fx);
  const double Width = Extent.cx + Grow;
  const double Height = Extent.cy + Grow;
  const auto [Cos, Sin] = CosSin(Fx.Angle());
  const int BoxWidth =
      static_cast<int>(std::lround(Width * std::abs(Cos) + Height * std::abs(Sin)));
  const int BoxHeight =
      static_cast<int>(std::lround(Width * std::abs(Sin) + Height * std::abs(Cos)));
  Rect = {0, 0, BoxWidth, BoxHeight};

  const int HalfWidth = Extent.cx / 2;
  const int HalfHeight = Extent.cy / 2;
  const double CenterX = BoxWidth / 2.0;
  const double CenterY = BoxHeight / 2.0;
  const int Inset = RotatedInset(Fx);
  Fx.SetPosXY(PositionOf(CenterX - HalfWidth * Cos - HalfHeight * Sin - Inset),
              PositionOf(CenterY + HalfWidth * Sin - HalfHeight * Cos - Inset));
}

}  // namespace

void KitDrawTextCalcExt(TCanvas& Canvas, const std::string& Text, TKit3DCaption* Font3D,
                        TRect& Rect, const TFont& Font, const TKitTextOptions& Options,
                        int Margin) {
  Canvas.Font.Assign(Font);
  const int SavedExtra = Canvas.TextCharacterExtra;
  if (Font3D && Font3D->Tracing() != 0) Canvas.TextCharacterExtra = Font3D->Tracing();

  auto* Fx = dynamic_cast<TKitFxCaption*>(Font3D);
  if (Fx && Fx->Angle() != 0) {
    MeasureRotated(Canvas, Text, *Fx, Rect);
  } else {
    if (Fx) Fx->SetPosXY(0, 0);
    unsigned Format = Options.BiDiFlags | DT_CALCRECT | DT_EXPANDTABS;
    if (Options.MultiLine) Format |= DT_WORDBREAK;
    if (!Options.ShowAccelChar) Format |= DT_NOPREFIX;
    // Measured as a space, an empty caption still has a line's height.
    const bool Blank = Text.empty() || (Options.ShowAccelChar && Text == "&");
    Canvas.DrawText(Blank ? std::string(" ") : Text, Rect, Format);
    if (Font3D) {
      const int Grow = EffectExtent(*Font3D);
      Rect.Right += Grow;
      Rect.Bottom += Grow;
    }
  }
  Canvas.TextCharacterExtra = SavedExtra;
  Rect.Right += (Margin + 1) * 2;
  Rect.Bottom += (Margin + 1) * 2;
}

void KitDrawTextCalc(const std::string& Text, TKit3DCaption* Font3D, TRect& Rect, const TFont& Font,
                     const TKitTextOptions& Options, int Margin) {
  TCanvas Measuring;
  KitDrawTextCalcExt(Measuring, Text, Font3D, Rect, Font, Options, Margin);
}
