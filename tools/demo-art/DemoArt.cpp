// ostrel-demo-art: paints the demo menu's background picture and writes it as a bitmap file, so
// that the repository needs no large binary.
#include <cmath>
#include <cstdio>
#include <exception>

#include "controls/draw/LMDDrawText.h"
#include "controls/draw/LMDFxCaption.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

namespace {

constexpr int Width = 480;
constexpr int Height = 360;

std::uint8_t Mix(int A, int B, double T) {
  return static_cast<std::uint8_t>(std::lround(A + (B - A) * T));
}

// A night-blue sky over a teal sea, with a low sun whose glow fades into both.
void PaintSky(TBitmap& Picture) {
  const double SunX = Width * 0.72, SunY = Height * 0.58;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const double T = static_cast<double>(Y) / Height;
      std::uint8_t R = Mix(12, 40, T), G = Mix(24, 120, T), B = Mix(70, 130, T);
      const double Distance = std::hypot(X - SunX, (Y - SunY) * 1.4);
      const double Glow = std::exp(-Distance / 70.0);
      R = Mix(R, 255, Glow);
      G = Mix(G, 190, Glow * 0.9);
      B = Mix(B, 90, Glow * 0.5);
      if (Y > SunY && ((Y / 3) % 3 == 0)) {  // ripples on the water
        R = Mix(R, 255, 0.08);
        G = Mix(G, 255, 0.08);
        B = Mix(B, 255, 0.08);
      }
      Picture.SetPixel(X, Y, PixelOf(R, G, B));
    }
}

void PaintTitle(TBitmap& Picture) {
  TCanvas& Canvas = Picture.Canvas();
  TLMDFxCaption Effect;
  Effect.SetStyle(TLMDThreeDStyle::tdSunkenShadow);
  Effect.SetLightColor(clBlack);
  Effect.SetShadowColor(clBlack);
  Canvas.Font.SetName("Times New Roman");
  Canvas.Font.SetHeight(-34);
  Canvas.Font.SetStyle({fsBold, fsItalic});
  Canvas.Font.SetColor(static_cast<TColor>(0x00B4E6FF));
  LMDDrawText(Canvas, "Ostrel Demo Disc", &Effect, {0, 8, Width, 56},
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: ostrel-demo-art OUTPUT.bmp\n", stderr);
    return 2;
  }
  try {
    TBitmap Picture(Width, Height);
    PaintSky(Picture);
    PaintTitle(Picture);
    Picture.SaveToFile(argv[1]);
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "ostrel-demo-art: %s\n", Error.what());
    return 1;
  }
  return 0;
}
