// TLMDGlyph: choosing the picture of a state, and making the grey and disabled pictures a strip
// does not hold.
#include "controls/button/LMDGlyph.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr TPixel MaskDrawn = PixelOf(0, 0, 0);
constexpr TPixel MaskClear = PixelOf(255, 255, 255);
constexpr TPixel White = PixelOf(255, 255, 255);

// The pixel a colour value stands for; the bitmap keeps red in its third byte, the colour value
// in its first.
TPixel PixelOfColor(TColor Color) {
  const TColor Rgb = ColorToRGB(Color);
  return PixelOf(static_cast<std::uint8_t>(Rgb & 0xFF), static_cast<std::uint8_t>(Rgb >> 8),
                 static_cast<std::uint8_t>(Rgb >> 16));
}

TColor ColorOfPixel(TPixel Pixel) {
  return static_cast<TColor>(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

TPixel Grey(TPixel Pixel) {
  const unsigned Red = (Pixel >> 16) & 0xFF;
  const unsigned Green = (Pixel >> 8) & 0xFF;
  const unsigned Blue = Pixel & 0xFF;
  const auto Level = static_cast<std::uint8_t>((Red * 30 + Green * 59 + Blue * 11 + 50) / 100);
  return PixelOf(Level, Level, Level);
}

// The embossed look of a disabled picture: every drawn pixel that is not white becomes shadow,
// with a highlight one pixel down and to the right of it; nothing else is drawn.
void MakeDisabled(TBitmap& Picture, TBitmap& Mask) {
  const int Width = Picture.Width();
  const int Height = Picture.Height();
  std::vector<bool> Ink(static_cast<std::size_t>(Width) * Height);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      Ink[static_cast<std::size_t>(Y) * Width + X] =
          Mask.Pixel(X, Y) == MaskDrawn && Picture.Pixel(X, Y) != White;
  for (int Y = 0; Y < Height; ++Y) std::fill_n(Mask.ScanLine(Y), Width, MaskClear);
  const TPixel Highlight = PixelOfColor(clBtnHighlight);
  const TPixel Shadow = PixelOfColor(clBtnShadow);
  for (const auto& [DX, Color] : {std::pair{1, Highlight}, std::pair{0, Shadow}})
    for (int Y = 0; Y + DX < Height; ++Y)
      for (int X = 0; X + DX < Width; ++X)
        if (Ink[static_cast<std::size_t>(Y) * Width + X]) {
          Picture.SetPixel(X + DX, Y + DX, Color);
          Mask.SetPixel(X + DX, Y + DX, MaskDrawn);
        }
}

}  // namespace

TLMDGlyph::TLMDGlyph() {
  FSlots.fill(-1);
}

TLMDGlyph::~TLMDGlyph() {
  Release();
}

void TLMDGlyph::SetGlyph(const TBitmap& Value) {
  FGlyph.Assign(Value);
  if (!FGlyph.Empty() && FGlyph.Width() % FGlyph.Height() == 0) {
    const int Pictures = FGlyph.Width() / FGlyph.Height();
    FNumGlyphs = Pictures <= MaxNumGlyphs ? Pictures : 1;
  }
  FTransparentColor = FGlyph.Empty() ? clNone : ColorOfPixel(FGlyph.Pixel(0, FGlyph.Height() - 1));
  Release();
  Change();
}

void TLMDGlyph::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, MaxNumGlyphs);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Release();
  Change();
}

void TLMDGlyph::SetStyle(TLMDGlyphStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Release();
  Change();
}

void TLMDGlyph::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  Release();
  Change();
}

int TLMDGlyph::ImageNumber(TLMDButtonState State) const {
  if (State == TLMDButtonState::bsDisabledUp || State == TLMDButtonState::bsDisabledDown) return 1;
  const int Index = static_cast<int>(State);
  if (Index < FNumGlyphs) return Index;
  if (FStyle == TLMDGlyphStyle::gsStandard) return 0;
  return State == TLMDButtonState::bsDropDownOpen ? 4 : 2;
}

// An explorer strip of fewer than three pictures has no hot picture of its own: its first
// picture is the coloured one shown while hot, and the up picture is a grey copy of it.
bool TLMDGlyph::Held(int Number) const {
  if (FStyle == TLMDGlyphStyle::gsExplorer && Number == 0 && FNumGlyphs < 3) return false;
  return Number < FNumGlyphs;
}

void TLMDGlyph::Prepare(int Number, TBitmap& Picture, TBitmap& Mask) const {
  const int Width = FGlyph.Width() / FNumGlyphs;
  const int Height = FGlyph.Height();
  const int Left = (Held(Number) ? Number : 0) * Width;
  const bool Keyed = FTransparentColor != clNone;
  const TPixel Key = Keyed ? PixelOfColor(FTransparentColor) : 0;
  const bool Greyed = !Held(Number) && Number == 0;
  Picture.SetSize(Width, Height);
  Mask.SetSize(Width, Height);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const TPixel Pixel = FGlyph.Pixel(Left + X, Y);
      const bool Clear = Keyed && Pixel == Key;
      Picture.SetPixel(X, Y, Greyed && !Clear ? Grey(Pixel) : Pixel);
      Mask.SetPixel(X, Y, Clear ? MaskClear : MaskDrawn);
    }
  if (!Held(Number) && Number == 1) MakeDisabled(Picture, Mask);
}

TLMDGlyphImage TLMDGlyph::Image(TLMDButtonState State) {
  if (FGlyph.Empty() || FGlyph.Width() < FNumGlyphs) return {};
  const int Number = ImageNumber(State);
  if (!FList) FList = TLMDGlyphList::OfSize(FGlyph.Width() / FNumGlyphs, FGlyph.Height());
  if (FSlots[Number] < 0) {
    TBitmap Picture;
    TBitmap Mask;
    Prepare(Number, Picture, Mask);
    FSlots[Number] = FList->Add(Picture, Mask);
    if (FSlots[Number] < 0) return {};
  }
  return {&FList->ImageCanvas(), FList->ImageRect(FSlots[Number]), &FList->MaskCanvas(),
          FTransparentColor, true};
}

TLMDTextGlyphRects TLMDGlyph::DrawButtonGlyphAndText(TCanvas& Canvas, const std::string& Caption,
                                                     TLMD3DCaption* Font3D, const TRect& Rect,
                                                     TLMDButtonState State,
                                                     const TLMDGlyphTextLayout& Layout,
                                                     TLMDDrawTextStyles Flags, bool MultiLine,
                                                     unsigned BiDiFlags) {
  TLMDGlyphImage Picture = Image(State);
  Picture.TransparentColor = FTransparentColor;
  Picture.Transparent = true;
  return LMDDrawTextAndGlyphExt(Canvas, Caption, Font3D, Rect, Picture, Layout,
                                {MultiLine, true, BiDiFlags}, Flags);
}

void TLMDGlyph::Release() {
  for (int& Slot : FSlots) {
    if (Slot >= 0 && FList) FList->Delete(Slot);
    Slot = -1;
  }
  FList.reset();
}
