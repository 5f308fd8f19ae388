// A sheet of every frame style, bevel mode, caption style and disabled look, written as
// test-sheet.png so that a person can look at what the routines draw.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/draw/KitBevel.h"
#include "controls/draw/KitDrawText.h"
#include "controls/draw/KitFrames.h"
#include "controls/draw/KitFxCaption.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Driver.h"
#include "platform/PngDecoder.h"

namespace {

constexpr unsigned Label = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

void Caption(TCanvas& Canvas, const std::string& Text, TRect Rect) {
  Canvas.Font.SetName("Arial");
  Canvas.Font.SetHeight(-11);
  Canvas.Font.SetStyle({});
  Canvas.Font.SetColor(clBlack);
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Canvas.DrawText(Text, Rect, Label);
}

// Draws the fifteen standard frames and the 3D frame routines in a grid; returns the rows used.
int DrawFrames(TCanvas& Canvas, int Top) {
  const std::vector<std::pair<const char*, TKitBorderStyle>> Styles{
      {"lsNone", TKitBorderStyle::lsNone},
      {"lsSingle", TKitBorderStyle::lsSingle},
      {"lsLowered", TKitBorderStyle::lsLowered},
      {"lsRaised", TKitBorderStyle::lsRaised},
      {"lsRaisedspb", TKitBorderStyle::lsRaisedspb},
      {"lsLoweredspb", TKitBorderStyle::lsLoweredspb},
      {"lsRaisedExt", TKitBorderStyle::lsRaisedExt},
      {"lsLoweredExt", TKitBorderStyle::lsLoweredExt},
      {"lsFrameInset", TKitBorderStyle::lsFrameInset},
      {"lsFrameOffset", TKitBorderStyle::lsFrameOffset},
      {"lsWindowBorder", TKitBorderStyle::lsWindowBorder},
      {"lsSingleRaised", TKitBorderStyle::lsSingleRaised},
      {"lsSingleLowered", TKitBorderStyle::lsSingleLowered},
      {"lsDoubleRaised", TKitBorderStyle::lsDoubleRaised},
      {"lsDoubleLowered", TKitBorderStyle::lsDoubleLowered}};
  for (std::size_t I = 0; I < Styles.size(); ++I) {
    int Left = 10 + static_cast<int>(I % 5) * 150;
    int Y = Top + static_cast<int>(I / 5) * 60;
    Caption(Canvas, Styles[I].first, {Left, Y, Left + 140, Y + 14});
    TRect Frame{Left, Y + 16, Left + 120, Y + 50};
    KitDrawStdFrame(Canvas, Frame, Styles[I].second, 0);
  }
  Top += 3 * 60;
  const std::vector<std::pair<const char*, TKitBevelStyle>> Bevels{
      {"bvLowered", TKitBevelStyle::bvLowered},
      {"bvRaised", TKitBevelStyle::bvRaised},
      {"bvFrameLowered", TKitBevelStyle::bvFrameLowered},
      {"bvFrameRaised", TKitBevelStyle::bvFrameRaised},
      {"bvNormal", TKitBevelStyle::bvNormal}};
  for (int Width : {1, 4}) {
    for (std::size_t I = 0; I < Bevels.size(); ++I) {
      int Left = 10 + static_cast<int>(I) * 150;
      Caption(Canvas, std::string(Bevels[I].first) + " " + std::to_string(Width),
              {Left, Top, Left + 140, Top + 14});
      TRect Frame{Left, Top + 16, Left + 120, Top + 50};
      KitDrawFrame3D(Canvas, Frame, Bevels[I].second, clBtnHighlight, clBtnShadow, Width);
    }
    Top += 60;
  }
  Caption(Canvas, "frame shadow", {10, Top, 150, Top + 14});
  TRect Shadow{10, Top + 16, 130, Top + 50};
  KitDrawFrameShadow(Canvas, Shadow, clBtnHighlight, clBtnShadow, clBtnFace, 4, 1, false);
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmEdge);
  Bevel.SetEdgeStyle(TKitEdgeStyle::etBump);
  Caption(Canvas, "bevel bmEdge etBump", {160, Top, 300, Top + 14});
  Bevel.PaintBevel(Canvas, {160, Top + 16, 280, Top + 50}, false);
  return Top + 60;
}

int DrawCaptions(TCanvas& Canvas, int Top) {
  const std::vector<std::pair<const char*, TKitThreeDStyle>> Styles{
      {"tdNone", TKitThreeDStyle::tdNone},
      {"tdSunken", TKitThreeDStyle::tdSunken},
      {"tdRaised", TKitThreeDStyle::tdRaised},
      {"tdSunkenShadow", TKitThreeDStyle::tdSunkenShadow},
      {"tdRaisedShadow", TKitThreeDStyle::tdRaisedShadow},
      {"tdPColorSunken", TKitThreeDStyle::tdPColorSunken},
      {"tdPColorRaised", TKitThreeDStyle::tdPColorRaised},
      {"tdShadow", TKitThreeDStyle::tdShadow},
      {"tdOutline", TKitThreeDStyle::tdOutline},
      {"tdExtrude", TKitThreeDStyle::tdExtrude},
      {"tdExtrudeEnh", TKitThreeDStyle::tdExtrudeEnh}};
  for (std::size_t I = 0; I < Styles.size(); ++I) {
    int Left = 10 + static_cast<int>(I % 3) * 250;
    int Y = Top + static_cast<int>(I / 3) * 44;
    TKitFxCaption Effect;
    Effect.SetStyle(Styles[I].second);
    Effect.SetLightColor(clWhite);
    Effect.SetShadowColor(clNavy);
    Effect.SetShadowDepth(Styles[I].second == TKitThreeDStyle::tdExtrudeEnh ? 5 : 2);
    Canvas.Font.SetName("Times New Roman");
    Canvas.Font.SetHeight(-26);
    Canvas.Font.SetStyle({fsBold});
    Canvas.Font.SetColor(clYellow);
    Canvas.Brush.Color = clMaroon;
    KitDrawText(Canvas, Styles[I].first, &Effect, {Left, Y, Left + 240, Y + 40},
                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  Top += 4 * 44;
  const std::vector<std::pair<const char*, TKitDisabledStyle>> Looks{
      {"&dsAuto", TKitDisabledStyle::dsAuto},
      {"ds&Standard", TKitDisabledStyle::dsStandard},
      {"ds&3d", TKitDisabledStyle::ds3d},
      {"ds&None", TKitDisabledStyle::dsNone}};
  for (std::size_t I = 0; I < Looks.size(); ++I) {
    int Left = 10 + static_cast<int>(I) * 185;
    TKit3DCaption Effect;
    Effect.SetStyle(TKitThreeDStyle::tdSunkenShadow);
    Effect.SetLightColor(clBlack);
    Effect.SetShadowColor(clBlack);
    Effect.SetDisabledStyle(Looks[I].second);
    Canvas.Font.SetColor(clYellow);
    KitDrawTextExt(Canvas, Looks[I].first, &Effect, {Left, Top, Left + 180, Top + 40},
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE, {TKitDrawTextStyle::dt3DDisabled},
                   nullptr);
  }
  return Top + 50;
}

TEST(TestSheet, EveryStyleDrawnAndWrittenAsPng) {
  TBitmap Sheet(770, 700);
  TCanvas& Canvas = Sheet.Canvas();
  Canvas.Brush.Color = clBtnFace;
  Canvas.FillRect({0, 0, Sheet.Width(), Sheet.Height()});
  int Top = DrawFrames(Canvas, 10);
  Top = DrawCaptions(Canvas, Top);
  ASSERT_LE(Top, Sheet.Height());

  Sheet.SaveToPngFile("test-sheet.png");
  std::string Bytes;
  ASSERT_EQ(Driver().Files().ReadFileBytes("test-sheet.png", 64u << 20, Bytes),
            TReadStatus::rsRead);
  TPngImage Image;
  ASSERT_TRUE(DecodePng(Bytes, Image));
  ASSERT_EQ(Image.Width, Sheet.Width());
  ASSERT_EQ(Image.Height, Sheet.Height());
  for (int Y = 0; Y < Sheet.Height(); ++Y)
    for (int X = 0; X < Sheet.Width(); ++X)
      ASSERT_EQ(Image.Pixels[static_cast<std::size_t>(Y) * Image.Width + X] & 0xFFFFFF,
                Sheet.Pixel(X, Y))
          << X << "," << Y;
}

}  // namespace
