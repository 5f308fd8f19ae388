// The bitmap-drawing routine: placement, tiling and clipping to the target rectangle.
#include "controls/panel/KitBmpDraw.h"
#include "framework/ColorToRGB.h"

namespace {

// Where the first copy starts along one axis: the pattern's origin, Offset before Start, moved
// by whole copies of Size to the last position at or before Start, so that tiling from there
// covers everything after Start.
int FirstTile(int Start, int Offset, int Size) {
  int Phase = Offset % Size;
  if (Phase < 0) Phase += Size;
  return Start - Phase;
}

// The pixel value that bitmap pixels of the transparent colour hold, alpha aside.
TPixel SkipPixelOf(TColor Color) {
  const TColor Rgb = ColorToRGB(Color);
  return PixelOf(static_cast<std::uint8_t>(Rgb & 0xFF),
                 static_cast<std::uint8_t>((Rgb >> 8) & 0xFF),
                 static_cast<std::uint8_t>((Rgb >> 16) & 0xFF));
}

// Copies Bitmap with its top-left at (X, Y) into Area (canvas coordinates, already clipped),
// skipping pixels equal to Skip.
void DrawTransparent(TCanvas& Canvas, int X, int Y, const TBitmap& Bitmap, const TRect& Area,
                     TPixel Skip) {
  const TRect Part = IntersectRect(Area, Bounds(X, Y, Bitmap.Width(), Bitmap.Height()));
  TBitmap& Surface = *Canvas.Surface();
  const TPoint Origin = Canvas.Origin();
  for (int Row = Part.Top; Row < Part.Bottom; ++Row) {
    const TPixel* Source = Bitmap.ScanLine(Row - Y);
    TPixel* Target = Surface.ScanLine(Row + Origin.Y) + Origin.X;
    for (int Col = Part.Left; Col < Part.Right; ++Col)
      if ((Source[Col - X] & 0xFFFFFF) != Skip) Target[Col] = Source[Col - X];
  }
}

}  // namespace

TRect KitBmpDraw(TCanvas& Canvas, const TRect& Rect, const TBitmap& Bitmap, TKitBmpDrawFlags Flags,
                 int Offset, TColor TransparentColor) {
  if (Bitmap.Empty() || Rect.IsEmpty()) return {};
  const int W = Bitmap.Width();
  const int H = Bitmap.Height();
  const bool Tile = (Flags & bdTile) != 0;
  const int Left = Tile ? FirstTile(Rect.Left, Offset, W) : Rect.Left - Offset;
  const int Top = Tile ? FirstTile(Rect.Top, Offset, H) : Rect.Top - Offset;
  const TRect Covered = Tile ? Rect : IntersectRect(Rect, Bounds(Left, Top, W, H));
  const TRect Area = IntersectRect(Covered, Canvas.ClipRect());
  if (Area.IsEmpty() || !Canvas.Surface()) return Covered;

  const bool HadClip = Canvas.HasClipRect();
  const TRect OldClip = Canvas.ClipRect();
  Canvas.SetClipRect(Area);
  const bool Transparent = (Flags & bdTransparent) != 0 && TransparentColor != clNone;
  const TPixel Skip = Transparent ? SkipPixelOf(TransparentColor) : 0;
  for (int Y = Top; Y < Area.Bottom; Y += H) {
    for (int X = Left; X < Area.Right; X += W) {
      if (Y + H > Area.Top && X + W > Area.Left) {
        if (Transparent)
          DrawTransparent(Canvas, X, Y, Bitmap, Area, Skip);
        else
          Canvas.Draw(X, Y, Bitmap);
      }
      if (!Tile) break;
    }
    if (!Tile) break;
  }
  if (HadClip)
    Canvas.SetClipRect(OldClip);
  else
    Canvas.ClearClipRect();
  return Covered;
}
