// UTF-8 validation and Windows-1252 decoding.
#include "framework/TextCodec.h"

#include <gtest/gtest.h>

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
