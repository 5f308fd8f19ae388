// The desktop's scale: the user's override, the X resources' Xft.dpi, and quarter steps.
#include "platform/DisplayScale.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayScaleTest, ScalesAreRoundedToQuarterStepsFromOneToFour) {
  EXPECT_EQ(QuarterStepScale(1.1), 1.0);
  EXPECT_EQ(QuarterStepScale(1.13), 1.25);
  EXPECT_EQ(QuarterStepScale(1.4), 1.5);
  EXPECT_EQ(QuarterStepScale(1.875), 2.0);
  EXPECT_EQ(QuarterStepScale(0.5), 1.0) << "a low-density screen keeps the picture's own size";
  EXPECT_EQ(QuarterStepScale(9), 4.0);
}

TEST(DisplayScaleTest, TheUsersScaleIsAPlainNumberFromOneToFour) {
  EXPECT_EQ(ScaleFromText("2"), 2.0);
  EXPECT_EQ(ScaleFromText("1.5"), 1.5);
  EXPECT_EQ(ScaleFromText("1.25"), 1.25);
  EXPECT_EQ(ScaleFromText("1.3"), 1.25);
  EXPECT_EQ(ScaleFromText("4"), 4.0);
  EXPECT_EQ(ScaleFromText("1"), 1.0);
  EXPECT_EQ(ScaleFromText("3.0"), 3.0);
  for (const char* Ignored : {"", "0", "0.5", "4.01", "5", "-2", "+2", "2x", "2e0", "1,5", "1.",
                              ".5", " 2", "inf", "nan", "2 "})
    EXPECT_EQ(ScaleFromText(Ignored), std::nullopt) << '"' << Ignored << '"';
  EXPECT_EQ(ScaleFromText(nullptr), std::nullopt);
}

TEST(DisplayScaleTest, XftDpiGivesTheDesktopsScale) {
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t192\n"), 2.0);
  EXPECT_EQ(ScaleFromXResources("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n"), 1.5);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi: 120.0"), 1.25);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t96\n"), 1.0);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t72\n"), 1.0);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t480\n"), 4.0);
}

TEST(DisplayScaleTest, WithoutAUsableXftDpiTheScaleIsOne) {
  EXPECT_EQ(ScaleFromXResources(nullptr), 1.0);
  EXPECT_EQ(ScaleFromXResources(""), 1.0);
  EXPECT_EQ(ScaleFromXResources("*.dpi:\t192\n"), 1.0);
  EXPECT_EQ(ScaleFromXResources("Xft.dpiX:\t192\n"), 1.0);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\tlarge\n"), 1.0);
  EXPECT_EQ(ScaleFromXResources("XTerm.Xft.dpi:\t192\n"), 1.0) << "a program's own setting";
}

TEST(DisplayScaleTest, AValidOverrideWinsOverTheDesktop) {
  EXPECT_EQ(ChosenScale("2", 1.0), 2.0);
  EXPECT_EQ(ChosenScale("1", 2.0), 1.0);
  EXPECT_EQ(ChosenScale("big", 1.5), 1.5);
  EXPECT_EQ(ChosenScale(nullptr, 1.6), 1.5);
  EXPECT_EQ(ChosenScale("", 2.0), 2.0);
}

TEST(DisplayScaleTest, DotsPerInchAreScaledFromNinetySix) {
  EXPECT_EQ(ScaleFromDpi(96), 1.0);
  EXPECT_EQ(ScaleFromDpi(120), 1.25);
  EXPECT_EQ(ScaleFromDpi(144), 1.5);
  EXPECT_EQ(ScaleFromDpi(192), 2.0);
  EXPECT_EQ(ScaleFromDpi(288), 3.0);
}

}  // namespace
