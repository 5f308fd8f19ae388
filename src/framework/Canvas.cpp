// TCanvas: origin, clip, and the filled and stroked shapes.
#include "framework/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/CanvasImpl.h"
#include "framework/ColorToRGB.h"

bool PixelOfColor(TColor Color, TPixel& Pixel) {
  if (Color == clNone) return false;
  TColor Rgb = ColorToRGB(Color);
  Pixel = PixelOf(static_cast<std::uint8_t>(Rgb & 0xFF), static_cast<std::uint8_t>(Rgb >> 8),
                  static_cast<std::uint8_t>(Rgb >> 16));
  return true;
}

namespace {

// On/off lengths of the dashed pen styles, in pixels, as the classic cosmetic pens draw them.
const std::vector<int>& DashPattern(TPenStyle Style) {
  static const std::vector<int> Solid;
  static const std::vector<int> Dash = {18, 6};
  static const std::vector<int> Dot = {3, 3};
  static const std::vector<int> DashDot = {9, 6, 3, 6};
  static const std::vector<int> DashDotDot = {9, 3, 3, 3, 3, 3};
  switch (Style) {
    case TPenStyle::psDash:
      return Dash;
    case TPenStyle::psDot:
      return Dot;
    case TPenStyle::psDashDot:
      return DashDot;
    case TPenStyle::psDashDotDot:
      return DashDotDot;
    default:
      return Solid;
  }
}

}  // namespace

TCanvas::TCanvas(TBitmap* Surface) : FImpl(std::make_unique<TImpl>()), FSurface(Surface) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(TBitmap* Surface) {
  FSurface = Surface;
}

void TCanvas::SetOrigin(TPoint Origin) {
  FOrigin = Origin;
}

TRect TCanvas::ClipRect() const {
  TRect Whole = FSurface ? OffsetRect(TRect{0, 0, FSurface->Width(), FSurface->Height()},
                                      -FOrigin.X, -FOrigin.Y)
                         : TRect{};
  return FHasClip ? IntersectRect(Whole, FClip) : Whole;
}

void TCanvas::SetClipRect(const TRect& Clip) {
  FClip = Clip;
  FHasClip = true;
}

void TCanvas::ClearClipRect() {
  FHasClip = false;
}

// Fills a rectangle given in canvas coordinates, clipped.
static void FillSurface(TBitmap& Surface, TRect Area, TPixel Pixel) {
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    std::fill_n(Surface.ScanLine(Y) + Area.Left, Area.Width(), Pixel);
}

void TCanvas::FillRect(const TRect& Rect) {
  TPixel Pixel;
  if (!FSurface || Brush.Style == TBrushStyle::bsClear || !PixelOfColor(Brush.Color, Pixel)) return;
  TRect Area = IntersectRect(Rect, ClipRect());
  FillSurface(*FSurface, OffsetRect(Area, FOrigin.X, FOrigin.Y), Pixel);
}

void TCanvas::FrameRect(const TRect& Rect) {
  if (Rect.IsEmpty()) return;
  FillRect({Rect.Left, Rect.Top, Rect.Right, Rect.Top + 1});
  FillRect({Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom});
  FillRect({Rect.Left, Rect.Top + 1, Rect.Left + 1, Rect.Bottom - 1});
  FillRect({Rect.Right - 1, Rect.Top + 1, Rect.Right, Rect.Bottom - 1});
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  TRect Box{std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
  FillRect(Box);
  TPixel Pixel;
  if (Pen.Style == TPenStyle::psClear || !PixelOfColor(Pen.Color, Pixel)) return;
  TBrush Saved = Brush;
  Brush = {Pen.Color, TBrushStyle::bsSolid};
  for (int I = 0; I < std::max(Pen.Width, 1) && !Box.IsEmpty(); ++I) {
    FrameRect(Box);
    Box = InflateRect(Box, -1, -1);
  }
  Brush = Saved;
}

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  TPixel Pixel;
  TPoint From = FPenPos;
  FPenPos = {X, Y};
  if (!FSurface || Pen.Style == TPenStyle::psClear || !PixelOfColor(Pen.Color, Pixel)) return;
  TRect Clip = ClipRect();
  const std::vector<int>& Pattern = DashPattern(Pen.Style);
  int Width = std::max(Pen.Width, 1);
  int Low = -(Width - 1) / 2;
  int High = Width / 2;
  auto Plot = [&](int PX, int PY) {
    for (int DY = Low; DY <= High; ++DY)
      for (int DX = Low; DX <= High; ++DX) {
        TPoint P{PX + DX, PY + DY};
        if (Clip.Contains(P)) FSurface->SetPixel(P.X + FOrigin.X, P.Y + FOrigin.Y, Pixel);
      }
  };
  // Bresenham from the start point up to, not including, the end point.
  int DX = std::abs(X - From.X);
  int DY = -std::abs(Y - From.Y);
  int SX = From.X < X ? 1 : -1;
  int SY = From.Y < Y ? 1 : -1;
  int Error = DX + DY;
  int Step = 0;
  std::size_t Segment = 0;
  int Left = Pattern.empty() ? 0 : Pattern[0];
  for (TPoint P = From; P.X != X || P.Y != Y; ++Step) {
    if (Pattern.empty() || Segment % 2 == 0) Plot(P.X, P.Y);
    if (!Pattern.empty() && --Left == 0) {
      Segment = (Segment + 1) % Pattern.size();
      Left = Pattern[Segment];
    }
    int Twice = 2 * Error;
    if (Twice >= DY) {
      Error += DY;
      P.X += SX;
    }
    if (Twice <= DX) {
      Error += DX;
      P.Y += SY;
    }
  }
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  TPoint Saved = FPenPos;
  MoveTo(Points[0].X, Points[0].Y);
  for (std::size_t I = 1; I < Points.size(); ++I) LineTo(Points[I].X, Points[I].Y);
  FPenPos = Saved;
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  if (Points.size() < 2 || !FSurface) return;
  TPixel Pixel;
  if (Brush.Style == TBrushStyle::bsSolid && PixelOfColor(Brush.Color, Pixel)) {
    // Scan lines sample integer coordinates; each span covers [ceil(x1), ceil(x2)), so shared
    // edges are filled once and right and bottom edges stay out, as rectangles do.
    int MinY = Points[0].Y, MaxY = Points[0].Y;
    for (const TPoint& P : Points) {
      MinY = std::min(MinY, P.Y);
      MaxY = std::max(MaxY, P.Y);
    }
    TRect Clip = ClipRect();
    MinY = std::max(MinY, Clip.Top);
    MaxY = std::min(MaxY, Clip.Bottom);
    std::vector<double> Crossings;
    for (int Y = MinY; Y < MaxY; ++Y) {
      Crossings.clear();
      for (std::size_t I = 0; I < Points.size(); ++I) {
        TPoint A = Points[I];
        TPoint B = Points[(I + 1) % Points.size()];
        if (A.Y == B.Y) continue;
        if (A.Y > B.Y) std::swap(A, B);
        if (Y < A.Y || Y >= B.Y) continue;
        Crossings.push_back(A.X + static_cast<double>(Y - A.Y) * (B.X - A.X) / (B.Y - A.Y));
      }
      std::sort(Crossings.begin(), Crossings.end());
      for (std::size_t I = 0; I + 1 < Crossings.size(); I += 2) {
        int X1 = std::max(static_cast<int>(std::ceil(Crossings[I])), Clip.Left);
        int X2 = std::min(static_cast<int>(std::ceil(Crossings[I + 1])), Clip.Right);
        if (X1 < X2)
          std::fill_n(FSurface->ScanLine(Y + FOrigin.Y) + X1 + FOrigin.X, X2 - X1, Pixel);
      }
    }
  }
  std::vector<TPoint> Closed = Points;
  Closed.push_back(Points[0]);
  Polyline(Closed);
  // A closed outline includes its starting point, which the last line leaves out.
  if (Pen.Style != TPenStyle::psClear && PixelOfColor(Pen.Color, Pixel) &&
      ClipRect().Contains(Points[0]))
    FSurface->SetPixel(Points[0].X + FOrigin.X, Points[0].Y + FOrigin.Y, Pixel);
}

TColor TCanvas::Pixel(int X, int Y) const {
  if (!FSurface || !ClipRect().Contains({X, Y})) return clNone;
  TPixel P = FSurface->Pixel(X + FOrigin.X, Y + FOrigin.Y);
  return static_cast<TColor>(((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  TPixel Pixel;
  if (!FSurface || !ClipRect().Contains({X, Y}) || !PixelOfColor(Color, Pixel)) return;
  FSurface->SetPixel(X + FOrigin.X, Y + FOrigin.Y, Pixel);
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect) {
  if (!FSurface || !Source.FSurface || Dest.IsEmpty() || SourceRect.IsEmpty()) return;
  const TBitmap& From = *Source.FSurface;
  TRect SourceArea = OffsetRect(SourceRect, Source.FOrigin.X, Source.FOrigin.Y);
  if (Dest.Width() == SourceRect.Width() && Dest.Height() == SourceRect.Height()) {
    // Same size: whole rows at a time, clipped on both sides. memmove keeps an overlapping copy
    // within one surface correct.
    const int DX = SourceArea.Left - Dest.Left;
    const int DY = SourceArea.Top - Dest.Top;
    TRect Area = IntersectRect(
        IntersectRect(Dest, ClipRect()),
        OffsetRect(IntersectRect(SourceArea, {0, 0, From.Width(), From.Height()}), -DX, -DY));
    if (Area.IsEmpty()) return;
    const bool Downwards = &From == FSurface && DY < 0;
    for (int I = 0; I < Area.Height(); ++I) {
      const int Y = Downwards ? Area.Bottom - 1 - I : Area.Top + I;
      std::memmove(FSurface->ScanLine(Y + FOrigin.Y) + Area.Left + FOrigin.X,
                   From.ScanLine(Y + DY) + Area.Left + DX, sizeof(TPixel) * Area.Width());
    }
    return;
  }
  TRect Area = IntersectRect(Dest, ClipRect());
  // Stretching within one surface must read the source as it was before the copy.
  const bool Same = &From == FSurface;
  std::vector<TPixel> Snapshot;
  if (Same)
    Snapshot.assign(From.ScanLine(0), From.ScanLine(0) + std::size_t(From.Width()) * From.Height());
  auto Read = [&](int X, int Y) {
    return Same ? Snapshot[std::size_t(Y) * From.Width() + X] : From.Pixel(X, Y);
  };
  for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
    int SY = SourceArea.Top + static_cast<int>(static_cast<long long>(Y - Dest.Top) *
                                               SourceArea.Height() / Dest.Height());
    if (SY < 0 || SY >= From.Height()) continue;
    TPixel* Row = FSurface->ScanLine(Y + FOrigin.Y);
    for (int X = Area.Left; X < Area.Right; ++X) {
      int SX = SourceArea.Left + static_cast<int>(static_cast<long long>(X - Dest.Left) *
                                                  SourceArea.Width() / Dest.Width());
      if (SX >= 0 && SX < From.Width()) Row[X + FOrigin.X] = Read(SX, SY);
    }
  }
}

void TCanvas::Draw(int X, int Y, const TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  TCanvas Source(const_cast<TBitmap*>(&Bitmap));
  TRect Whole{0, 0, Bitmap.Width(), Bitmap.Height()};
  CopyRect(OffsetRect(Whole, X, Y), Source, Whole);
}
