// Painting a 640 x 480 menu face: the background copied, then eight captions in the sunken
// shadow relief, against copying the background alone.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/draw/KitDrawText.h"
#include "controls/draw/KitFxCaption.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

// A background with some structure, so that the copy is no run of equal words.
const TBitmap& Background() {
  static TBitmap Picture(Width, Height);
  static bool Made = false;
  if (!Made) {
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        Picture.SetPixel(X, Y,
                         PixelOf(static_cast<std::uint8_t>(X / 3), static_cast<std::uint8_t>(Y / 2),
                                 static_cast<std::uint8_t>((X + Y) / 5)));
    Made = true;
  }
  return Picture;
}

void CopyBackground(TBitmap& Face) {
  TCanvas Source(const_cast<TBitmap*>(&Background()));
  Face.Canvas().CopyRect({0, 0, Width, Height}, Source, {0, 0, Width, Height});
}

void BM_CopyBackground(benchmark::State& State) {
  TBitmap Face(Width, Height);
  for (auto _ : State) {
    CopyBackground(Face);
    benchmark::DoNotOptimize(Face.ScanLine(0));
  }
}
BENCHMARK(BM_CopyBackground)->Unit(benchmark::kMicrosecond);

void BM_PaintFaceWithEightCaptions(benchmark::State& State) {
  TBitmap Face(Width, Height);
  TCanvas& Canvas = Face.Canvas();
  TKitFxCaption Effect;
  Effect.SetStyle(TKitThreeDStyle::tdSunkenShadow);
  Effect.SetLightColor(clBlack);
  Effect.SetShadowColor(clBlack);
  Canvas.Font.SetName("Times New Roman");
  Canvas.Font.SetHeight(-19);
  Canvas.Font.SetStyle({fsBold});
  Canvas.Font.SetCharset(RUSSIAN_CHARSET);
  for (auto _ : State) {
    CopyBackground(Face);
    for (int I = 0; I < 8; ++I) {
      Canvas.Font.SetColor(clYellow);
      KitDrawText(Canvas, "Menu entry number " + std::to_string(I + 1), &Effect,
                  Bounds(40, 40 + I * 50, 400, 30), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    benchmark::DoNotOptimize(Face.ScanLine(0));
  }
}
BENCHMARK(BM_PaintFaceWithEightCaptions)->Unit(benchmark::kMicrosecond);

}  // namespace
