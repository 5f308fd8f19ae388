// The accelerator of a caption: the underlined character, decoded and case-folded.
#include "framework/Accelerator.h"

#include <gtest/gtest.h>

TEST(AcceleratorTest, TheLastMarkCountsAndDoubledOrTrailingMarksMarkNothing) {
  EXPECT_EQ(CaptionAccelerator("&Install", ANSI_CHARSET), U'i');
  EXPECT_EQ(CaptionAccelerator("&Open &Close", ANSI_CHARSET), U'c');
  EXPECT_EQ(CaptionAccelerator("Fish && &Chips", ANSI_CHARSET), U'c');
  EXPECT_EQ(CaptionAccelerator("Fish && Chips", ANSI_CHARSET), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("Last&", ANSI_CHARSET), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("A&\tB", ANSI_CHARSET), std::nullopt);
}

TEST(AcceleratorTest, CaptionsAreReadInTheirCodePageOrAsUtf8) {
  // "&Игры" in Windows-1251 and in UTF-8, "&Ελλάδα" in Windows-1253, "&Été" in Windows-1252.
  EXPECT_EQ(CaptionAccelerator("&\xC8\xE3\xF0\xFB", RUSSIAN_CHARSET), U'\u0438');
  EXPECT_EQ(CaptionAccelerator("&\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", ANSI_CHARSET), U'\u0438');
  EXPECT_EQ(CaptionAccelerator("&\xC5\xEB\xEB\xDC\xE4\xE1", GREEK_CHARSET), U'\u03B5');
  EXPECT_EQ(CaptionAccelerator("&\xC9t\xE9", ANSI_CHARSET), U'\u00E9');
}

TEST(AcceleratorTest, FoldingPairsCapitalsWithTheirSmallLetters) {
  for (auto [Capital, Small] : {std::pair{U'Q', U'q'},
                                {U'\u00D8', U'\u00F8'},
                                {U'\u0100', U'\u0101'},
                                {U'\u0141', U'\u0142'},
                                {U'\u017D', U'\u017E'},
                                {U'\u0178', U'\u00FF'},
                                {U'\u0394', U'\u03B4'},
                                {U'\u0388', U'\u03AD'},
                                {U'\u0401', U'\u0451'},
                                {U'\u042F', U'\u044F'},
                                {U'\u0490', U'\u0491'}}) {
    EXPECT_EQ(FoldCase(Capital), Small) << static_cast<unsigned>(Capital);
    EXPECT_EQ(FoldCase(Small), Small) << static_cast<unsigned>(Small);
  }
  for (char32_t Other : {U'\u00D7', U'\u00DF', U'1', U'\u3042', U'\u03C2'})
    EXPECT_EQ(FoldCase(Other), Other) << static_cast<unsigned>(Other);
}

// Alt gives the character of the key in the keyboard's layout: it works on the caption whose
// underlined character it is, in any script and either letter case, and only on that one.
TEST(AcceleratorTest, TheKeysCharacterMatchesTheUnderlinedOneInAnyScript) {
  EXPECT_TRUE(IsAccel(U'\u0438', "&\xC8\xE3\xF0\xFB", RUSSIAN_CHARSET));
  EXPECT_TRUE(IsAccel(U'\u0418', "&\xC8\xE3\xF0\xFB", RUSSIAN_CHARSET));
  EXPECT_FALSE(IsAccel(U'b', "&\xC8\xE3\xF0\xFB", RUSSIAN_CHARSET))
      << "the Latin key that carries the letter in another layout";
  EXPECT_TRUE(IsAccel(U'\u0418', "&\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", ANSI_CHARSET));
  EXPECT_TRUE(IsAccel(U'\u0395', "&\xC5\xEB\xEB\xDC\xE4\xE1", GREEK_CHARSET));
  EXPECT_TRUE(IsAccel(U'\u00C9', "&\xC9t\xE9", ANSI_CHARSET));
  EXPECT_TRUE(IsAccel(U'c', "&Open &Close", ANSI_CHARSET)) << "the underlined mark";
  EXPECT_FALSE(IsAccel(U'o', "&Open &Close", ANSI_CHARSET));
}
