// The scaled menu's face as drawn: frames of hot and pressed faces as wide as the scale, captions
// drawn by the text engine at the scaled height, and a shrunk picture averaged, not sampled.
#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "app/MenuScale.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessDriver.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

namespace {

constexpr TPixel Black = Rgb(0, 0, 0);

// One menu on its own headless display at a scale: a black 64 x 48 picture with a yellow "H"
// button at (5, 6), 25 x 15.
class TScaledMenu {
 public:
  explicit TScaledMenu(double Scale, const std::string& Caption = "H") {
    System.Scale = Scale;
    App.SetExeName(Dir.File("ostrel"));
    TBitmap(64, 48).SaveToFile(Dir.File("menu.bmp"));
    Dir.Write(
        "menu.ini",
        "[Main]\nProgCount=1\n[Prog_1]\nX=5\nY=6\nWidth=25\nHeight=15\nButtonText=" + Caption +
            "\nFontInfo=Arial,14,B,0,clYellow,0\nExePath=" + Dir.Write("tool.sh", "#!/bin/sh\n") +
            "\nTerminateAfterStart=0\n");
    Form = App.CreateForm<TForm1>(MenuFolder());
    Form->Show();
  }

  // The face with the pointer over the button's centre, held down when Down.
  const TBitmap& Posed(bool Down) {
    const TRect Place = Form->btnTemplate->BoundsRect();
    const int X = (Place.Left + Place.Right) / 2, Y = (Place.Top + Place.Bottom) / 2;
    Form->WindowMouseMove({}, X, Y);
    if (Down) Form->WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, X, Y);
    Form->UpdateWindow();
    return Form->BackBuffer();
  }

  // The face with the pointer away.
  const TBitmap& AtRest() {
    Form->UpdateWindow();
    return Form->BackBuffer();
  }

  // The box of the caption's yellow pixels, the pointer away.
  TRect CaptionBounds() {
    const TBitmap& Face = AtRest();
    TRect Box{Face.Width(), Face.Height(), 0, 0};
    for (int Y = 0; Y < Face.Height(); ++Y)
      for (int X = 0; X < Face.Width(); ++X) {
        const TPixel P = Face.Pixel(X, Y);
        if (((P >> 16) & 0xFF) < 128 || ((P >> 8) & 0xFF) < 128 || (P & 0xFF) > 96) continue;
        Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
               std::max(Box.Bottom, Y + 1)};
      }
    return Box;
  }

  TTempDir Dir;
  THeadlessDriver System;
  TApplication App{System};
  TForm1* Form = nullptr;
};

// How many pixels of the frame lie along the middle of each side before the picture shows.
struct TFrameWidths {
  int Left, Top, Right, Bottom;
};

TFrameWidths FrameWidths(const TBitmap& Face, const TRect& Button) {
  const int MidX = (Button.Left + Button.Right) / 2, MidY = (Button.Top + Button.Bottom) / 2;
  TFrameWidths W{0, 0, 0, 0};
  while (Face.Pixel(Button.Left + W.Left, MidY) != Black) ++W.Left;
  while (Face.Pixel(MidX, Button.Top + W.Top) != Black) ++W.Top;
  while (Face.Pixel(Button.Right - 1 - W.Right, MidY) != Black) ++W.Right;
  while (Face.Pixel(MidX, Button.Bottom - 1 - W.Bottom) != Black) ++W.Bottom;
  return W;
}

TEST(MenuScaleRenderTest, HotAndPressedFramesAreTwoPixelsWideAtScaleTwo) {
  for (const bool Down : {false, true}) {
    SCOPED_TRACE(Down ? "pressed" : "hot");
    TScaledMenu Menu(2, "");
    const TRect Button = Menu.Form->btnTemplate->BoundsRect();
    ASSERT_EQ(Button, Bounds(10, 12, 50, 30));
    const TBitmap& Face = Menu.Posed(Down);
    const TFrameWidths W = FrameWidths(Face, Button);
    EXPECT_EQ(W.Left, 2);
    EXPECT_EQ(W.Top, 2);
    EXPECT_EQ(W.Right, 2);
    EXPECT_EQ(W.Bottom, 2);
    // Both lines of a side are the same colour, as one line twice as thick.
    EXPECT_EQ(Face.Pixel(10, 27), Face.Pixel(11, 27));
    EXPECT_EQ(Face.Pixel(59, 27), Face.Pixel(58, 27));
    EXPECT_NE(Face.Pixel(10, 27), Face.Pixel(59, 27)) << "light and shadow sides";
    EXPECT_EQ(PixelsNotEqualOutside(Face, Button, Black), "");
  }
}

TEST(MenuScaleRenderTest, AtScaleOneTheFrameStaysOnePixel) {
  TScaledMenu Menu(1, "");
  const TFrameWidths W = FrameWidths(Menu.Posed(false), Menu.Form->btnTemplate->BoundsRect());
  EXPECT_EQ(W.Left + W.Top + W.Right + W.Bottom, 4);
}

TEST(MenuScaleRenderTest, CaptionsAreDrawnAtTwiceTheHeightNotEnlargedAfterwards) {
  const TRect Small = TScaledMenu(1).CaptionBounds();
  const TRect Large = TScaledMenu(2).CaptionBounds();
  ASSERT_GT(Small.Height(), 5);
  EXPECT_NEAR(Large.Height(), 2 * Small.Height(), 2);
  EXPECT_NEAR(Large.Width(), 2 * Small.Width(), 2);
  // A glyph drawn at its size has one-pixel stems' worth of edge: an enlarged picture of the
  // small one would have its anti-aliased edges two pixels wide. The stems are solid yellow.
  TScaledMenu Menu(2);
  const TBitmap& Face = Menu.AtRest();
  const int Row = Large.Top + Large.Height() / 4;
  int Partial = 0;
  for (int X = Large.Left; X < Large.Right; ++X) {
    const TPixel P = Face.Pixel(X, Row);
    const int Red = (P >> 16) & 0xFF;
    if (Red > 0 && Red < 200) ++Partial;
  }
  EXPECT_LE(Partial, 4) << "at most one blended pixel at each edge of the two stems";
}

TEST(MenuScaleRenderTest, APictureShrunkToTheScreenIsAveragedAndItsButtonsFollow) {
  TTempDir Dir;
  THeadlessDriver System;
  TApplication App(System);
  App.SetExeName(Dir.File("ostrel"));
  // One-pixel black and white columns, which sampling would turn into plain black or white.
  TBitmap Picture(1920, 1080);
  for (int Y = 0; Y < 1080; ++Y)
    for (int X = 1; X < 1920; X += 2) Picture.SetPixel(X, Y, Rgb(255, 255, 255));
  Picture.SaveToFile(Dir.File("menu.bmp"));
  Dir.Write("menu.ini",
            "[Main]\nProgCount=1\n[Prog_1]\nX=960\nY=540\nWidth=480\nHeight=270\n"
            "ExePath=" +
                Dir.Write("tool.sh", "#!/bin/sh\n") + "\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  ASSERT_EQ(Form->ClientWidth(), 1024);
  ASSERT_EQ(Form->ClientHeight(), 576);
  Form->UpdateWindow();
  const TBitmap& Face = Form->BackBuffer();
  for (const TPoint P : {TPoint{0, 0}, TPoint{300, 100}, TPoint{1023, 575}}) {
    const int Level = Face.Pixel(P.X, P.Y) & 0xFF;
    EXPECT_GT(Level, 80) << P.X << "," << P.Y;
    EXPECT_LT(Level, 176) << P.X << "," << P.Y;
  }
  EXPECT_EQ(Form->btnTemplate->BoundsRect(), Bounds(512, 288, 256, 144));
  Form->WindowMouseMove({}, 600, 300);
  Form->UpdateWindow();
  EXPECT_EQ(Face.Pixel(512, 360), Rgb(255, 255, 255)) << "the hot frame's light side";
}

}  // namespace
