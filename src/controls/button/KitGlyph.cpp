// TKitGlyph: choosing the picture of a state, and making the grey and disabled pictures a strip
// does not hold.
#include "controls/button/KitGlyph.h"
#include "framework/ColorToRGB.h"

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

TKitGlyph::TKitGlyph() {
  FSlots.fill(-1);
}

TKitGlyph::~TKitGlyph() {
  Release();
}

void TKitGlyph::SetGlyph(const TBitmap& Value) {
  FGlyph.Assign(Value);
  if (!FGlyph.Empty() && FGlyph.Width() % FGlyph.Height() == 0) {
    const int Pictures = FGlyph.Width() / FGlyph.Height();
    FNumGlyphs = Pictures <= MaxNumGlyphs ? Pictures : 1;
  }
  FTransparentColor = FGlyph.Empty() ? clNone : ColorOfPixel(FGlyph.Pixel(0, FGlyph.Height() - 1));
  Release();
  Change();
}

void TKitGlyph::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, MaxNumGlyphs);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Release();
  Change();
}

void TKitGlyph::SetStyle(TKitGlyphStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Release();
  Change();
}

void TKitGlyph::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  Release();
  Change();
}

int TKitGlyph::ImageNumber(TKitButtonState State) const {
  if (State == TKitButtonState::bsDisabledUp || State == TKitButtonState::bsDisabledDown) return 1;
  const int Index = static_cast<int>(State);
  if (Index < FNumGlyphs) return Index;
  if (FStyle == TKitGlyphStyle::gsStandard) return 0;
  return State == TKitButtonState::bsDropDownOpen ? 4 : 2;
}

// An explorer strip of fewer than three pictures has no hot picture of its own: its first
// picture is the coloured one shown while hot, and the up picture is a grey copy of it.
bool TKitGlyph::Held(int Number) const {
  if (FStyle == TKitGlyphStyle::gsExplorer && Number == 0 && FNumGlyphs < 3) return false;
  return Number < FNumGlyphs;
}

void TKitGlyph::Prepare(int Number, TBitmap& Picture, TBitmap& Mask) const {
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

TKitGlyphImage TKitGlyph::Image(TKitButtonState State) {
  if (FGlyph.Empty() || FGlyph.Width() < FNumGlyphs) return {};
  const int Number = ImageNumber(State);
  if (!FList) FList = TKitGlyphList::OfSize(FGlyph.Width() / FNumGlyphs, FGlyph.Height());
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

TKitTextGlyphRects TKitGlyph::DrawButtonGlyphAndText(TCanvas& Canvas, const std::string& Caption,
                                                     TKit3DCaption* Font3D, const TRect& Rect,
                                                     TKitButtonState State,
                                                     const TKitGlyphTextLayout& Layout,
                                                     TKitDrawTextStyles Flags, bool MultiLine,
                                                     unsigned BiDiFlags) {
  TKitGlyphImage Picture = Image(State);
  Picture.TransparentColor = FTransparentColor;
  Picture.Transparent = true;
  return KitDrawTextAndGlyphExt(Canvas, Caption, Font3D, Rect, Picture, Layout,
                                {MultiLine, true, BiDiFlags}, Flags);
}

void TKitGlyph::Release() {
  for (int& Slot : FSlots) {
    if (Slot >= 0 && FList) FList->Delete(Slot);
    Slot = -1;
  }
  FList.reset();
}
