// Where a centred form goes: the monitor holding the pointer, inside the desktop's work area,
// with the window manager's frame counted in.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

class FormPlacementTest : public testing::Test {
 protected:
  // The client origin the headless window was shown at, for a centred form of that size.
  TPoint ShownAt(int Width, int Height) {
    auto* Form = new TForm(&App);
    Form->Position = TPosition::poScreenCenter;
    Form->SetBounds(0, 0, Width, Height);
    Form->Show();
    const THeadlessWindow* Window = System.Windows().back();
    return {Window->OriginX, Window->OriginY};
  }

  THeadlessDriver System;
  TApplication App{System};
};

TEST_F(FormPlacementTest, WithoutAFrameTheClientAreaIsCentredOnTheScreen) {
  EXPECT_EQ(ShownAt(200, 100), (TPoint{(1024 - 200) / 2, (768 - 100) / 2}));
}

TEST_F(FormPlacementTest, TheWholeWindowFrameIncludedIsCentred) {
  // A caption 24 pixels high and borders of 2: the client area sits lower by half the
  // difference between the top and bottom frames.
  System.Frame = {2, 24, 2, 2};
  const TPoint Origin = ShownAt(200, 100);
  EXPECT_EQ(Origin.X - 2, (1024 - 204) / 2);
  EXPECT_EQ(Origin.Y - 24, (768 - 126) / 2);
  // Equal room on either side of the frame.
  EXPECT_EQ(Origin.X - 2, 1024 - (Origin.X + 200 + 2));
  EXPECT_EQ(Origin.Y - 24, 768 - (Origin.Y + 100 + 2));
}

TEST_F(FormPlacementTest, TheMonitorHoldingThePointerAndItsWorkAreaAreUsed) {
  System.ScreenWidth = 3200;
  System.ScreenHeight = 1200;
  System.Monitors = {Bounds(0, 0, 1280, 1024), Bounds(1280, 0, 1920, 1200)};
  System.WorkArea = {0, 40, 3200, 1200};
  System.Frame = {1, 20, 1, 1};
  System.MovePointer(2000, 600);
  const TPoint Origin = ShownAt(400, 300);
  EXPECT_EQ(Origin.X - 1, 1280 + (1920 - 402) / 2);
  EXPECT_EQ(Origin.Y - 20, 40 + (1160 - 321) / 2);
  System.MovePointer(5, 5);
  EXPECT_EQ(ShownAt(400, 300), (TPoint{(1280 - 402) / 2 + 1, 40 + (984 - 321) / 2 + 20}));
}

TEST_F(FormPlacementTest, AWindowLargerThanTheAreaKeepsItsCaptionOnIt) {
  System.WorkArea = {0, 30, 1024, 768};
  System.Frame = {3, 22, 3, 3};
  EXPECT_EQ(ShownAt(1100, 900), (TPoint{3, 30 + 22}));
}

TEST(CentredClientOriginTest, CentresTheOuterRectangleInTheArea) {
  EXPECT_EQ(CentredClientOrigin(Bounds(100, 50, 1000, 800), {4, 30, 4, 4}, 600, 400),
            (TPoint{100 + (1000 - 608) / 2 + 4, 50 + (800 - 434) / 2 + 30}));
  EXPECT_EQ(CentredClientOrigin(Bounds(0, 0, 1280, 1024), {}, 1280, 1024), (TPoint{0, 0}));
}

}  // namespace
