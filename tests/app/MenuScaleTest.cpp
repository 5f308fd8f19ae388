// The menu drawn at the desktop's scale and fitted to the pointer's monitor: the window, the
// buttons, their fonts and frames are scaled once, and the buttons take the pointer where they
// are drawn.
#include "app/MenuScale.h"

#include <gtest/gtest.h>

#include <string>

#include "MenuWindowFixture.h"
#include "app/MainForm.h"

namespace {

class MenuScaleTest : public TMenuWindowFixture {
 protected:
  // A 64 x 48 menu with two buttons side by side, the second starting a script.
  TForm1* MakeMenu() {
    WriteBackground(64, 48);
    Target = Dir.Write("two.sh", "#!/bin/sh\n");
    Dir.Write("menu.ini",
              "[Main]\nProgCount=2\n"
              "[Prog_1]\nX=5\nY=6\nWidth=25\nHeight=15\nFontInfo=Arial,14,B,0,clYellow,0\n"
              "ExePath=" +
                  Target +
                  "\nTerminateAfterStart=0\n"
                  "[Prog_2]\nX=30\nY=6\nWidth=25\nHeight=15\nFontInfo=Arial,11,,0,clWhite,0\n"
                  "ExePath=" +
                  Target + "\nTerminateAfterStart=0\n");
    auto* Form = App.CreateForm<TForm1>(MenuFolder());
    Form->Show();
    return Form;
  }

  // A left click at a window point, through the window's own pointer handling.
  void Click(TForm1& Form, int X, int Y) {
    Form.WindowMouseMove({}, X, Y);
    Form.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, X, Y);
    Form.WindowMouseUp(TMouseButton::mbLeft, {}, X, Y);
  }

  TKitSpeedButton* Button(TForm1& Form, int Index) {
    return dynamic_cast<TKitSpeedButton*>(ButtonOf(Form, Index));
  }

  std::string Target;
};

TEST_F(MenuScaleTest, AtScaleOneTheMenuIsAsDesigned) {
  TForm1* Form = MakeMenu();
  EXPECT_EQ(Form->Scale(), 1.0);
  EXPECT_EQ(Form->ClientWidth(), 64);
  EXPECT_EQ(Button(*Form, 0)->BoundsRect(), Bounds(5, 6, 25, 15));
  EXPECT_EQ(Button(*Form, 0)->Font.Height(), Form->MenuInfo().ProgInfo(0)->FontInfo.Height());
  EXPECT_EQ(Button(*Form, 0)->FrameWidth(), 1);
  EXPECT_EQ(Button(*Form, 1)->FontFX().ShadowDepth(), 1);
}

TEST_F(MenuScaleTest, AtScaleTwoEverythingIsTwiceAsLarge) {
  System.Scale = 2;
  TForm1* Form = MakeMenu();
  EXPECT_EQ(Form->Scale(), 2.0);
  EXPECT_EQ(Form->ClientWidth(), 128);
  EXPECT_EQ(Form->ClientHeight(), 96);
  EXPECT_EQ(System.Windows().front()->Width(), 128);
  EXPECT_EQ(Form->BackBuffer().Height(), 96);
  EXPECT_EQ(Button(*Form, 0)->BoundsRect(), Bounds(10, 12, 50, 30));
  EXPECT_EQ(Button(*Form, 1)->BoundsRect(), Bounds(60, 12, 50, 30));
  for (int I = 0; I < 2; ++I) {
    const int Designed = Form->MenuInfo().ProgInfo(I)->FontInfo.Height();
    EXPECT_LT(Designed, 0);
    EXPECT_EQ(Button(*Form, I)->Font.Height(), 2 * Designed);
    EXPECT_EQ(Button(*Form, I)->FrameWidth(), 2);
    EXPECT_EQ(Button(*Form, I)->FontFX().LightDepth(), 2);
    EXPECT_EQ(Button(*Form, I)->FontFX().ShadowDepth(), 2);
  }
}

TEST_F(MenuScaleTest, AtAQuarterScaleEdgesAreScaledSoThatNeighboursStayNeighbours) {
  System.Scale = 1.25;
  TForm1* Form = MakeMenu();
  EXPECT_EQ(Form->ClientWidth(), 80);
  EXPECT_EQ(Button(*Form, 0)->BoundsRect(), ScaledRect(Bounds(5, 6, 25, 15), 1.25));
  EXPECT_EQ(Button(*Form, 0)->BoundsRect().Right, Button(*Form, 1)->BoundsRect().Left);
  EXPECT_EQ(Button(*Form, 0)->FrameWidth(), 1);
  Click(*Form, Button(*Form, 1)->Left(), 10);
  EXPECT_EQ(Launches.size(), 1u);
}

TEST_F(MenuScaleTest, AtOneAndAHalfOddEdgesRoundAndFramesAreTwoPixels) {
  System.Scale = 1.5;
  TForm1* Form = MakeMenu();
  EXPECT_EQ(Form->ClientHeight(), 72);
  EXPECT_EQ(Button(*Form, 0)->BoundsRect(), Rect(8, 9, 45, 32));
  EXPECT_EQ(Button(*Form, 1)->BoundsRect(), Rect(45, 9, 83, 32));
  EXPECT_EQ(Button(*Form, 1)->FrameWidth(), 2);
  Form->WindowMouseMove({}, 82, 31);
  EXPECT_EQ(Button(*Form, 1)->State(), TKitButtonState::bsMouseOver);
  Form->WindowMouseMove({}, 83, 31);
  EXPECT_EQ(Button(*Form, 1)->State(), TKitButtonState::bsUp);
}

TEST_F(MenuScaleTest, ButtonsTakeThePointerWhereTheyAreDrawnAtScaleTwo) {
  System.Scale = 2;
  TForm1* Form = MakeMenu();
  // Inside the second button as drawn, far outside where it was designed.
  Form->WindowMouseMove({}, 100, 38);
  EXPECT_EQ(Button(*Form, 1)->State(), TKitButtonState::bsMouseOver);
  EXPECT_EQ(Button(*Form, 0)->State(), TKitButtonState::bsUp);
  Click(*Form, 100, 38);
  ASSERT_EQ(Launches.size(), 1u);
  // The first button's last column at scale 2 is 59; the second begins at 60.
  Click(*Form, 59, 13);
  Click(*Form, 60, 13);
  EXPECT_EQ(Launches.size(), 3u);
  EXPECT_EQ(Button(*Form, 0)->State(), TKitButtonState::bsUp);
  EXPECT_EQ(Button(*Form, 1)->State(), TKitButtonState::bsMouseOver);
  Click(*Form, 9, 11);
  EXPECT_EQ(Launches.size(), 3u) << "outside both buttons";
}

TEST_F(MenuScaleTest, AMenuLargerThanTheMonitorIsShrunkWholeToFitWithItsFrame) {
  System.ScreenWidth = 1280;
  System.ScreenHeight = 1024;
  System.WorkArea = {0, 0, 1280, 1000};
  System.Frame = {2, 22, 2, 2};
  WriteBackground(1920, 1080);
  Target = Dir.Write("tool.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini",
            "[Main]\nProgCount=1\n[Prog_1]\nX=1600\nY=900\nWidth=300\nHeight=160\n"
            "FontInfo=Arial,30,,0,clWhite,0\nTerminateAfterStart=0\nExePath=" +
                Target + "\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  // The width limits: 1276 pixels of room for 1920.
  EXPECT_DOUBLE_EQ(Form->Scale(), 1276.0 / 1920);
  EXPECT_EQ(Form->ClientWidth(), 1276);
  EXPECT_EQ(Form->ClientHeight(), 718);
  const THeadlessWindow& Window = *System.Windows().front();
  EXPECT_EQ(Window.OriginX - 2, 0);
  EXPECT_GE(Window.OriginY - 22, 0);
  EXPECT_LE(Window.OriginY + 718 + 2, 1000);
  const TRect Place = Form->btnTemplate->BoundsRect();
  EXPECT_EQ(Place, ScaledRect(Bounds(1600, 900, 300, 160), Form->Scale()));
  EXPECT_LE(Place.Right, 1276);
  EXPECT_LE(Place.Bottom, 718);
  EXPECT_EQ(Form->btnTemplate->FrameWidth(), 1);
  EXPECT_EQ(Form->btnTemplate->Font.Height(),
            ScaledFontHeight(Form->MenuInfo().ProgInfo(0)->FontInfo.Height(), Form->Scale()));
  Click(*Form, Place.Right - 1, Place.Bottom - 1);
  EXPECT_EQ(Launches.size(), 1u);
}

TEST_F(MenuScaleTest, TheFitAppliesAfterTheDesktopsScale) {
  System.Scale = 2;
  WriteBackground(640, 480);
  Dir.Write("menu.ini", "[Main]\nProgCount=0\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  // 1280 x 960 does not fit 1024 x 768; both sides shrink by the same factor.
  EXPECT_DOUBLE_EQ(Form->Scale(), 768.0 / 480);
  EXPECT_EQ(Form->ClientWidth(), 1024);
  EXPECT_EQ(Form->ClientHeight(), 768);
}

TEST(MenuScaleGeometryTest, FittingKeepsAScaleThatFitsAndShrinksOneThatDoesNot) {
  const TRect Area = Bounds(0, 0, 1280, 1024);
  EXPECT_EQ(FittedScale(1, 1280, 1024, Area, {}), 1.0);
  EXPECT_EQ(FittedScale(2, 640, 512, Area, {}), 2.0);
  EXPECT_DOUBLE_EQ(FittedScale(1, 1280, 1024, Area, {1, 24, 1, 1}), 999.0 / 1024);
  EXPECT_DOUBLE_EQ(FittedScale(1.5, 1920, 1080, Area, {}), 1280.0 / 1920);
  EXPECT_EQ(FittedScale(2, 100, 100, Bounds(0, 0, 10, 10), {5, 5, 5, 5}), 2.0)
      << "no room at all: nothing to fit to";
}

TEST(MenuScaleGeometryTest, LengthsRectanglesAndFontsAreScaledToWholePixels) {
  EXPECT_EQ(ScaledLength(25, 1.25), 31);
  EXPECT_EQ(ScaledRect(Bounds(5, 6, 25, 15), 1.5), Rect(8, 9, 45, 32));
  EXPECT_EQ(ScaledPlace(5, 6, 25, 15, 1.5), Rect(8, 9, 45, 32));
  // Places from a file past what any control keeps stop there instead of overflowing.
  EXPECT_EQ(ScaledPlace(2147483647, -2147483647 - 1, 2147483647, 50, 2),
            Rect(1 << 25, -(1 << 25), 1 << 26, -(1 << 25) + 100));
  EXPECT_EQ(ScaledFontHeight(-19, 2), -38);
  EXPECT_EQ(ScaledFontHeight(16, 1.25), 20);
  EXPECT_EQ(ScaledFontHeight(-1, 0.3), -1);
  EXPECT_EQ(ScaledFontHeight(0, 2), 0);
  EXPECT_EQ(FaceFrameWidth(0.6), 1);
  EXPECT_EQ(FaceFrameWidth(1.25), 1);
  EXPECT_EQ(FaceFrameWidth(1.5), 2);
  EXPECT_EQ(FaceFrameWidth(2), 2);
  EXPECT_EQ(FaceFrameWidth(3), 3);
}

}  // namespace
