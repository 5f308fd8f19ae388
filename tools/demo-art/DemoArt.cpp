// ostrel-demo-art: paints the demo menu's background picture and writes it as a bitmap file, so
// that the repository needs no large binary; with --icon, writes the demo's icon file, and with
// --program-icon the program's own.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "controls/draw/KitDrawText.h"
#include "controls/draw/KitFxCaption.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Driver.h"
#include "tools/demo-art/IconArt.h"
#include "tools/demo-art/IconFile.h"

namespace {

std::uint8_t Mix(int A, int B, double T) {
  return static_cast<std::uint8_t>(std::lround(A + (B - A) * T));
}

// A night-blue sky over a teal sea, with a low sun whose glow fades into both.
void PaintSky(TBitmap& Picture) {
  const int Width = Picture.Width(), Height = Picture.Height();
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
  TKitFxCaption Effect;
  Effect.SetStyle(TKitThreeDStyle::tdSunkenShadow);
  Effect.SetLightColor(clBlack);
  Effect.SetShadowColor(clBlack);
  Canvas.Font.SetName("Times New Roman");
  Canvas.Font.SetHeight(-34);
  Canvas.Font.SetStyle({fsBold, fsItalic});
  Canvas.Font.SetColor(static_cast<TColor>(0x00B4E6FF));
  KitDrawText(Canvas, "Ostrel Demo Disc", &Effect, {0, 8, Picture.Width(), 56},
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  if (argc == 3 &&
      (std::string_view(argv[1]) == "--icon" || std::string_view(argv[1]) == "--program-icon")) {
    const TIconLook Look =
        std::string_view(argv[1]) == "--icon" ? TIconLook::ilDemo : TIconLook::ilProgram;
    if (Platform->Files().WriteFileAtomically(argv[2], IconFileBytes(PaintIcon(Look)))) return 0;
    std::fprintf(stderr, "ostrel-demo-art: cannot write %s\n", argv[2]);
    return 1;
  }
  const int Width = argc == 4 ? std::atoi(argv[2]) : 480;
  const int Height = argc == 4 ? std::atoi(argv[3]) : 360;
  if ((argc != 2 && argc != 4) || Width < 1 || Height < 1 || Width > 4096 || Height > 4096) {
    std::fputs(
        "usage: ostrel-demo-art OUTPUT.bmp [WIDTH HEIGHT]\n"
        "       ostrel-demo-art --icon | --program-icon OUTPUT.ico\n",
        stderr);
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
