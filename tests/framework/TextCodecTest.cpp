// UTF-8 validation and Windows-1252 decoding.
#include "framework/TextCodec.h"

#include <gtest/gtest.h>

#include "support/ScopedEnv.h"

TEST(TextCodecTest, Utf8ValidityFollowsTheStrictForm) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E"));  // Cyrillic
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));                  // U+1F600
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));                         // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));                     // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));                     // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));                 // past U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xD0"));                             // cut short
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));                          // Latin-1
}

TEST(TextCodecTest, Cp1252DecodesTheWholeUpperHalf) {
  EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");      // undefined: the C1 control
  EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextCodecTest, DisplayTextKeepsUtf8AndDecodesTheRest) {
  EXPECT_EQ(DisplayText("\xD0\x9C"), "\xD0\x9C");
  EXPECT_EQ(DisplayText("\xD0"), "\xC3\x90");
}

TEST(TextCodecTest, LowerCaseAfterFirstKeepsEachTextsEncoding) {
  EXPECT_EQ(LowerCaseAfterFirst("OSTREL"), "Ostrel");
  EXPECT_EQ(LowerCaseAfterFirst("\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAE"),  // МЕНЮ
            "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E");
  EXPECT_EQ(LowerCaseAfterFirst("\xC3\x84\xC3\x96\xC3\x9C"), "\xC3\x84\xC3\xB6\xC3\xBC");  // ÄÖÜ
  EXPECT_EQ(LowerCaseAfterFirst("\xCE\xA3\xCE\x9F"), "\xCE\xA3\xCE\xBF");                  // ΣΟ
  EXPECT_EQ(LowerCaseAfterFirst("aB1-C"), "ab1-c");
  EXPECT_EQ(LowerCaseAfterFirst(""), "");
  {
    TScopedEnv Locale("LC_ALL", std::string("ru_RU.CP1251"));
    EXPECT_EQ(LowerCaseAfterFirst("\xCC\xC5\xCD\xDE"), "\xCC\xE5\xED\xFE");  // МЕНЮ in 1251
  }
  {
    TScopedEnv Locale("LC_ALL", std::string("de_DE"));
    EXPECT_EQ(LowerCaseAfterFirst("\xC4\xD6\xDC"), "\xC4\xF6\xFC");  // ÄÖÜ in 1252
  }
  {
    TScopedEnv Locale("LC_ALL", std::string("ja_JP.SJIS"));
    // The second byte of a two-byte character is no letter of its own.
    EXPECT_EQ(LowerCaseAfterFirst("A\x83\x41Z"), "A\x83\x41z");  // A, katakana a, Z
  }
}
