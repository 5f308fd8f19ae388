// TCanvas text: measuring, drawing runs of glyphs, formatted text, and text outlines as paths.
#include <cmath>
#include <numbers>

#include "framework/Canvas.h"
#include "framework/CanvasImpl.h"
#include "framework/TextCodec.h"
#include "framework/TextLayout.h"
#include "platform/Driver.h"

namespace {

// Answers the layout from the canvas's current font and spacing.
class TCanvasMeasure : public TTextMeasure {
 public:
  TCanvasMeasure(TTextFace& Face, int Extra) : FFace(Face), FExtra(Extra) {}
  int Width(std::u32string_view Text) override {
    int Total = 0;
    for (char32_t C : Text) Total += FFace.Advance(C) + FExtra;
    return Total;
  }
  int LineHeight() override { return FFace.Metrics().Height; }
  int Ascent() override { return FFace.Metrics().Ascent; }
  int AveCharWidth() override { return FFace.Metrics().AveCharWidth; }

 private:
  TTextFace& FFace;
  int FExtra;
};

TPixel Blend(TPixel Under, TPixel Over, unsigned Coverage) {
  auto Mix = [&](int Shift) {
    unsigned A = (Under >> Shift) & 0xFF;
    unsigned B = (Over >> Shift) & 0xFF;
    return ((A * (255 - Coverage) + B * Coverage + 127) / 255) << Shift;
  };
  return Mix(16) | Mix(8) | Mix(0);
}

}  // namespace

TTextFace& TCanvas::Face() {
  TFontRequest Request;
  Request.Name = Font.Name();
  Request.Height = Font.Height();
  Request.Weight = Font.Style().Contains(fsBold) ? 700 : 400;
  Request.Italic = Font.Style().Contains(fsItalic);
  Request.Pitch = Font.RealisedPitch();
  Request.Charset = Font.Charset();
  Request.Escapement = Font.Escapement();
  if (!FImpl->Face || !(Request == FImpl->FaceRequest)) {
    FImpl->Face = Driver().TextEngine().Face(Request);
    FImpl->FaceRequest = Request;
  }
  return *FImpl->Face;
}

std::u32string TCanvas::Decode(const std::string& Text) const {
  return DecodeText(Text, Font.Charset());
}

TSize TCanvas::TextExtent(const std::string& Text) {
  TCanvasMeasure Measure(Face(), TextCharacterExtra);
  return {Measure.Width(Decode(Text)), Face().Metrics().Height};
}

// Draws one line whose cell's top-left is (X, Y), along the font's escapement: the brush fills
// the cell unless it is clear, the glyphs are blended in the font colour, and the font's
// underline and strike-out follow. While a path is open the glyph outlines are recorded instead.
void TCanvas::DrawRun(int X, int Y, std::u32string_view Text) {
  TTextFace& TextFace = Face();
  const TTextMetrics& Metrics = TextFace.Metrics();
  const double Angle = Font.Escapement() / 10.0 * std::numbers::pi / 180.0;
  const double Cos = std::cos(Angle), Sin = std::sin(Angle);
  const bool Rotated = Font.Escapement() % 3600 != 0;
  TCanvasMeasure Measure(TextFace, TextCharacterExtra);
  const int Width = Measure.Width(Text);

  if (!FImpl->PathOpen && !Rotated && Brush.Style == TBrushStyle::bsSolid)
    FillRect({X, Y, X + Width, Y + Metrics.Height});

  // The baseline starts one ascent below the cell's top, measured across the text's direction.
  double PenX = X + FOrigin.X + Metrics.Ascent * Sin;
  double PenY = Y + FOrigin.Y + Metrics.Ascent * Cos;
  TPixel Ink;
  const bool Visible = FSurface && PixelOfColor(Font.Color(), Ink);
  const TRect Clip = OffsetRect(ClipRect(), FOrigin.X, FOrigin.Y);
  // No glyph reaches farther from its pen position than a cell's height and the widest
  // character: glyphs beyond that from the clip are not rasterised at all.
  const double Reach = Metrics.Height + Metrics.MaxCharWidth + 1.0;
  auto OutsideClip = [&](double PenAtX, double PenAtY) {
    return PenAtX + Reach < Clip.Left || PenAtX - Reach >= Clip.Right ||
           PenAtY + Reach < Clip.Top || PenAtY - Reach >= Clip.Bottom;
  };
  for (char32_t C : Text) {
    if (FImpl->PathOpen) {
      for (TContour Contour : TextFace.Outline(C)) {
        for (TPointF& P : Contour) P = {P.X + PenX, P.Y + PenY};
        FImpl->Path.push_back(std::move(Contour));
      }
    } else if (Visible && !OutsideClip(PenX, PenY)) {
      const TGlyphMask& Mask = TextFace.Glyph(C);
      const int Left = static_cast<int>(std::lround(PenX)) + Mask.Left;
      const int Top = static_cast<int>(std::lround(PenY)) + Mask.Top;
      for (int MY = 0; MY < Mask.Height; ++MY) {
        const int SY = Top + MY;
        if (SY < Clip.Top || SY >= Clip.Bottom) continue;
        TPixel* Row = FSurface->ScanLine(SY);
        for (int MX = 0; MX < Mask.Width; ++MX) {
          const int SX = Left + MX;
          const unsigned Coverage = Mask.Coverage[static_cast<std::size_t>(MY) * Mask.Width + MX];
          if (Coverage != 0 && SX >= Clip.Left && SX < Clip.Right)
            Row[SX] = Blend(Row[SX], Ink, Coverage);
        }
      }
    }
    const double Advance = TextFace.Advance(C) + TextCharacterExtra;
    PenX += Advance * Cos;
    PenY -= Advance * Sin;
  }

  if (FImpl->PathOpen || Rotated || !Visible) return;
  const TBrush Saved = Brush;
  Brush = {Font.Color(), TBrushStyle::bsSolid};
  const int Baseline = Y + Metrics.Ascent;
  const int Thickness = std::max(Metrics.UnderlineThickness, 1);
  if (Font.Style().Contains(fsUnderline)) {
    const int Top = Baseline + Metrics.UnderlinePosition;
    FillRect({X, Top, X + Width, Top + Thickness});
  }
  if (Font.Style().Contains(fsStrikeOut)) {
    const int Top = Baseline - Metrics.StrikeoutPosition;
    FillRect({X, Top, X + Width, Top + Thickness});
  }
  Brush = Saved;
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  std::u32string Decoded = Decode(Text);
  DrawRun(X, Y, Decoded);
  TCanvasMeasure Measure(Face(), TextCharacterExtra);
  FPenPos = {X + Measure.Width(Decoded), Y};
}

int TCanvas::DrawText(const std::string& Text, TRect& Rect, unsigned Format) {
  TCanvasMeasure Measure(Face(), TextCharacterExtra);
  TTextLayout Layout = LayoutText(Decode(Text), Rect, Format, Measure);
  if (Format & DT_CALCRECT) {
    Rect.Right = Layout.Extent.Right;
    Rect.Bottom = Layout.Extent.Bottom;
    return Layout.Height;
  }
  const bool SavedHasClip = FHasClip;
  const TRect SavedClip = FClip;
  if (!(Format & DT_NOCLIP)) SetClipRect(IntersectRect(ClipRect(), Rect));
  for (const TTextRun& Run : Layout.Runs) DrawRun(Run.X, Run.Y, Run.Text);
  if (!FImpl->PathOpen) {
    const TBrush Saved = Brush;
    Brush = {Font.Color(), TBrushStyle::bsSolid};
    for (const TUnderline& Line : Layout.Underlines)
      FillRect({Line.X1, Line.Y, Line.X2, Line.Y + 1});
    Brush = Saved;
  }
  FHasClip = SavedHasClip;
  FClip = SavedClip;
  return Layout.Height;
}

void TCanvas::BeginPath() {
  FImpl->Path.clear();
  FImpl->PathOpen = true;
}

void TCanvas::EndPath() {
  FImpl->PathOpen = false;
}

void TCanvas::StrokePath() {
  std::vector<TContour> Path = std::move(FImpl->Path);
  FImpl->Path.clear();
  std::vector<TPoint> Points;
  for (const TContour& Contour : Path) {
    if (Contour.empty()) continue;
    Points.clear();
    for (const TPointF& P : Contour)
      Points.push_back({static_cast<int>(std::lround(P.X)) - FOrigin.X,
                        static_cast<int>(std::lround(P.Y)) - FOrigin.Y});
    Points.push_back(Points.front());
    Polyline(Points);
  }
}
