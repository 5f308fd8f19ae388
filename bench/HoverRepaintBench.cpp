// The cost of one hover repaint of a 233 x 24 menu button (the pointer enters, the button paints
// itself hot at once), against painting the whole 640 x 480 menu face with eight buttons.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/button/KitSpeedButton.h"
#include "controls/panel/KitBackPanel.h"
#include "controls/panel/KitBitmapList.h"
#include "controls/panel/KitBitmapListItem.h"
#include "framework/Form.h"
#include "platform/headless/HeadlessWindow.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

// A window like the menu's: a panel showing a picture, and eight buttons in the menu's style.
struct TMenuFace {
  THeadlessWindow Window{Width, Height};
  TForm Root{nullptr};
  TKitBitmapList* List = new TKitBitmapList(&Root);
  TKitBackPanel* Panel = new TKitBackPanel(&Root);

  TMenuFace() {
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, Width, Height);
    auto* Item = new TKitBitmapListItem(List);
    TBitmap& Picture = Item->GetBitmap();
    Picture.SetSize(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        Picture.SetPixel(
            X, Y, PixelOf(static_cast<std::uint8_t>(X / 3), static_cast<std::uint8_t>(Y / 2), 90));
    List->Add(Item);
    Panel->SetParent(&Root);
    Panel->SetBounds(0, 0, Width, Height);
    Panel->SetImageList(List);
    for (int I = 0; I < 8; ++I) {
      auto* Button = new TKitSpeedButton(&Root);
      Button->SetParent(Panel);
      Button->SetBounds(40, 40 + I * 50, 233, 24);
      Button->SetStyle(TKitUserButtonStyle::ubsExplorer);
      Button->SetEnterColor(clLime);
      Button->SetEnterColorChange(true);
      Button->Font.SetName("Times New Roman");
      Button->Font.SetHeight(-19);
      Button->Font.SetStyle({fsBold});
      Button->Font.SetColor(clYellow);
      Button->FontFX().SetStyle(TKitThreeDStyle::tdSunkenShadow);
      Button->FontFX().SetLightColor(clBlack);
      Button->FontFX().SetShadowColor(clBlack);
      Button->SetCaption("Menu entry " + std::to_string(I + 1));
    }
    Root.UpdateWindow();
  }
};

void BM_FullFacePaint(benchmark::State& State) {
  TMenuFace Face;
  for (auto _ : State) {
    Face.Root.InvalidateWindowRect({0, 0, Width, Height});
    Face.Root.UpdateWindow();
  }
}
BENCHMARK(BM_FullFacePaint)->Unit(benchmark::kMicrosecond);

// The pointer enters the first button and leaves it again: two repaints of the button.
void BM_HoverRepaint(benchmark::State& State) {
  TMenuFace Face;
  for (auto _ : State) {
    Face.Root.WindowMouseMove({}, 100, 50);
    Face.Root.WindowMouseMove({}, 600, 20);
    Face.Root.UpdateWindow();
  }
  State.counters["repaints"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariant);
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
