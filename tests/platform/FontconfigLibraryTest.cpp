// fontconfig loaded on demand: every function the matcher calls is found in the system's library
// and works as if linked.
#include "platform/freetype/FontconfigLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(FontconfigLibrary, LoadsOnceWithEveryFunction) {
  const TFontconfig* Functions = Fontconfig();
  ASSERT_NE(Functions, nullptr);
  EXPECT_EQ(Fontconfig(), Functions);
  EXPECT_NE(Functions->CharSetHasChar, nullptr);
  EXPECT_NE(Functions->WeightFromOpenType, nullptr);

  FcConfig* Config = Functions->InitLoadConfigAndFonts();
  ASSERT_NE(Config, nullptr);
  FcPattern* Pattern = Functions->PatternCreate();
  Functions->PatternAddString(Pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("serif"));
  Functions->ConfigSubstitute(Config, Pattern, FcMatchPattern);
  Functions->DefaultSubstitute(Pattern);
  FcResult Result = FcResultNoMatch;
  FcPattern* Font = Functions->FontMatch(Config, Pattern, &Result);
  ASSERT_NE(Font, nullptr);
  FcChar8* File = nullptr;
  EXPECT_EQ(Functions->PatternGetString(Font, FC_FILE, 0, &File), FcResultMatch);
  EXPECT_EQ(File[0], '/');
  Functions->PatternDestroy(Font);
  Functions->PatternDestroy(Pattern);
  Functions->ConfigDestroy(Config);
}

}  // namespace
