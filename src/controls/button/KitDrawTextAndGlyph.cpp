// The caption and glyph layout: measuring, arranging, aligning, then drawing caption, arrow and
// glyph in that order.
#include "controls/button/KitDrawTextAndGlyph.h"

#include <algorithm>
#include <cstdlib>

#include "controls/button/KitButtonLayout.h"
#include "controls/draw/KitDrawText.h"
#include "framework/ColorToRGB.h"

namespace {

// Column (0 left, 1 centre, 2 right) and row (0 top, 1 centre, 2 bottom) of an alignment.
int ColumnOf(TKitAlignment Alignment) {
  return static_cast<int>(Alignment) % 3;
}
int RowOf(TKitAlignment Alignment) {
  return static_cast<int>(Alignment) / 3;
}

// The smallest rectangle holding both; an empty one counts for nothing.
TRect UnionOf(const TRect& A, const TRect& B) {
  if (A.IsEmpty()) return B.IsEmpty() ? TRect{} : B;
  if (B.IsEmpty()) return A;
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
          std::max(A.Bottom, B.Bottom)};
}

bool BesideText(TKitArrowPosition Position) {
  return Position == TKitArrowPosition::apRightText || Position == TKitArrowPosition::apLeftText;
}

// The arrow's settings as the layout uses them; Room is what it adds to the text or the glyph.
struct TArrow {
  bool Shown = false;
  TKitArrowPosition Position = TKitArrowPosition::apRightText;
  int Size = 0;
  int Width = 0;
  int Room = 0;
  TColor Color = clBlack;
};

TArrow ArrowOf(const TKitGlyphTextLayout& Layout) {
  const auto* Button = dynamic_cast<const TKitButtonLayout*>(&Layout);
  if (!Button || !Button->Arrow()) return {};
  return {true,
          Button->ArrowPosition(),
          Button->ArrowSize(),
          Button->ArrowWidth(),
          Button->ArrowWidth() + Button->ArrowIndent(),
          Button->ArrowColor()};
}

// A downward triangle: rows of Width, Width - 2, ... pixels, each one pixel further in.
void DrawArrow(TCanvas& Canvas, int X, int Y, const TArrow& Arrow) {
  const TBrush Saved = Canvas.Brush;
  Canvas.Brush = {Arrow.Color, TBrushStyle::bsSolid};
  for (int Row = 0; Row < Arrow.Size; ++Row)
    Canvas.FillRect({X + Row, Y + Row, X + Arrow.Width - Row, Y + Row + 1});
  Canvas.Brush = Saved;
}

// Copies the picture with its top-left at At: through the mask when there is one, else leaving
// out the transparent colour when asked to, else as it is.
void CopyGlyph(TCanvas& Canvas, TPoint At, const TKitGlyphImage& Glyph) {
  const TRect& Source = Glyph.Rect;
  const TCanvas& From = *Glyph.Canvas;
  const bool Keyed = Glyph.Transparent && Glyph.TransparentColor != clNone;
  if (!Glyph.Mask && !Keyed) {
    Canvas.CopyRect(Bounds(At.X, At.Y, Source.Width(), Source.Height()), From, Source);
    return;
  }
  const TColor Key = Keyed ? ColorToRGB(Glyph.TransparentColor) : clNone;
  for (int Y = 0; Y < Source.Height(); ++Y)
    for (int X = 0; X < Source.Width(); ++X) {
      const TColor Color = From.Pixel(Source.Left + X, Source.Top + Y);
      if (Color == clNone) continue;
      const bool Shows =
          Glyph.Mask ? Glyph.Mask->Pixel(Source.Left + X, Source.Top + Y) == clBlack : Color != Key;
      if (Shows) Canvas.SetPixel(At.X + X, At.Y + Y, Color);
    }
}

}  // namespace

TRect KitAlignRect(TKitAlignment Alignment, const TRect& Source, const TRect& Target) {
  const int SourceWidth = Source.Width();
  const int SourceHeight = Source.Height();
  const int SpareX[] = {0, (Target.Width() - SourceWidth) / 2, Target.Width() - SourceWidth};
  const int SpareY[] = {0, (Target.Height() - SourceHeight) / 2, Target.Height() - SourceHeight};
  const int X = Target.Left + SpareX[ColumnOf(Alignment)];
  const int Y = Target.Top + SpareY[RowOf(Alignment)];
  return {X, Y, X + SourceWidth, Y + SourceHeight};
}

unsigned KitAlignmentFormat(TKitAlignment Alignment) {
  constexpr unsigned Columns[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  constexpr unsigned Rows[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  return Columns[ColumnOf(Alignment)] | Rows[RowOf(Alignment)];
}

TKitTextGlyphRects KitDrawTextAndGlyphExt(TCanvas& Canvas, const std::string& Caption,
                                          TKit3DCaption* Font3D, const TRect& Rect,
                                          const TKitGlyphImage& Glyph,
                                          const TKitGlyphTextLayout& Layout,
                                          const TKitTextOptions& Options,
                                          TKitDrawTextStyles Flags) {
  TRect T{};
  TRect G{};
  TRect F = Rect;
  const bool HasGlyph = Glyph.Present();
  const bool HasCaption = !Caption.empty();
  // Only a caption and a glyph together need a gap between them.
  const int Gap = HasCaption == HasGlyph ? Layout.Spacing() : 0;

  if (HasCaption) {
    T = {0, 0, std::abs(Rect.Right - Rect.Left), 0};
    KitDrawTextCalc(Caption, Font3D, T, Canvas.Font, Options, 0);
  }
  if (HasGlyph) G = {0, 0, Glyph.Rect.Width(), Glyph.Rect.Height()};

  const TArrow Arrow = ArrowOf(Layout);
  if (Arrow.Shown) (BesideText(Arrow.Position) ? T : G).Right += Arrow.Room;

  const bool Calculating = Flags.Contains(TKitDrawTextStyle::dtCalculate);
  if (Calculating) Flags.Include(TKitDrawTextStyle::dtRectGlyphText);

  const int TW = T.Width();
  const int TH = T.Height();
  const int GW = G.Width();
  const int GH = G.Height();
  int TextOffset = 0;
  int GlyphOffset = 0;
  TRect Block;
  const TKitTextArrange Arrange = Layout.AlignText2Glyph();
  if (Arrange <= TKitTextArrange::taRightTop) {
    const int H = std::max(TH, GH);
    if (H > TH)
      TextOffset = (H - TH) / 2;
    else
      GlyphOffset = (H - GH) / 2;
    Block = {0, 0, TW + Gap + GW, H};
  } else {
    const int W = std::max(TW, GW);
    if (W > TW)
      TextOffset = (W - TW) / 2;
    else
      GlyphOffset = (W - GW) / 2;
    Block = {0, 0, W, TH + Gap + GH};
  }
  switch (Arrange) {
    case TKitTextArrange::taLeft:
      T = OffsetRect(T, 0, TextOffset);
      G = OffsetRect(G, TW + Gap, GlyphOffset);
      break;
    case TKitTextArrange::taLeftTop:
      T = OffsetRect(T, 0, TextOffset);
      G = OffsetRect(G, TW + Gap, 0);
      break;
    case TKitTextArrange::taRight:
      T = OffsetRect(T, GW + Gap, TextOffset);
      G = OffsetRect(G, 0, GlyphOffset);
      break;
    case TKitTextArrange::taRightTop:
      T = OffsetRect(T, GW + Gap, TextOffset);
      break;
    case TKitTextArrange::taTop:
      T = OffsetRect(T, TextOffset, 0);
      G = OffsetRect(G, GlyphOffset, TH + Gap);
      break;
    case TKitTextArrange::taTopLeft:
      T = OffsetRect(T, TextOffset, 0);
      G = OffsetRect(G, 0, TH + Gap);
      break;
    case TKitTextArrange::taBottom:
      T = OffsetRect(T, TextOffset, GH + Gap);
      G = OffsetRect(G, GlyphOffset, 0);
      break;
    case TKitTextArrange::taBottomLeft:
      T = OffsetRect(T, TextOffset, GH + Gap);
      break;
  }

  // The measured text rectangle has a one-pixel margin on each side; the text starts inside it.
  if (!Flags.Contains(TKitDrawTextStyle::dtAutoSize)) {
    const TRect Placed = KitAlignRect(Layout.Alignment(), Block, Rect);
    T = OffsetRect(T, Placed.Left + 1, Placed.Top + 1);
    G = OffsetRect(G, Placed.Left, Placed.Top);
  }
  if (Arrow.Shown && Arrow.Position == TKitArrowPosition::apLeftText)
    T = OffsetRect(T, Arrow.Room, 0);

  Canvas.Brush.Style = TBrushStyle::bsClear;
  unsigned Format = Options.BiDiFlags | DT_EXPANDTABS | DT_WORDBREAK;
  if (Options.MultiLine) Format |= KitAlignmentFormat(Layout.Alignment());
  T = OffsetRect(T, Layout.OffsetX(), Layout.OffsetY());
  G = OffsetRect(G, Layout.OffsetX(), Layout.OffsetY());

  if (!Calculating) KitDrawTextExt(Canvas, Caption, Font3D, T, Format, Flags, nullptr);
  bool FocusChosen = false;
  if (Flags.Contains(TKitDrawTextStyle::dtRectText)) {
    F = InflateRect(T, 1, 1);
    FocusChosen = true;
  }

  if (Arrow.Shown && !Calculating) {
    const int Y = T.Top + (T.Height() - Arrow.Size) / 2;
    switch (Arrow.Position) {
      case TKitArrowPosition::apRightText:
        DrawArrow(Canvas, T.Right - Arrow.Width, Y, Arrow);
        break;
      case TKitArrowPosition::apLeftText:
        DrawArrow(Canvas, T.Left - Arrow.Room, Y, Arrow);
        break;
      case TKitArrowPosition::apRightGlyph:
        DrawArrow(Canvas, G.Right - Arrow.Width, Y, Arrow);
        break;
      case TKitArrowPosition::apLeftGlyph:
        DrawArrow(Canvas, G.Left, Y, Arrow);
        break;
    }
  }

  if (HasGlyph) {
    // The arrow's room at the glyph's left comes before the picture.
    const bool ArrowFirst = Arrow.Shown && Arrow.Position == TKitArrowPosition::apLeftGlyph;
    if (!Calculating) CopyGlyph(Canvas, {G.Left + (ArrowFirst ? Arrow.Room : 0), G.Top}, Glyph);
    if (Flags.Contains(TKitDrawTextStyle::dtRectGlyph)) {
      F = G;
      FocusChosen = true;
    }
  }
  if (Flags.Contains(TKitDrawTextStyle::dtRectGlyphText)) {
    F = InflateRect(UnionOf(G, T), 1, 1);
    FocusChosen = true;
  }
  if (!FocusChosen) F = InflateRect(F, -1, -1);
  if (Calculating) F = InflateRect(F, 1, 1);
  return {T, G, F};
}

TKitTextGlyphRects KitDrawTextAndGlyph(TCanvas& Canvas, const std::string& Caption,
                                       TKit3DCaption* Font3D, const TRect& Rect,
                                       const TKitGlyphBitmap& Glyph,
                                       const TKitGlyphTextLayout& Layout,
                                       const TKitTextOptions& Options, TKitDrawTextStyles Flags) {
  if (!Glyph.Bitmap || Glyph.Bitmap->Empty())
    return KitDrawTextAndGlyphExt(Canvas, Caption, Font3D, Rect, {}, Layout, Options, Flags);
  // These canvases only read from the bitmaps.
  TCanvas Picture(const_cast<TBitmap*>(Glyph.Bitmap));
  TCanvas Mask(const_cast<TBitmap*>(Glyph.Mask));
  const TKitGlyphImage Image{&Picture,
                             {0, 0, Glyph.Bitmap->Width(), Glyph.Bitmap->Height()},
                             Glyph.Mask ? &Mask : nullptr,
                             Glyph.TransparentColor,
                             Glyph.Transparent};
  return KitDrawTextAndGlyphExt(Canvas, Caption, Font3D, Rect, Image, Layout, Options, Flags);
}
