// The keysym to Unicode mapping of the X11 keyboard translation.
#include "platform/x11/X11KeySym.h"

#include <gtest/gtest.h>

TEST(X11KeySymTest, LatinOneKeysymsAreTheirOwnCodePoints) {
  EXPECT_EQ(KeySymToUnicode(0x61), U'a');
  EXPECT_EQ(KeySymToUnicode(0x20), U' ');
  EXPECT_EQ(KeySymToUnicode(0xE9), U'\u00E9');
  EXPECT_EQ(KeySymToUnicode(0xFF), U'\u00FF');
}

TEST(X11KeySymTest, ControlCharactersAreNoCharacters) {
  EXPECT_EQ(KeySymToUnicode(0x00), 0u);
  EXPECT_EQ(KeySymToUnicode(0x1F), 0u);
  EXPECT_EQ(KeySymToUnicode(0x7F), 0u);
  EXPECT_EQ(KeySymToUnicode(0x9F), 0u);
  EXPECT_EQ(KeySymToUnicode(0x0100000A), 0u);
}

TEST(X11KeySymTest, LegacyCharacterSetsAreLookedUp) {
  EXPECT_EQ(KeySymToUnicode(0x01A1), U'\u0104');  // Aogonek, the first of the table
  EXPECT_EQ(KeySymToUnicode(0x01E8), U'\u010D');  // ccaron
  EXPECT_EQ(KeySymToUnicode(0x06C1), U'\u0430');  // Cyrillic_a
  EXPECT_EQ(KeySymToUnicode(0x06DA), U'\u0437');  // Cyrillic_ze
  EXPECT_EQ(KeySymToUnicode(0x07E1), U'\u03B1');  // Greek_alpha
  EXPECT_EQ(KeySymToUnicode(0x13BD), U'\u0153');  // oe
  EXPECT_EQ(KeySymToUnicode(0x20AC), U'\u20AC');  // EuroSign, the last of the table
}

TEST(X11KeySymTest, KeysymsOutsideTheTableAreNoCharacters) {
  EXPECT_EQ(KeySymToUnicode(0x01A0), 0u);  // a hole before the first entry
  EXPECT_EQ(KeySymToUnicode(0x20AD), 0u);  // past the last entry
  EXPECT_EQ(KeySymToUnicode(0xFF0D), 0u);  // Return
  EXPECT_EQ(KeySymToUnicode(0xFFB1), 0u);  // KP_1: the string lookup types it
  EXPECT_EQ(KeySymToUnicode(0xFFE9), 0u);  // Alt_L
}

TEST(X11KeySymTest, UnicodeKeysymsCarryTheirCodePoint) {
  EXPECT_EQ(KeySymToUnicode(0x01000430), U'\u0430');
  EXPECT_EQ(KeySymToUnicode(0x0101F600), U'\U0001F600');
  EXPECT_EQ(KeySymToUnicode(0x0110FFFF), U'\U0010FFFF');
  EXPECT_EQ(KeySymToUnicode(0x01110000), 0u);
  EXPECT_EQ(KeySymToUnicode(0x02000430), 0u);
}
