// TKitGlyph: a button's picture strip, the picture each button state shows, and the drawing of
// a button's caption with that picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/button/KitButtonState.h"
#include "controls/button/KitDrawTextAndGlyph.h"
#include "controls/button/KitGlyphList.h"
#include "controls/button/KitGlyphTextLayout.h"
#include "controls/core/KitObject.h"
#include "controls/draw/KitCaption3D.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

// gsExplorer: pictures in grey until the button is hot, in colour while hot or pressed.
enum class TKitGlyphStyle : std::uint8_t { gsStandard, gsExplorer };

// The glyph holder a button owns. The bitmap is a strip of NumGlyphs pictures of equal width:
// up, disabled, hot, latched, pressed, in that order. Pictures a state needs but the strip lacks
// are made from the first one. Prepared pictures live in the glyph list shared by all holders
// of that picture size, until the bitmap, NumGlyphs, the style or the transparent colour
// changes. Changes are reported through OnChange.
class TKitGlyph : public TKitObject {
 public:
  static constexpr int MaxNumGlyphs = 5;

  TKitGlyph();
  TKitGlyph(const TKitGlyph&) = delete;
  TKitGlyph& operator=(const TKitGlyph&) = delete;
  ~TKitGlyph() override;

  const char* ClassName() const override { return "TKitGlyph"; }

  const TBitmap& Glyph() const { return FGlyph; }
  // Copies Value. A strip whose width is a multiple of its height sets NumGlyphs to that many
  // pictures when there are at most MaxNumGlyphs, else to 1; its bottom-left pixel becomes the
  // transparent colour. Always reports a change.
  void SetGlyph(const TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  // Kept within 1 to MaxNumGlyphs.
  void SetNumGlyphs(int Value);
  TKitGlyphStyle Style() const { return FStyle; }
  void SetStyle(TKitGlyphStyle Value);
  // Pixels of this colour show through the picture; clNone: none do.
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor Value);

  // Which picture (0 to 4) State shows: the disabled states the disabled one, a state past the
  // strip's end the hot one (the pressed one for an open drop-down) in gsExplorer style and the
  // up one in gsStandard style.
  int ImageNumber(TKitButtonState State) const;
  // The prepared picture of State with its mask; nothing to draw without a glyph.
  TKitGlyphImage Image(TKitButtonState State);

  // Draws Caption with the picture of State through the layout routine: accelerators shown,
  // the picture transparent.
  TKitTextGlyphRects DrawButtonGlyphAndText(TCanvas& Canvas, const std::string& Caption,
                                            TKit3DCaption* Font3D, const TRect& Rect,
                                            TKitButtonState State,
                                            const TKitGlyphTextLayout& Layout,
                                            TKitDrawTextStyles Flags, bool MultiLine,
                                            unsigned BiDiFlags);

 private:
  // Gives the prepared pictures back to the shared list.
  void Release();
  // True when the strip itself holds picture Number.
  bool Held(int Number) const;
  void Prepare(int Number, TBitmap& Picture, TBitmap& Mask) const;

  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TKitGlyphStyle FStyle = TKitGlyphStyle::gsStandard;
  TColor FTransparentColor = clNone;
  std::shared_ptr<TKitGlyphList> FList;
  // Slot in FList of each prepared picture; -1 until it is needed.
  std::array<int, MaxNumGlyphs> FSlots;
};
