// The font text form: fields, delimiters, partial and invalid texts, notifications.
#include "settings/FontEncoding.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

struct TParse {
  int Notifications = 0;
  bool Raised = false;
};

TParse Parse(const std::string& Text, TFont& Font) {
  TParse Result;
  Font.OnChange = [&](TObject*) { ++Result.Notifications; };
  try {
    StringToFont(Text, Font);
  } catch (const EConvertError&) {
    Result.Raised = true;
  }
  Font.OnChange = nullptr;
  return Result;
}

TEST(FontEncodingTest, StylesAsLetters) {
  EXPECT_EQ(FontStylesToString({}), "");
  EXPECT_EQ(FontStylesToString({fsStrikeOut, fsBold, fsUnderline}), "BUS");
  EXPECT_EQ(StringToFontStyles("bi"), TFontStyles({fsBold, fsItalic}));
  EXPECT_EQ(StringToFontStyles("Bold"), TFontStyles({fsBold}));
  EXPECT_EQ(StringToFontStyles("Underline"), TFontStyles({fsUnderline, fsItalic}));
  EXPECT_EQ(StringToFontStyles("Strikeout"), TFontStyles({fsStrikeOut, fsItalic, fsUnderline}));
  EXPECT_EQ(StringToFontStyles("x-z 9"), TFontStyles());
}

TEST(FontEncodingTest, FontToStringWritesAllSixFields) {
  TFont Font;
  Font.SetName("Times New Roman");
  Font.SetSize(14);
  Font.SetStyle({fsBold});
  Font.SetColor(clYellow);
  Font.SetCharset(RUSSIAN_CHARSET);
  EXPECT_EQ(FontToString(Font), "Times New Roman,14,B,0,clYellow,204");
  EXPECT_EQ(FontToString(TFont()), "MS Sans Serif,8,,0,clWindowText,1");
}

TEST(FontEncodingTest, FullTextSetsEveryField) {
  TFont Font;
  TParse Result = Parse("Arial,12,BI,1,clRed,204", Font);
  EXPECT_EQ(Font.Name(), "Arial");
  EXPECT_EQ(Font.Size(), 12);
  EXPECT_EQ(Font.Style(), TFontStyles({fsBold, fsItalic}));
  EXPECT_EQ(Font.Pitch(), fpVariable);
  EXPECT_EQ(Font.Color(), clRed);
  EXPECT_EQ(Font.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(Result.Notifications, 1);
  EXPECT_FALSE(Result.Raised);
}

TEST(FontEncodingTest, PartialTextsChangeOnlyTheirFields) {
  TFont Font;
  Parse("Arial", Font);
  EXPECT_EQ(Font.Name(), "Arial");
  EXPECT_EQ(Font.Size(), 8);
  EXPECT_EQ(Font.Color(), clWindowText);

  Parse("  Verdana ; 12 ", Font);
  EXPECT_EQ(Font.Name(), "Verdana");
  EXPECT_EQ(Font.Size(), 12);

  Parse(",20", Font);
  EXPECT_EQ(Font.Name(), "Verdana");
  EXPECT_EQ(Font.Size(), 20);

  Parse("Tahoma,,B", Font);
  EXPECT_EQ(Font.Size(), 20);
  EXPECT_EQ(Font.Style(), TFontStyles({fsBold}));

  Parse("Tahoma,big,I,wide,clBlue,many", Font);
  EXPECT_EQ(Font.Size(), 20);
  EXPECT_EQ(Font.Pitch(), fpDefault);
  EXPECT_EQ(Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(Font.Color(), clBlue);

  Parse("Tahoma,9,,2,clRed,1,ignored,,,and,more", Font);
  EXPECT_EQ(Font.Pitch(), fpFixed);
  EXPECT_EQ(Font.Color(), clRed);
}

TEST(FontEncodingTest, InvalidColourStopsTheParseButNotifiesOnce) {
  TFont Font;
  Font.SetColor(clGreen);
  Font.SetCharset(ANSI_CHARSET);
  TParse Result = Parse("Arial,12,B,0,nocolour,204", Font);
  EXPECT_TRUE(Result.Raised);
  EXPECT_EQ(Result.Notifications, 1);
  EXPECT_EQ(Font.Name(), "Arial");
  EXPECT_EQ(Font.Size(), 12);
  EXPECT_EQ(Font.Style(), TFontStyles({fsBold}));
  EXPECT_EQ(Font.Color(), clGreen);
  EXPECT_EQ(Font.Charset(), ANSI_CHARSET);
}

TEST(FontEncodingTest, NumbersKeepTheirLowByte) {
  TFont Font;
  Parse("Arial,10,,7,clRed,460", Font);
  EXPECT_EQ(static_cast<int>(Font.Pitch()), 7);
  EXPECT_EQ(Font.RealisedPitch(), fpDefault);
  EXPECT_EQ(Font.Charset(), 204);
  Parse("Arial,10,,-1,clRed,-1", Font);
  EXPECT_EQ(static_cast<int>(Font.Pitch()), 255);
  EXPECT_EQ(Font.Charset(), 255);
}

TEST(FontEncodingTest, LongNamesAreCut) {
  TFont Font;
  Parse(std::string(40, 'F') + ",10", Font);
  EXPECT_EQ(Font.Name(), std::string(31, 'F'));
}

TEST(FontEncodingTest, RoundTripSnapsTheHeightToWholePoints) {
  TFont Font;
  Font.SetName("Courier New");
  Font.SetHeight(-13);  // 9.75 points
  Font.SetStyle({fsItalic, fsStrikeOut});
  Font.SetPitch(fpFixed);
  Font.SetColor(0x00102030);
  Font.SetCharset(EASTEUROPE_CHARSET);
  TParse Result = Parse(FontToString(Font), Font);
  EXPECT_EQ(Result.Notifications, 1);
  EXPECT_EQ(Font.Height(), -13);  // 10 points is -13 pixels again
  Font.SetHeight(-12);            // 9 points is -12
  Parse(FontToString(Font), Font);
  EXPECT_EQ(Font.Height(), -12);
  Font.SetHeight(-14);  // 10.5 points rounds to 11, which is -15 pixels
  Parse(FontToString(Font), Font);
  EXPECT_EQ(Font.Height(), -15);
  EXPECT_EQ(Font.Name(), "Courier New");
  EXPECT_EQ(Font.Style(), TFontStyles({fsItalic, fsStrikeOut}));
  EXPECT_EQ(Font.Pitch(), fpFixed);
  EXPECT_EQ(Font.Color(), 0x00102030);
  EXPECT_EQ(Font.Charset(), EASTEUROPE_CHARSET);
}

TEST(FontEncodingTest, EmptyTextChangesNothingButNotifies) {
  TFont Font;
  TParse Result = Parse("", Font);
  EXPECT_EQ(Result.Notifications, 1);
  EXPECT_EQ(FontToString(Font), FontToString(TFont()));
}

}  // namespace
