// Colour and character-set identifiers and the colour text form.
#include "settings/ColorEncoding.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

TEST(ColorEncodingTest, ColorToTextPrefersTheFirstIdentifier) {
  EXPECT_EQ(ColorToText(0), "clBlack");
  EXPECT_EQ(ColorToText(clYellow), "clYellow");
  EXPECT_EQ(ColorToText(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToText(clNone), "clNone");
  EXPECT_EQ(ColorToText(-1), "$FFFFFFFF");
  EXPECT_EQ(ColorToText(0x00123456), "$00123456");
  EXPECT_EQ(ColorToText(static_cast<TColor>(0x80000019u)), "$80000019");
  EXPECT_EQ(ColorToText(0x00ABCDEF), "$00ABCDEF");
}

TEST(ColorEncodingTest, IdentifiersAndNumbersReadAlike) {
  for (const char* Text : {"CLRED", "clred", "clRed", "$000000FF", "255", "0xFF", "xFF"})
    EXPECT_EQ(TextToColor(Text), clRed) << Text;
  EXPECT_EQ(TextToColor("-2147483643"), clWindow);
  EXPECT_EQ(TextToColor("cl3ddkshadow"), cl3DDkShadow);
}

TEST(ColorEncodingTest, AnythingElseRaises) {
  for (const char* Text : {"red", "clDefault", "#FF0000", "", "clRed ", "clRe"})
    EXPECT_THROW(TextToColor(Text), EConvertError) << Text;
}

TEST(ColorEncodingTest, EveryIdentifierRoundTrips) {
  for (TColor Color = 0; Color <= 24; ++Color) {
    TColor System = SystemColorFlag | Color;
    EXPECT_EQ(TextToColor(ColorToText(System)), System);
  }
  for (TColor Color : {clMaroon, clTeal, clSilver, clFuchsia, clAqua, clWhite, 0x00C0FFEE})
    EXPECT_EQ(TextToColor(ColorToText(Color)), Color);
}

TEST(ColorEncodingTest, CharsetNamesBothWays) {
  std::string Name;
  ASSERT_TRUE(CharsetToName(RUSSIAN_CHARSET, Name));
  EXPECT_EQ(Name, "RUSSIAN_CHARSET");
  EXPECT_FALSE(CharsetToName(3, Name));
  TFontCharset Charset = 0;
  ASSERT_TRUE(NameToCharset("easteurope_charset", Charset));
  EXPECT_EQ(Charset, EASTEUROPE_CHARSET);
  EXPECT_FALSE(NameToCharset("RUSSIAN", Charset));
  EXPECT_FALSE(NameToCharset(std::string("OEM_CHARSET\0", 12), Charset));
}
