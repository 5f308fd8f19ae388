// Bitmaps, colours and reference measurements shared by the caption and glyph layout tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

constexpr TColor ColorOf(int Red, int Green, int Blue) {
  return Red | (Green << 8) | (Blue << 16);
}

// The pixel the canvas writes for an RGB colour value.
constexpr TPixel PixelFor(TColor Color) {
  return PixelOf(static_cast<std::uint8_t>(Color & 0xFF),
                 static_cast<std::uint8_t>((Color >> 8) & 0xFF),
                 static_cast<std::uint8_t>((Color >> 16) & 0xFF));
}

inline constexpr TColor SheetBackground = ColorOf(200, 220, 240);
inline constexpr TColor SheetFontColor = ColorOf(20, 90, 30);

// A bitmap filled with the background, its canvas set to a font whose size the tests take from
// the canvas itself, so that nothing depends on the font's exact metrics.
inline std::unique_ptr<TBitmap> Sheet(int Width, int Height) {
  auto Bitmap = std::make_unique<TBitmap>(Width, Height);
  TCanvas& Canvas = Bitmap->Canvas();
  Canvas.Brush.Color = SheetBackground;
  Canvas.FillRect({0, 0, Width, Height});
  Canvas.Font.SetName("Arial");
  Canvas.Font.SetHeight(-16);
  Canvas.Font.SetStyle({fsBold});
  Canvas.Font.SetColor(SheetFontColor);
  return Bitmap;
}

// A picture of one colour.
inline std::unique_ptr<TBitmap> SolidPicture(int Width, int Height, TColor Color) {
  auto Bitmap = std::make_unique<TBitmap>(Width, Height);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) Bitmap->SetPixel(X, Y, PixelFor(Color));
  return Bitmap;
}

// What the formatted-text call reports for Text wrapped at Width (unwrapped without
// DT_WORDBREAK in Format).
inline TSize MeasuredText(TCanvas& Canvas, const std::string& Text, unsigned Format,
                          int Width = 10000) {
  TRect Rect{0, 0, Width, 0};
  Canvas.DrawText(Text, Rect, Format | DT_CALCRECT);
  return {Rect.Width(), Rect.Height()};
}

inline ::testing::AssertionResult SameImage(const TBitmap& Actual, const TBitmap& Expected) {
  for (int Y = 0; Y < Expected.Height(); ++Y)
    for (int X = 0; X < Expected.Width(); ++X)
      if (Actual.Pixel(X, Y) != Expected.Pixel(X, Y))
        return ::testing::AssertionFailure()
               << "first difference at (" << X << ", " << Y << "): " << std::hex
               << Actual.Pixel(X, Y) << " instead of " << Expected.Pixel(X, Y);
  return ::testing::AssertionSuccess();
}

inline std::ostream& operator<<(std::ostream& Out, const TRect& Rect) {
  return Out << "(" << Rect.Left << ", " << Rect.Top << ", " << Rect.Right << ", " << Rect.Bottom
             << ")";
}
