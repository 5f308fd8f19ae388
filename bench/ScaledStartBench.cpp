// The menu's first frame at a scale against the same menu unscaled, measured in the same run: the
// window built from menu.ini (the background read, resampled when scaled, the buttons made) and
// painted once on the headless display. The scaled cases are the desktop scale 2 of a 640 x 480
// menu and a 1920 x 1080 menu shrunk onto a 1280 x 1024 screen; each has two references: the
// same menu unscaled, and an unscaled menu whose picture already has the scaled size, which
// paints as many pixels without resampling.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

// A menu folder with a Width x Height gradient picture and eight buttons spread over it,
// removed at the end of the run.
class TMenuFolder {
 public:
  TMenuFolder(int Width, int Height) {
    char Template[] = "/tmp/ostrel-scale-bench-XXXXXX";
    FPath = mkdtemp(Template);
    TBitmap Picture(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        Picture.SetPixel(X, Y,
                         PixelOf(static_cast<std::uint8_t>(X * 255 / Width),
                                 static_cast<std::uint8_t>(Y * 255 / Height), 90));
    Picture.SaveToFile(FPath + "/menu.bmp");
    std::string Ini = "[Main]\nProgCount=8\n";
    for (int I = 0; I < 8; ++I)
      Ini += "[Prog_" + std::to_string(I + 1) + "]\nX=" + std::to_string(Width / 16) +
             "\nY=" + std::to_string(Height / 10 * (I + 1)) +
             "\nWidth=" + std::to_string(Width / 2) + "\nHeight=" + std::to_string(Height / 16) +
             "\nButtonText=Menu entry &" + std::to_string(I + 1) +
             "\nFontInfo=Times New Roman,14,B,0,clYellow,204\nExePath=menu.bmp\n";
    FILE* File = std::fopen((FPath + "/menu.ini").c_str(), "wb");
    std::fwrite(Ini.data(), 1, Ini.size(), File);
    std::fclose(File);
  }
  ~TMenuFolder() { std::system(("rm -rf '" + FPath + "'").c_str()); }
  TMenuFolder(const TMenuFolder&) = delete;
  TMenuFolder& operator=(const TMenuFolder&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

// Builds the menu of Folder on a screen of ScreenWidth x ScreenHeight at Scale and paints its
// first frame, once per iteration.
void FirstFrame(benchmark::State& State, const TMenuFolder& Folder, double Scale, int ScreenWidth,
                int ScreenHeight) {
  int Width = 0;
  for (auto _ : State) {
    THeadlessDriver System;
    System.Scale = Scale;
    System.ScreenWidth = ScreenWidth;
    System.ScreenHeight = ScreenHeight;
    TApplication App(System);
    App.SetExeName(Folder.Path() + "/ostrel");
    auto* Form = App.CreateForm<TForm1>(MenuFolder());
    Form->Show();
    benchmark::DoNotOptimize(Form->BackBuffer().Pixel(0, 0));
    Width = Form->ClientWidth();
  }
  State.counters["width"] = Width;
}

const TMenuFolder& Menu640() {
  static const TMenuFolder Folder(640, 480);
  return Folder;
}
const TMenuFolder& Menu1280() {
  static const TMenuFolder Folder(1280, 960);
  return Folder;
}
const TMenuFolder& Menu1920() {
  static const TMenuFolder Folder(1920, 1080);
  return Folder;
}
// The size a 1920 x 1080 picture is shrunk to on a 1280 x 1024 screen without a frame.
const TMenuFolder& Menu1280By720() {
  static const TMenuFolder Folder(1280, 720);
  return Folder;
}

constexpr int Large = 65535;

void BM_Unscaled640(benchmark::State& State) {
  FirstFrame(State, Menu640(), 1, Large, Large);
}
void BM_Scale2Of640(benchmark::State& State) {
  FirstFrame(State, Menu640(), 2, Large, Large);
}
void BM_Unscaled1280x960(benchmark::State& State) {
  FirstFrame(State, Menu1280(), 1, Large, Large);
}
void BM_Unscaled1920(benchmark::State& State) {
  FirstFrame(State, Menu1920(), 1, Large, Large);
}
void BM_FitOf1920(benchmark::State& State) {
  FirstFrame(State, Menu1920(), 1, 1280, 1024);
}
void BM_Unscaled1280x720(benchmark::State& State) {
  FirstFrame(State, Menu1280By720(), 1, Large, Large);
}
BENCHMARK(BM_Unscaled640)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scale2Of640)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unscaled1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unscaled1920)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitOf1920)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unscaled1280x720)->Unit(benchmark::kMillisecond);

}  // namespace
