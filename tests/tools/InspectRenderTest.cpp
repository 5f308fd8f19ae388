// ostrel-inspect --render: the saved face of the menu window, plain, hot and held, and its errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/Colors.h"
#include "framework/Bitmap.h"
#include "framework/ColorToRGB.h"
#include "platform/PngDecoder.h"
#include "support/Pixels.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace {

TProgramRun RunInspect(const std::string& Arguments) {
  return RunProgram(OSTREL_INSPECT_EXE, Arguments);
}

TPixel PixelFor(TColor Color) {
  const TColor Value = ColorToRGB(Color);
  return Rgb(Value & 0xFF, (Value >> 8) & 0xFF, (Value >> 16) & 0xFF);
}

constexpr int Width = 80, Height = 60;
// The first entry's button; the second lies below it.
const TRect First = Bounds(6, 5, 50, 16);
const TRect Second = Bounds(6, 30, 50, 16);

// Every pixel of the background differs from its neighbours, so a shifted or stretched face
// shows.
TPixel BackgroundAt(int X, int Y) {
  return Rgb(40 + X * 2, 30 + Y * 3, 90);
}

class InspectRenderTest : public testing::Test {
 protected:
  void SetUp() override {
    TBitmap Background(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X) Background.SetPixel(X, Y, BackgroundAt(X, Y));
    Background.SaveToFile(Dir.File("menu.bmp"));
    Dir.Write("menu.ini",
              "[Main]\nProgCount=2\n[Prog_1]\nX=6\nY=5\nWidth=50\nHeight=16\n"
              "ButtonText=Go\nExePath=" +
                  Dir.Write("go.sh", "#!/bin/sh\n") +
                  "\n[Prog_2]\nX=6\nY=30\nWidth=50\nHeight=16\nButtonText=No\n"
                  "ExePath=missing.exe\n");
  }

  // Renders with Options and decodes the picture; fails the test when either goes wrong.
  TPngImage Render(const std::string& Options) {
    TPngImage Image;
    TProgramRun Run =
        RunInspect("--render " + Dir.File("face.png") + " " + Options + " " + Dir.Path());
    EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
    EXPECT_TRUE(DecodePng(ReadAll(Dir.File("face.png")), Image));
    return Image;
  }

  TTempDir Dir;
};

TPixel At(const TPngImage& Image, int X, int Y) {
  return Image.Pixels[static_cast<std::size_t>(Y) * Image.Width + X] & 0xFFFFFF;
}

// The pixels where Image differs from the background, within Area or outside both buttons.
std::string Changed(const TPngImage& Image, const TRect* Area) {
  std::string Out;
  for (int Y = 0; Y < Image.Height; ++Y)
    for (int X = 0; X < Image.Width; ++X) {
      const TPoint Point{X, Y};
      const bool Inside =
          Area ? Area->Contains(Point) : !First.Contains(Point) && !Second.Contains(Point);
      if (Inside && At(Image, X, Y) != BackgroundAt(X, Y))
        Out += std::to_string(X) + "," + std::to_string(Y) + " ";
    }
  return Out;
}

// The one-pixel ring along the edge of Rect.
std::string EdgeChanged(const TPngImage& Image, const TRect& Rect) {
  std::string Out;
  for (const TRect& Side : {Bounds(Rect.Left, Rect.Top, Rect.Right - Rect.Left, 1),
                            Bounds(Rect.Left, Rect.Bottom - 1, Rect.Right - Rect.Left, 1),
                            Bounds(Rect.Left, Rect.Top, 1, Rect.Bottom - Rect.Top),
                            Bounds(Rect.Right - 1, Rect.Top, 1, Rect.Bottom - Rect.Top)})
    Out += Changed(Image, &Side);
  return Out;
}

TEST_F(InspectRenderTest, PlainFaceIsTheBackgroundWithFramelessButtons) {
  TPngImage Image = Render("");
  ASSERT_EQ(Image.Width, Width);
  ASSERT_EQ(Image.Height, Height);
  EXPECT_EQ(Changed(Image, nullptr), "");
  EXPECT_EQ(EdgeChanged(Image, First), "");
  EXPECT_NE(Changed(Image, &First), "") << "the caption is drawn";
  EXPECT_NE(Changed(Image, &Second), "") << "the disabled caption is drawn";
}

TEST_F(InspectRenderTest, HotAndHeldButtonsShowTheirFrames) {
  TPngImage Hot = Render("--hot 0");
  ASSERT_EQ(Hot.Width, Width);
  ASSERT_EQ(Hot.Height, Height);
  EXPECT_EQ(Changed(Hot, nullptr), "");
  EXPECT_EQ(At(Hot, First.Left, First.Top), PixelFor(clBtnHighlight));
  EXPECT_NE(At(Hot, First.Left, First.Top), BackgroundAt(First.Left, First.Top));
  EXPECT_EQ(EdgeChanged(Hot, Second), "") << "only the chosen button is hot";

  TPngImage Down = Render("--down 0");
  ASSERT_EQ(Down.Pixels.size(), Hot.Pixels.size());
  EXPECT_NE(Down.Pixels, Hot.Pixels);
  EXPECT_EQ(At(Down, First.Left, First.Top), PixelFor(clBtnShadow));
  EXPECT_EQ(Changed(Down, nullptr), "");
}

TEST_F(InspectRenderTest, APngBackgroundRendersAsTheSamePictureAsABitmap) {
  const TPngImage FromBitmap = Render("--hot 0");
  TBitmap Background;
  Background.LoadFromFile(Dir.File("menu.bmp"));
  Background.SaveToPngFile(Dir.File("picture.png"));
  std::remove(Dir.File("menu.bmp").c_str());
  std::string Ini = ReadAll(Dir.File("menu.ini"));
  Ini.insert(Ini.find('\n') + 1, "Background=picture.png\n");
  Dir.Write("menu.ini", Ini);
  const TPngImage FromPng = Render("--hot 0");
  ASSERT_EQ(FromPng.Width, Width);
  ASSERT_EQ(FromPng.Height, Height);
  EXPECT_EQ(Changed(FromPng, nullptr), "");
  std::string Differences;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      if (At(FromPng, X, Y) != At(FromBitmap, X, Y) && Differences.size() < 200)
        Differences += std::to_string(X) + "," + std::to_string(Y) + " ";
  EXPECT_EQ(Differences, "");
}

TEST_F(InspectRenderTest, AtScaleTwoTheFaceIsTwiceAsLargeWithTwoPixelFrames) {
  TPngImage Hot = Render("--hot 0 --scale 2");
  ASSERT_EQ(Hot.Width, 2 * Width);
  ASSERT_EQ(Hot.Height, 2 * Height);
  const TRect Button = Bounds(12, 10, 100, 32);
  for (int I = 0; I < 2; ++I) {
    EXPECT_EQ(At(Hot, Button.Left + I, Button.Top + 16), PixelFor(clBtnHighlight));
    EXPECT_EQ(At(Hot, Button.Left + 50, Button.Top + I), PixelFor(clBtnHighlight));
    EXPECT_EQ(At(Hot, Button.Right - 1 - I, Button.Top + 16), PixelFor(clBtnShadow));
    EXPECT_EQ(At(Hot, Button.Left + 50, Button.Bottom - 1 - I), PixelFor(clBtnShadow));
  }
  EXPECT_NE(At(Hot, Button.Left + 2, Button.Top + 16), PixelFor(clBtnHighlight));
  // The background is enlarged smoothly: between two pixels' centres their colours blend.
  EXPECT_EQ(At(Hot, 0, 0), BackgroundAt(0, 0));
  const TPixel Blend = At(Hot, 61, 50);
  EXPECT_GT((Blend >> 16) & 0xFF, (BackgroundAt(30, 25) >> 16) & 0xFF);
  EXPECT_LT((Blend >> 16) & 0xFF, (BackgroundAt(31, 25) >> 16) & 0xFF);
}

TEST_F(InspectRenderTest, AScaleIsAQuarterStepFromOneToFour) {
  EXPECT_EQ(Render("--scale 1.25").Width, 100);
  EXPECT_EQ(Render("--scale 1").Width, Width);
  const std::string Png = Dir.File("face.png");
  for (const std::string Scale : {"0.5", "5", "x", "-2", ""})
    EXPECT_EQ(RunInspect("--render " + Png + " --scale " + Scale + " " + Dir.Path()).ExitCode, 2)
        << Scale;
  EXPECT_EQ(RunInspect("--scale 2 " + Dir.Path()).ExitCode, 2);
}

TEST_F(InspectRenderTest, MissingOrDisabledEntriesAndBadArgumentsExitWithTwo) {
  const std::string Png = Dir.File("face.png");
  TProgramRun Missing = RunInspect("--render " + Png + " --hot 2 " + Dir.Path());
  EXPECT_EQ(Missing.ExitCode, 2);
  EXPECT_NE(Missing.Output.find("entry 2 does not exist"), std::string::npos) << Missing.Output;
  TProgramRun Disabled = RunInspect("--render " + Png + " --down 1 " + Dir.Path());
  EXPECT_EQ(Disabled.ExitCode, 2);
  EXPECT_NE(Disabled.Output.find("entry 1 is disabled"), std::string::npos) << Disabled.Output;
  EXPECT_TRUE(ReadAll(Png).empty()) << "nothing is saved for a refused pose";

  for (const std::string& Arguments :
       {"--render " + Png, "--render " + Png + " --hot " + Dir.Path(),
        "--render " + Png + " --hot -1 " + Dir.Path(),
        "--render " + Png + " --hot 1x " + Dir.Path(),
        "--render " + Png + " --hot 0 --down 0 " + Dir.Path(), "--hot 0 " + Dir.Path(),
        "--json --render " + Png + " " + Dir.Path(),
        "--render " + Png + " " + Dir.Write("other.ini", "[Main]\n")})
    EXPECT_EQ(RunInspect(Arguments).ExitCode, 2) << Arguments;
}

TEST_F(InspectRenderTest, AMissingBackgroundExitsWithOne) {
  Dir.Write("menu.ini", "[Main]\nBackground=none.bmp\n");
  TProgramRun Run = RunInspect("--render " + Dir.File("face.png") + " " + Dir.Path());
  EXPECT_EQ(Run.ExitCode, 1);
  EXPECT_NE(Run.Output.find("Cannot open file " + Dir.File("none.bmp") + ".\n"), std::string::npos)
      << Run.Output;
}

}  // namespace
