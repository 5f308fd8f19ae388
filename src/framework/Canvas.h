// TCanvas: drawing on a bitmap with pen, brush and font, through an origin and a clip rectangle,
// with the classic device-context operations the controls are written against.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Colors.h"
#include "core/Font.h"
#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/TextLayout.h"
#include "platform/TextEngine.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

// Edge kinds and flags of the 3D edge routine, with the platform's values.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x0800;
inline constexpr unsigned BF_SOFT = 0x1000;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

class TCanvas {
 public:
  // Draws on Surface, which must outlive the canvas; without one every operation does nothing.
  explicit TCanvas(TBitmap* Surface = nullptr);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas();

  TBitmap* Surface() const { return FSurface; }
  void SetSurface(TBitmap* Surface);

  // Where this canvas's (0, 0) lies on the surface. A windowless control draws on its parent's
  // surface with its own position as origin.
  TPoint Origin() const { return FOrigin; }
  void SetOrigin(TPoint Origin);
  // The clip rectangle, in this canvas's coordinates; drawing never leaves it nor the surface.
  TRect ClipRect() const;
  void SetClipRect(const TRect& Clip);
  // Clips to the whole surface again.
  void ClearClipRect();
  bool HasClipRect() const { return FHasClip; }

  TPen Pen;
  TBrush Brush;
  TFont Font;
  // Extra pixels after every character of text.
  int TextCharacterExtra = 0;

  void FillRect(const TRect& Rect);
  // A one-pixel frame in the brush colour.
  void FrameRect(const TRect& Rect);
  // Outline with the pen, inside filled with the brush; right and bottom excluded.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void MoveTo(int X, int Y);
  // A line from the pen position to (X, Y), that point excluded; the pen position moves there.
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPenPos; }
  // Lines through the points, the last point excluded.
  void Polyline(const std::vector<TPoint>& Points);
  // Filled with the brush (alternate rule) and outlined with the pen, closed.
  void Polygon(const std::vector<TPoint>& Points);

  // The colour at a point, or clNone outside the surface.
  TColor Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor Color);

  // Copies (stretching when the sizes differ) a rectangle of Source's surface.
  void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);
  void Draw(int X, int Y, const TBitmap& Bitmap);

  // The 3D edge routine: draws the edge kinds on the given sides in the system's 3D colours.
  // With BF_ADJUST, Rect moves inwards past what was drawn.
  bool DrawEdge(TRect& Rect, unsigned Edge, unsigned Flags);
  // The dotted focus rectangle: every other pixel of Rect's outline inverted, the dots placed
  // by the surface's own pixel grid so that a second call on the same rectangle removes them.
  void DrawFocusRect(const TRect& Rect);

  // Formatted text in Rect with DT_ flags; the text colour is the font's, text cells are
  // filled with the brush unless it is clear. Returns the height of the text; with
  // DT_CALCRECT draws nothing and sets Rect's right and bottom to the text's extent.
  int DrawText(const std::string& Text, TRect& Rect, unsigned Format);
  // One line at (X, Y), the top-left of its cell, along the font's escapement.
  void TextOut(int X, int Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

  // Between BeginPath and EndPath, text records its glyph outlines instead of painting;
  // StrokePath draws the recorded outlines with the pen and forgets them.
  void BeginPath();
  void EndPath();
  void StrokePath();

  // The realised face of the current font (cached while the font stays the same).
  TTextFace& Face();
  // 8-bit text decoded for the current font: valid non-ASCII UTF-8 as UTF-8, anything else by
  // the code page of the font's character set.
  std::u32string Decode(const std::string& Text) const;

 private:
  void DrawRun(int X, int Y, std::u32string_view Text);

  class TImpl;
  std::unique_ptr<TImpl> FImpl;
  TBitmap* FSurface = nullptr;
  TPoint FOrigin;
  TRect FClip;
  bool FHasClip = false;
  TPoint FPenPos;
};
