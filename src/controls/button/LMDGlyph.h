// TLMDGlyph: a button's picture strip, the picture each button state shows, and the drawing of
// a button's caption with that picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/button/LMDButtonState.h"
#include "controls/button/LMDDrawTextAndGlyph.h"
#include "controls/button/LMDGlyphList.h"
#include "controls/button/LMDGlyphTextLayout.h"
#include "controls/draw/LMDCaption3D.h"
#include "controls/draw/LMDObject.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

// gsExplorer: pictures in grey until the button is hot, in colour while hot or pressed.
enum class TLMDGlyphStyle : std::uint8_t { gsStandard, gsExplorer };

// The glyph holder a button owns. The bitmap is a strip of NumGlyphs pictures of equal width:
// up, disabled, hot, latched, pressed, in that order. Pictures a state needs but the strip lacks
// are made from the first one. Prepared pictures live in the glyph list shared by all holders
// of that picture size, until the bitmap, NumGlyphs, the style or the transparent colour
// changes. Changes are reported through OnChange.
class TLMDGlyph : public TLMDObject {
 public:
  static constexpr int MaxNumGlyphs = 5;

  TLMDGlyph();
  TLMDGlyph(const TLMDGlyph&) = delete;
  TLMDGlyph& operator=(const TLMDGlyph&) = delete;
  ~TLMDGlyph() override;

  const char* ClassName() const override { return "TLMDGlyph"; }

  const TBitmap& Glyph() const { return FGlyph; }
  // Copies Value. A strip whose width is a multiple of its height sets NumGlyphs to that many
  // pictures when there are at most MaxNumGlyphs, else to 1; its bottom-left pixel becomes the
  // transparent colour. Always reports a change.
  void SetGlyph(const TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  // Kept within 1 to MaxNumGlyphs.
  void SetNumGlyphs(int Value);
  TLMDGlyphStyle Style() const { return FStyle; }
  void SetStyle(TLMDGlyphStyle Value);
  // Pixels of this colour show through the picture; clNone: none do.
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor Value);

  // Which picture (0 to 4) State shows: the disabled states the disabled one, a state past the
  // strip's end the hot one (the pressed one for an open drop-down) in gsExplorer style and the
  // up one in gsStandard style.
  int ImageNumber(TLMDButtonState State) const;
  // The prepared picture of State with its mask; nothing to draw without a glyph.
  TLMDGlyphImage Image(TLMDButtonState State);

  // Draws Caption with the picture of State through the layout routine: accelerators shown,
  // the picture transparent.
  TLMDTextGlyphRects DrawButtonGlyphAndText(TCanvas& Canvas, const std::string& Caption,
                                            TLMD3DCaption* Font3D, const TRect& Rect,
                                            TLMDButtonState State,
                                            const TLMDGlyphTextLayout& Layout,
                                            TLMDDrawTextStyles Flags, bool MultiLine,
                                            unsigned BiDiFlags);

 private:
  // Gives the prepared pictures back to the shared list.
  void Release();
  // True when the strip itself holds picture Number.
  bool Held(int Number) const;
  void Prepare(int Number, TBitmap& Picture, TBitmap& Mask) const;

  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TLMDGlyphStyle FStyle = TLMDGlyphStyle::gsStandard;
  TColor FTransparentColor = clNone;
  std::shared_ptr<TLMDGlyphList> FList;
  // Slot in FList of each prepared picture; -1 until it is needed.
  std::array<int, MaxNumGlyphs> FSlots;
};
