// Window names as UTF-8 and Latin-1 properties.
#include "platform/x11/X11Text.h"

#include <gtest/gtest.h>

TEST(X11TextTest, LatinOneTextIsTheSameInBoth) {
  const TX11Name Name = X11NameOf("Men\xC3\xBC caf\xC3\xA9");
  EXPECT_EQ(Name.Utf8, "Men\xC3\xBC caf\xC3\xA9");
  EXPECT_EQ(Name.Latin1, "Men\xFC caf\xE9");
}

TEST(X11TextTest, CharactersPastLatinOneBecomeQuestionMarksAndAskForCompoundText) {
  const TX11Name Name = X11NameOf("\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xE2\x9C\x93 \xF0\x9F\x98\x80");
  EXPECT_EQ(Name.Utf8, "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xE2\x9C\x93 \xF0\x9F\x98\x80");
  EXPECT_EQ(Name.Latin1, "???? ? ?");
  EXPECT_FALSE(Name.Latin1Enough);
  EXPECT_EQ(Name.Legible, Name.Utf8);
  EXPECT_TRUE(X11NameOf("Men\xC3\xBC").Latin1Enough);
}

TEST(X11TextTest, ControlCharactersOtherThanTabAndNewlineAreKeptOutOfLatinOne) {
  const TX11Name Name =
      X11NameOf(std::string("a\tb\nc\rd\x7F"
                            "e\xC2\x85"
                            "f\0g",
                            14));
  EXPECT_EQ(Name.Latin1, std::string("a\tb\nc?d?e?f?g"));
  EXPECT_EQ(Name.Utf8.size(), 14u);
  EXPECT_EQ(Name.Legible, "a\tb\nc?d?e?f?g");
  EXPECT_TRUE(Name.Latin1Enough);
}

TEST(X11TextTest, EachByteOfAMalformedSequenceIsOneReplacement) {
  const std::string Replacement = "\xEF\xBF\xBD";
  // A stray continuation byte, a lead byte cut short by the end, and one cut short by ASCII.
  EXPECT_EQ(X11NameOf("\x80").Utf8, Replacement);
  EXPECT_EQ(X11NameOf("a\xE2\x9C").Utf8, "a" + Replacement + Replacement);
  EXPECT_EQ(X11NameOf("\xC3x").Utf8, Replacement + "x");
  EXPECT_EQ(X11NameOf("\xC3x").Latin1, "?x");
  // Bytes that never start a sequence.
  EXPECT_EQ(X11NameOf("\xFF\xF8").Utf8, Replacement + Replacement);
}

TEST(X11TextTest, OverlongSurrogateAndOutOfRangeFormsAreMalformed) {
  const std::string Replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(X11NameOf("\xC0\xAF").Utf8, Replacement + Replacement);
  EXPECT_EQ(X11NameOf("\xE0\x80\xAF").Utf8, Replacement + Replacement + Replacement);
  EXPECT_EQ(X11NameOf("\xED\xA0\x80").Utf8, Replacement + Replacement + Replacement);
  EXPECT_EQ(X11NameOf("\xF4\x90\x80\x80").Utf8,
            Replacement + Replacement + Replacement + Replacement);
  // The largest forms that are still well formed.
  EXPECT_EQ(X11NameOf("\xF4\x8F\xBF\xBF").Utf8, "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(X11NameOf("\xEF\xBF\xBF").Utf8, "\xEF\xBF\xBF");
}

TEST(X11TextTest, EmptyTextStaysEmpty) {
  const TX11Name Name = X11NameOf("");
  EXPECT_TRUE(Name.Utf8.empty());
  EXPECT_TRUE(Name.Latin1.empty());
}
