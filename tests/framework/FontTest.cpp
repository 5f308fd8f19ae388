// TFont: size and height conversion, the name limit, pitch numbers and change notification.
#include "core/Font.h"

#include <gtest/gtest.h>

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);  // 10.67
  EXPECT_EQ(MulDiv(3, 1, 2), 2);     // 1.5
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);   // -1.5
  EXPECT_EQ(MulDiv(3, 1, -2), -2);
  EXPECT_EQ(MulDiv(-11, 72, 96), -8);  // -8.25
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
  EXPECT_EQ(MulDiv(2147483647, 96, 72), -1);  // does not fit
  EXPECT_EQ(MulDiv(2147483647, 2, 2), 2147483647);
}

TEST(FontTest, DefaultIsEightPointSansSerif) {
  TFont Font;
  EXPECT_EQ(Font.Name(), "MS Sans Serif");
  EXPECT_EQ(Font.Size(), 8);
  EXPECT_EQ(Font.Height(), -11);
  EXPECT_EQ(Font.Color(), clWindowText);
  EXPECT_EQ(Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(Font.Pitch(), fpDefault);
  EXPECT_TRUE(Font.Style().Empty());
}

TEST(FontTest, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
  TFont Font;
  Font.SetSize(14);
  EXPECT_EQ(Font.Height(), -19);
  EXPECT_EQ(Font.Size(), 14);
  Font.SetHeight(-13);  // 9.75 points
  EXPECT_EQ(Font.Size(), 10);
  Font.SetHeight(16);  // a cell height gives a negative size
  EXPECT_EQ(Font.Size(), -12);
}

TEST(FontTest, ExtremeSizesWrapLikeThirtyTwoBitArithmetic) {
  TFont Font;
  Font.SetSize(2147483647);  // the conversion does not fit and answers -1
  EXPECT_EQ(Font.Height(), 1);
  Font.SetHeight(-2147483647 - 1);
  EXPECT_EQ(Font.Size(), 1610612736);
}

TEST(FontTest, NameIsCutToThirtyOneCharactersAndEmptyIsIgnored) {
  TFont Font;
  Font.SetName(std::string(40, 'N'));
  EXPECT_EQ(Font.Name(), std::string(31, 'N'));
  Font.SetName("");
  EXPECT_EQ(Font.Name(), std::string(31, 'N'));
  Font.SetName(std::string(TFont::MaxNameLength, 'A'));
  EXPECT_EQ(Font.Name(), std::string(TFont::MaxNameLength, 'A'));
  Font.SetName(std::string(TFont::MaxNameLength, 'B') + "C");
  EXPECT_EQ(Font.Name(), std::string(TFont::MaxNameLength, 'B'));
}

TEST(FontTest, AnyPitchNumberIsStoredAndUnknownOnesRealiseAsDefault) {
  TFont Font;
  Font.SetPitch(static_cast<TFontPitch>(7));
  EXPECT_EQ(static_cast<int>(Font.Pitch()), 7);
  EXPECT_EQ(Font.RealisedPitch(), fpDefault);
  Font.SetPitch(fpFixed);
  EXPECT_EQ(Font.RealisedPitch(), fpFixed);
}

TEST(FontTest, NotifiesOnlyWhenAValueChanges) {
  TFont Font;
  int Calls = 0;
  TObject* Sender = nullptr;
  Font.OnChange = [&](TObject* From) {
    ++Calls;
    Sender = From;
  };
  Font.SetColor(clWindowText);
  Font.SetSize(8);
  Font.SetName("MS Sans Serif");
  EXPECT_EQ(Calls, 0);
  Font.SetColor(clRed);
  Font.SetStyle({fsBold, fsItalic});
  Font.SetCharset(RUSSIAN_CHARSET);
  EXPECT_EQ(Calls, 3);
  EXPECT_EQ(Sender, &Font);
}

TEST(FontTest, AssignCopiesEverythingAndNotifiesOnce) {
  TFont Source;
  Source.SetName("Times New Roman");
  Source.SetHeight(-19);
  Source.SetStyle({fsBold});
  Source.SetColor(clYellow);
  Source.SetCharset(RUSSIAN_CHARSET);
  Source.SetPitch(fpVariable);
  TFont Target;
  int Calls = 0;
  Target.OnChange = [&](TObject*) { ++Calls; };
  Target.Assign(Source);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Target.Name(), "Times New Roman");
  EXPECT_EQ(Target.Height(), -19);
  EXPECT_EQ(Target.Style(), TFontStyles({fsBold}));
  EXPECT_EQ(Target.Color(), clYellow);
  EXPECT_EQ(Target.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(Target.Pitch(), fpVariable);
  Target.Assign(Source);
  EXPECT_EQ(Calls, 1);
}
