// Tests of decoding 8-bit text in Windows code pages.

#include <gtest/gtest.h>

#include <string>
#include "platform/Driver.h"

namespace {

TEST(CodePageTest, CyrillicPage) {
  EXPECT_EQ(Driver().DecodeCodePage("\xC0\xFF", 1251), U"\u0410\u044F");
}

TEST(CodePageTest, WesternPageHasTheEuroSign) {
  EXPECT_EQ(Driver().DecodeCodePage("\x80\xE9", 1252), U"\u20AC\u00E9");
}

TEST(CodePageTest, CentralEuropeanPage) {
  EXPECT_EQ(Driver().DecodeCodePage("\x8A\xB9", 1250), U"\u0160\u0105");
}

TEST(CodePageTest, ShiftJisDoubleBytes) {
  EXPECT_EQ(Driver().DecodeCodePage("a\x82\xA0z", 932), U"a\u3042z");
}

TEST(CodePageTest, OemPageHasBlockGraphics) {
  EXPECT_EQ(Driver().DecodeCodePage("\xB0\xDB", 437), U"\u2591\u2588");
}

TEST(CodePageTest, ThaiAndEastAsianPagesAreKnown) {
  EXPECT_EQ(Driver().DecodeCodePage("\xA1", 874), U"\u0E01");
  EXPECT_EQ(Driver().DecodeCodePage("\xB0\xA1", 936), U"\u554A");
  EXPECT_EQ(Driver().DecodeCodePage("\xB0\xA1", 949), U"\uAC00");
  EXPECT_EQ(Driver().DecodeCodePage("\xA4\x40", 950), U"\u4E00");
}

TEST(CodePageTest, InvalidTrailByteCostsOnlyTheLeadByte) {
  EXPECT_EQ(Driver().DecodeCodePage("\x82\x20"
                                    "A",
                                    932),
            U"\uFFFD A");
}

TEST(CodePageTest, TruncatedSequenceAtTheEnd) {
  EXPECT_EQ(Driver().DecodeCodePage("A\x82", 932), U"A\uFFFD");
}

TEST(CodePageTest, DecodingGoesOnAfterInvalidBytes) {
  EXPECT_EQ(Driver().DecodeCodePage("\xFF\xFF\x82\xA0", 932), U"\uFFFD\uFFFD\u3042");
}

TEST(CodePageTest, UndefinedSingleByteBecomesReplacement) {
  EXPECT_EQ(Driver().DecodeCodePage("a\x81z", 1252), U"a\uFFFDz");
}

TEST(CodePageTest, UnknownPageReadsAs1252) {
  EXPECT_EQ(Driver().DecodeCodePage("\x80", 12345), U"\u20AC");
  EXPECT_EQ(Driver().DecodeCodePage("\x80", -1), U"\u20AC");
  EXPECT_EQ(Driver().DecodeCodePage("\x80", 0), U"\u20AC");
}

// Converters that combine diacritics hold the last character back until the input ends.
TEST(CodePageTest, LastCharacterIsNotHeldBack) {
  EXPECT_EQ(Driver().DecodeCodePage("abc", 1258), U"abc");
  EXPECT_EQ(Driver().DecodeCodePage("\xE0", 1255), U"\u05D0");
}

TEST(CodePageTest, EmptyText) {
  EXPECT_EQ(Driver().DecodeCodePage("", 1251), U"");
}

TEST(CodePageTest, EmbeddedNulIsKept) {
  EXPECT_EQ(Driver().DecodeCodePage(std::string_view("a\0b", 3), 1252), std::u32string(U"a\0b", 3));
}

// Longer than the converter's output buffer in one call.
TEST(CodePageTest, LongText) {
  const std::string Text(10000, '\xC0');
  const std::u32string Decoded = Driver().DecodeCodePage(Text, 1251);
  ASSERT_EQ(Decoded.size(), Text.size());
  EXPECT_EQ(Decoded.find_first_not_of(U'\u0410'), std::u32string::npos);
}

// A converter left in a shifted or partial state by one call must not affect the next.
TEST(CodePageTest, CallsAreIndependent) {
  EXPECT_EQ(Driver().DecodeCodePage("\x82", 932), U"\uFFFD");
  EXPECT_EQ(Driver().DecodeCodePage("A", 932), U"A");
}

}  // namespace
