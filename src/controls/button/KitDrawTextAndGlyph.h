// The caption and glyph layout: measures a caption, arranges it with a glyph, aligns the pair
// in a rectangle and draws both, with an optional drop-down arrow.
#pragma once

#include <string>

#include "controls/button/KitDrawTextCalc.h"
#include "controls/button/KitGlyphTextLayout.h"
#include "controls/draw/KitCaption3D.h"
#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

// A glyph picture lying in a rectangle of a canvas. Mask, when given, is a canvas of the same
// layout whose black pixels mark what is drawn and whose other pixels mark what shows through.
struct TKitGlyphImage {
  const TCanvas* Canvas = nullptr;
  TRect Rect;
  const TCanvas* Mask = nullptr;
  // Without a mask and with Transparent set, pixels of this colour show through (clNone:
  // none do).
  TColor TransparentColor = clNone;
  bool Transparent = true;

  // True when there is a picture to place: a canvas and a non-empty rectangle.
  bool Present() const { return Canvas && !Rect.IsEmpty(); }
};

// Where the layout put things.
struct TKitTextGlyphRects {
  // The caption's rectangle, relief and margin included.
  TRect Text;
  TRect Glyph;
  // The rectangle a focus frame would take, chosen by the dtRect... flags.
  TRect Focus;
};

// Source's size placed in Target by Alignment; centring truncates towards zero.
TRect KitAlignRect(TKitAlignment Alignment, const TRect& Source, const TRect& Target);

// The DT_ flags that align the lines of a multi-line caption as Alignment aligns the block.
unsigned KitAlignmentFormat(TKitAlignment Alignment);

// Measures Caption in the canvas's font, arranges it with Glyph as Layout says, aligns the
// block in Rect and draws caption (through Font3D's relief, with the canvas brush left clear),
// arrow and glyph, and reports where they went. Flags carries the text routine's dtEnabled or
// dtDisabled and dt3DDisabled, and the layout's dtAutoSize (block at the top-left, nothing
// moved into Rect), dtCalculate (nothing drawn) and dtRectText, dtRectGlyph, dtRectGlyphText
// (which rectangle becomes the focus rectangle). A caption is not clipped to Rect. The arrow of
// a button layout, a downward triangle ArrowSize pixels high, takes the outer end of the room
// it widens the text or the glyph by, vertically centred on the text's rectangle; with
// apLeftGlyph the picture follows the arrow's room.
TKitTextGlyphRects KitDrawTextAndGlyphExt(TCanvas& Canvas, const std::string& Caption,
                                          TKit3DCaption* Font3D, const TRect& Rect,
                                          const TKitGlyphImage& Glyph,
                                          const TKitGlyphTextLayout& Layout,
                                          const TKitTextOptions& Options, TKitDrawTextStyles Flags);

// A glyph given as bitmaps: the whole of Bitmap is the picture, Mask (optional) its mask.
struct TKitGlyphBitmap {
  const TBitmap* Bitmap = nullptr;
  const TBitmap* Mask = nullptr;
  TColor TransparentColor = clNone;
  bool Transparent = true;
};

// KitDrawTextAndGlyphExt with the glyph taken from bitmaps; a missing or empty bitmap means no
// glyph and no transparent colour.
TKitTextGlyphRects KitDrawTextAndGlyph(TCanvas& Canvas, const std::string& Caption,
                                       TKit3DCaption* Font3D, const TRect& Rect,
                                       const TKitGlyphBitmap& Glyph,
                                       const TKitGlyphTextLayout& Layout,
                                       const TKitTextOptions& Options, TKitDrawTextStyles Flags);
