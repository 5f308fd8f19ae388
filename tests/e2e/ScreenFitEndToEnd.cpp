// The menu program on a screen smaller than its picture and at a chosen scale, under a window
// manager: the window lies wholly on the screen, centred with its frame, and its buttons start
// their targets where they are drawn.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <cmath>
#include <string>
#include <vector>

#include "e2e/EndToEndFixture.h"

namespace {

constexpr int ScreenWidth = 1280, ScreenHeight = 1024;

// The client area and frame of a shown window, in screen pixels.
struct TShownWindow {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  // The frame's sides as the window manager reports them: left, right, top, bottom.
  std::vector<long> Frame;
};

TShownWindow ShownWindow(Display* Dpy, ::Window W) {
  TShownWindow Shown;
  XWindowAttributes Attributes{};
  XGetWindowAttributes(Dpy, W, &Attributes);
  Shown.Width = Attributes.width;
  Shown.Height = Attributes.height;
  ::Window Child = 0;
  XTranslateCoordinates(Dpy, W, DefaultRootWindow(Dpy), 0, 0, &Shown.Left, &Shown.Top, &Child);
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  if (XGetWindowProperty(Dpy, W, XInternAtom(Dpy, "_NET_FRAME_EXTENTS", False), 0, 4, False,
                         XA_CARDINAL, &Type, &Format, &Count, &After, &Data) == Success &&
      Data && Count == 4) {
    const auto* Sides = reinterpret_cast<const long*>(Data);
    Shown.Frame.assign(Sides, Sides + 4);
  }
  if (Data) XFree(Data);
  return Shown;
}

class ScreenFitEndToEndTest : public EndToEndTest {
 protected:
  static void SetUpTestSuite() {
    if (!XvfbInstalled() || !OnPath("xdotool")) return;
    Server = std::make_unique<TXvfb>(std::to_string(ScreenWidth) + "x" +
                                     std::to_string(ScreenHeight) + "x24");
    if (Server->Name().empty() || !OnPath("openbox")) return;
    WindowManager = StartWindowManager(Server->Name());
  }

  void SetUp() override {
    EndToEndTest::SetUp();
    if (!IsSkipped() && !HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  }

  // A menu of Width x Height with one button at Place that writes the marker "ran".
  void WriteSizedMenu(int Width, int Height, const TButtonPlace& Place) {
    WriteBackground(Folder.File("menu.bmp"), Width, Height);
    Folder.Write("menu.ini",
                 MenuIni("menu.bmp", AppName, AppTaskName,
                         {{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, Place}}, "\n"));
  }

  // The frame's gaps to the screen's edges: left and right alike, top and bottom alike.
  static void ExpectCentredOnScreen(const TShownWindow& Shown) {
    ASSERT_EQ(Shown.Frame.size(), 4u) << "the window manager gives the frame";
    const long Left = Shown.Left - Shown.Frame[0], Top = Shown.Top - Shown.Frame[2];
    const long Right = ScreenWidth - (Shown.Left + Shown.Width + Shown.Frame[1]);
    const long Bottom = ScreenHeight - (Shown.Top + Shown.Height + Shown.Frame[3]);
    EXPECT_GE(Left, 0);
    EXPECT_GE(Top, 0);
    EXPECT_GE(Right, 0);
    EXPECT_GE(Bottom, 0);
    EXPECT_NEAR(Left, Right, 1);
    EXPECT_NEAR(Top, Bottom, 1);
  }
};

TEST_F(ScreenFitEndToEndTest, AMenuLargerThanTheScreenIsShrunkOntoItAndItsButtonsWork) {
  const TButtonPlace Designed{1500, 900, 300, 120};
  WriteSizedMenu(1920, 1080, Designed);
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const TShownWindow Shown = ShownWindow(Probe, W);
  EXPECT_LE(Shown.Width, ScreenWidth);
  EXPECT_LT(Shown.Width, 1920);
  // Shrunk whole: the picture keeps its shape.
  const double Scale = Shown.Width / 1920.0;
  EXPECT_NEAR(Shown.Height, 1080 * Scale, 1);
  ExpectCentredOnScreen(Shown);
  const TButtonPlace Drawn{static_cast<int>(std::lround(Designed.X * Scale)),
                           static_cast<int>(std::lround(Designed.Y * Scale)),
                           static_cast<int>(std::lround(Designed.Width * Scale)),
                           static_cast<int>(std::lround(Designed.Height * Scale))};
  Click(W, Drawn);
  EXPECT_TRUE(MarkerWritten("ran"));
}

TEST_F(ScreenFitEndToEndTest, ScaleTwoGivesAWindowTwiceTheSizeWhoseButtonsWork) {
  WriteSizedMenu(MenuWidth, MenuHeight, FirstButton);
  TScopedEnv Scale("OSTREL_SCALE", "2");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const TShownWindow Shown = ShownWindow(Probe, W);
  EXPECT_EQ(Shown.Width, 2 * MenuWidth);
  EXPECT_EQ(Shown.Height, 2 * MenuHeight);
  ExpectCentredOnScreen(Shown);
  Click(W, {2 * FirstButton.X, 2 * FirstButton.Y, 2 * FirstButton.Width, 2 * FirstButton.Height});
  EXPECT_TRUE(MarkerWritten("ran"));
}

TEST_F(ScreenFitEndToEndTest, AMenuThatFitsKeepsItsSizeAndIsCentredWithItsFrame) {
  WriteSizedMenu(MenuWidth, MenuHeight, FirstButton);
  TScopedEnv Scale("OSTREL_SCALE", "not a number");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const TShownWindow Shown = ShownWindow(Probe, W);
  EXPECT_EQ(Shown.Width, MenuWidth);
  EXPECT_EQ(Shown.Height, MenuHeight);
  ExpectCentredOnScreen(Shown);
}

}  // namespace
