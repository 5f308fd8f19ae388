// The caption text routines: which copies each relief style draws, where and in which colour.
#include "controls/draw/KitDrawText.h"

#include <cstdint>
#include <vector>

#include "controls/draw/KitFxCaption.h"

namespace {

// One copy of the text, at an offset from the working rectangle's origin.
struct TCopy {
  TColor Color = clBlack;
  int X = 0;
  int Y = 0;
};

// The copies of a style in drawing order, and how far the working rectangle's right edge moves
// in first, so that right-aligned relief stays inside the rectangle.
struct TCopyPlan {
  int RightIn = 0;
  std::vector<TCopy> Copies;
};

// Undoes, when the call ends in any way, what the routine must not leave on the canvas.
class TCanvasRestore {
 public:
  explicit TCanvasRestore(TCanvas& Canvas) : FCanvas(Canvas) {}
  TCanvasRestore(const TCanvasRestore&) = delete;
  TCanvasRestore& operator=(const TCanvasRestore&) = delete;
  ~TCanvasRestore() {
    if (FPathOpen) FCanvas.EndPath();
    // The routine's clip replaced whatever the caller had, so the canvas ends without any.
    if (FClipSelected) FCanvas.ClearClipRect();
    if (FTracingSet) FCanvas.TextCharacterExtra = 0;
  }

  void SelectClip(const TRect& Clip) {
    FCanvas.SetClipRect(Clip);
    FClipSelected = true;
  }
  void SetTracing(int Tracing) {
    FCanvas.TextCharacterExtra = Tracing;
    FTracingSet = true;
  }
  void BeginPath() {
    FCanvas.BeginPath();
    FPathOpen = true;
  }
  void EndPath() {
    FPathOpen = false;
    FCanvas.EndPath();
  }

 private:
  TCanvas& FCanvas;
  bool FClipSelected = false;
  bool FTracingSet = false;
  bool FPathOpen = false;
};

// Numerator / Denominator rounded to the nearest integer, halves to the even one.
unsigned RoundHalfEven(unsigned Numerator, unsigned Denominator) {
  unsigned Quotient = Numerator / Denominator;
  unsigned Twice = 2 * (Numerator % Denominator);
  if (Twice > Denominator || (Twice == Denominator && Quotient % 2 == 1)) ++Quotient;
  return Quotient;
}

// The colour of extrusion step Step of Steps: Shadow blended towards Light with weight
// (Steps - Step) / Steps. The bytes are taken as the values hold them, so a system colour
// contributes its index byte and its flag is dropped; the result is always a plain RGB colour.
TColor ExtrusionColor(TColor Shadow, TColor Light, unsigned Step, unsigned Steps) {
  auto ShadowBits = static_cast<std::uint32_t>(Shadow);
  auto LightBits = static_cast<std::uint32_t>(Light);
  std::uint32_t Result = 0;
  for (unsigned Shift = 0; Shift <= 16; Shift += 8) {
    unsigned ShadowByte = (ShadowBits >> Shift) & 0xFFu;
    unsigned LightByte = (LightBits >> Shift) & 0xFFu;
    // c_shadow + (c_light - c_shadow) x (Steps - Step) / Steps, kept non-negative.
    unsigned Blended = RoundHalfEven(ShadowByte * Step + LightByte * (Steps - Step), Steps);
    Result |= Blended << Shift;
  }
  return static_cast<TColor>(Result);
}

// Extrusion: starts from the orientation's corner, steps one pixel at a time towards the face
// and ends with the face on top of the last step.
TCopyPlan ExtrusionPlan(const TKit3DCaption& Caption, TKitThreeDStyle Style, TColor Face) {
  const int Steps = Caption.ShadowDepth();
  int X = 0;
  int Y = 0;
  int StepX = 1;
  int StepY = 1;
  switch (Caption.Orientation()) {
    case TKitThreeDOrientation::toBottomLeft:
      Y = Steps + 1;
      StepY = -1;
      break;
    case TKitThreeDOrientation::toBottomRight:
      X = Steps + 1;
      Y = Steps + 1;
      StepX = -1;
      StepY = -1;
      break;
    case TKitThreeDOrientation::toTopLeft:
      break;
    case TKitThreeDOrientation::toTopRight:
      X = Steps + 1;
      StepX = -1;
      break;
  }
  TCopyPlan Plan;
  for (int Step = 1; Step <= Steps; ++Step) {
    X += StepX;
    Y += StepY;
    TColor Color = Style == TKitThreeDStyle::tdExtrudeEnh
                       ? ExtrusionColor(Caption.ShadowColor(), Caption.LightColor(),
                                        static_cast<unsigned>(Step), static_cast<unsigned>(Steps))
                       : Caption.ShadowColor();
    Plan.Copies.push_back({Color, X, Y});
  }
  Plan.Copies.push_back({Face, X, Y});
  return Plan;
}

TCopyPlan CopyPlan(const TKit3DCaption& Caption, TKitThreeDStyle Style, TColor Face) {
  const int L = Caption.LightDepth();
  const int S = Caption.ShadowDepth();
  const TColor Light = Caption.LightColor();
  const TColor Shadow = Caption.ShadowColor();
  switch (Style) {
    case TKitThreeDStyle::tdNone:
      return {0, {{Face, 0, 0}}};
    case TKitThreeDStyle::tdOutline:
      // Recorded as a path and stroked S pixels wide, centred on the glyph contours.
      return {0, {{Face, S / 2, S / 2}}};
    case TKitThreeDStyle::tdSunken:
      return {L, {{Light, L, L}, {Face, 0, 0}}};
    case TKitThreeDStyle::tdRaised:
      return {L, {{Light, 0, 0}, {Face, L, L}}};
    case TKitThreeDStyle::tdSunkenShadow:
    case TKitThreeDStyle::tdPColorSunken:
      return {L + S, {{Shadow, 0, 0}, {Light, L + S, L + S}, {Face, S, S}}};
    case TKitThreeDStyle::tdRaisedShadow:
    case TKitThreeDStyle::tdPColorRaised:
      return {L + S, {{Shadow, L + S, L + S}, {Light, 0, 0}, {Face, L, L}}};
    case TKitThreeDStyle::tdShadow:
      return {S, {{Shadow, S, S}, {Face, 0, 0}}};
    case TKitThreeDStyle::tdExtrude:
    case TKitThreeDStyle::tdExtrudeEnh:
      return ExtrusionPlan(Caption, Style, Face);
  }
  // A value outside the enumeration draws like tdNone.
  return {0, {{Face, 0, 0}}};
}

// A rotated caption is placed by its origin alone, so the format's alignment does not apply.
void DrawCopy(TCanvas& Canvas, const std::string& Text, const TRect& Working, const TCopy& Copy,
              unsigned Format, bool Rotated) {
  Canvas.Font.SetColor(Copy.Color);
  TRect Moved = OffsetRect(Working, Copy.X, Copy.Y);
  if (Rotated)
    Canvas.TextOut(Moved.Left, Moved.Top, Text);
  else
    Canvas.DrawText(Text, Moved, Format);
}

}  // namespace

void KitDrawTextExt(TCanvas& Canvas, const std::string& Text, const TKit3DCaption* Caption,
                    TRect Rect, unsigned Format, TKitDrawTextStyles Styles, const TRect* ClipRect) {
  if (Text.empty() || Rect.IsEmpty()) return;
  if (!Caption) {
    Canvas.DrawText(Text, Rect, Format);
    return;
  }
  const auto* Fx = dynamic_cast<const TKitFxCaption*>(Caption);
  const bool Rotated = Fx && Fx->Angle() != 0;

  TCanvasRestore Restore(Canvas);
  if (Styles.Contains(TKitDrawTextStyle::dtClip)) Restore.SelectClip(ClipRect ? *ClipRect : Rect);

  TKitThreeDStyle Style = Caption->Style();
  TColor Face;
  if (Styles.Contains(TKitDrawTextStyle::dtEnabled) ||
      Caption->DisabledStyle() == TKitDisabledStyle::dsNone) {
    const bool FaceFromBrush =
        Style == TKitThreeDStyle::tdPColorSunken || Style == TKitThreeDStyle::tdPColorRaised;
    Face = FaceFromBrush ? Canvas.Brush.Color : Canvas.Font.Color();
  } else {
    Face = clGrayText;
    if (Caption->DisabledStyle() == TKitDisabledStyle::ds3d ||
        (Caption->DisabledStyle() == TKitDisabledStyle::dsAuto &&
         Styles.Contains(TKitDrawTextStyle::dt3DDisabled)))
      Style = TKitThreeDStyle::tdSunken;
  }

  TRect Working = Rect;
  if (Fx) {
    Working.Left += Fx->PosX();
    Working.Top += Fx->PosY();
  }
  if (Rotated) Canvas.Font.SetEscapement(Fx->Angle() * 10);
  if (Caption->Tracing() != 0) Restore.SetTracing(Caption->Tracing());
  Canvas.Brush.Style = TBrushStyle::bsClear;

  const TCopyPlan Plan = CopyPlan(*Caption, Style, Face);
  Working.Right -= Plan.RightIn;
  if (Style == TKitThreeDStyle::tdOutline) {
    // The copy only records the glyph outlines; the pen then draws them.
    Canvas.Pen.Style = TPenStyle::psSolid;
    Restore.BeginPath();
    DrawCopy(Canvas, Text, Working, Plan.Copies.front(), Format, Rotated);
    Restore.EndPath();
    Canvas.Pen.Color = Face;
    Canvas.Pen.Width = Caption->ShadowDepth();
    Canvas.StrokePath();
    return;
  }
  for (const TCopy& Copy : Plan.Copies) DrawCopy(Canvas, Text, Working, Copy, Format, Rotated);
}

void KitDrawText(TCanvas& Canvas, const std::string& Text, const TKit3DCaption* Caption, TRect Rect,
                 unsigned Format) {
  KitDrawTextExt(Canvas, Text, Caption, Rect, Format, {TKitDrawTextStyle::dtEnabled}, nullptr);
}
