// Tests of the fontconfig and FreeType text engine: face choice, sizes, advances, masks and
// outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Driver.h"
#include "platform/TextEngine.h"
#include "platform/freetype/FreeTypeTextEngine.h"

namespace {

std::shared_ptr<TTextFace> FaceOf(const TFontRequest& Request) {
  return Driver().TextEngine().Face(Request);
}

bool Installed(const std::string& Family) {
  return FaceOf({.Name = Family})->FamilyName() == Family;
}

int Ink(const TGlyphMask& Mask) {
  int Sum = 0;
  for (std::uint8_t Coverage : Mask.Coverage) Sum += Coverage;
  return Sum;
}

int Width(TTextFace& Face, std::u32string_view Text) {
  int Sum = 0;
  for (char32_t Character : Text) Sum += Face.Advance(Character);
  return Sum;
}

bool SameMask(const TGlyphMask& Left, const TGlyphMask& Right) {
  return Left.Left == Right.Left && Left.Top == Right.Top && Left.Width == Right.Width &&
         Left.Height == Right.Height && Left.Coverage == Right.Coverage;
}

TEST(TextEngineTest, ClassicNamesResolveToFreeFamilies) {
  struct TCase {
    std::string Classic;
    std::string Free;
  };
  const TCase Cases[] = {
      {"Times New Roman", "Liberation Serif"},
      {"MS Serif", "Liberation Serif"},
      {"Arial", "Liberation Sans"},
      {"MS Sans Serif", "Liberation Sans"},
      {"Courier New", "Liberation Mono"},
      {"Tahoma", "DejaVu Sans"},
      {"Verdana", "DejaVu Sans"},
      {"System", "DejaVu Sans"},
      {"times new roman", "Liberation Serif"},
      {" Arial ", "Liberation Sans"},
  };
  int Checked = 0;
  for (const TCase& Case : Cases) {
    if (!Installed(Case.Free)) continue;
    const std::string Family = FaceOf({.Name = Case.Classic})->FamilyName();
    // A system that has the original face may use it.
    EXPECT_TRUE(Family == Case.Free || Family == Case.Classic) << Case.Classic << ": " << Family;
    ++Checked;
  }
  if (Checked == 0) GTEST_SKIP() << "neither Liberation nor DejaVu fonts are installed";
}

TEST(TextEngineTest, UnknownNameStillGivesAFace) {
  auto Face = FaceOf({.Name = "No Such Face Anywhere", .Height = -16});
  EXPECT_FALSE(Face->FamilyName().empty());
  EXPECT_GT(Ink(Face->Glyph('A')), 0);
}

TEST(TextEngineTest, NegativeHeightIsTheEmHeight) {
  if (!Installed("Liberation Serif")) GTEST_SKIP() << "Liberation Serif is not installed";
  const TTextMetrics& Metrics = FaceOf({.Name = "Times New Roman", .Height = -19})->Metrics();
  EXPECT_GE(Metrics.Height, 21);
  EXPECT_LE(Metrics.Height, 22);
  EXPECT_EQ(Metrics.Height, Metrics.Ascent + Metrics.Descent);
  EXPECT_EQ(Metrics.InternalLeading, Metrics.Height - 19);
}

TEST(TextEngineTest, PositiveHeightIsTheCellHeight) {
  for (int Height : {8, 13, 20, 33, 64}) {
    const TTextMetrics& Metrics = FaceOf({.Name = "Arial", .Height = Height})->Metrics();
    EXPECT_NEAR(Metrics.Ascent + Metrics.Descent, Height, 1) << Height;
    EXPECT_EQ(Metrics.Height, Metrics.Ascent + Metrics.Descent);
    EXPECT_LT(Metrics.InternalLeading, Height / 4 + 2) << Height;
  }
  // The em of a 20 pixel cell is smaller than the cell.
  EXPECT_GT(FaceOf({.Name = "Arial", .Height = 20})->Metrics().InternalLeading, 0);
}

TEST(TextEngineTest, ZeroHeightIsTheDefaultEm) {
  const TTextMetrics& Default = FaceOf({.Name = "Arial"})->Metrics();
  const TTextMetrics& Twelve = FaceOf({.Name = "Arial", .Height = -12})->Metrics();
  EXPECT_EQ(Default.Ascent, Twelve.Ascent);
  EXPECT_EQ(Default.Descent, Twelve.Descent);
}

TEST(TextEngineTest, MetricsAreConsistent) {
  const TTextMetrics& Metrics = FaceOf({.Name = "Arial", .Height = -32})->Metrics();
  EXPECT_GT(Metrics.Ascent, Metrics.Descent);
  EXPECT_GT(Metrics.AveCharWidth, 0);
  EXPECT_GE(Metrics.MaxCharWidth, Metrics.AveCharWidth);
  EXPECT_GE(Metrics.UnderlineThickness, 1);
  EXPECT_LE(Metrics.UnderlinePosition + Metrics.UnderlineThickness, Metrics.Descent);
  EXPECT_GT(Metrics.StrikeoutPosition, 0);
  EXPECT_LT(Metrics.StrikeoutPosition, Metrics.Ascent - Metrics.InternalLeading);
}

TEST(TextEngineTest, HugeHeightsAreLimited) {
  for (int Height : {INT_MIN, -100000, 100000, INT_MAX}) {
    auto Face = FaceOf({.Name = "Arial", .Height = Height});
    EXPECT_GT(Face->Metrics().Height, 0) << Height;
    EXPECT_LT(Face->Metrics().Height, 2000) << Height;
  }
}

TEST(TextEngineTest, BoldIsWiderThanRegular) {
  auto Regular = FaceOf({.Name = "Arial", .Height = -16});
  auto Bold = FaceOf({.Name = "Arial", .Height = -16, .Weight = 700});
  EXPECT_GT(Width(*Bold, U"Hello World"), Width(*Regular, U"Hello World"));
  EXPECT_GT(Ink(Bold->Glyph('l')), Ink(Regular->Glyph('l')));
}

TEST(TextEngineTest, SyntheticBoldAddsAPixel) {
  if (!Installed("DejaVu Sans Light")) GTEST_SKIP() << "DejaVu Sans Light is not installed";
  auto Regular = FaceOf({.Name = "DejaVu Sans Light", .Height = -20});
  auto Bold = FaceOf({.Name = "DejaVu Sans Light", .Height = -20, .Weight = 700});
  EXPECT_EQ(Bold->Advance('l'), Regular->Advance('l') + 1);
  EXPECT_GT(Ink(Bold->Glyph('l')), Ink(Regular->Glyph('l')));
}

TEST(TextEngineTest, SyntheticItalicSlants) {
  if (!Installed("DejaVu Sans Light")) GTEST_SKIP() << "DejaVu Sans Light is not installed";
  auto Upright = FaceOf({.Name = "DejaVu Sans Light", .Height = -40});
  auto Italic = FaceOf({.Name = "DejaVu Sans Light", .Height = -40, .Italic = true});
  EXPECT_GT(Italic->Glyph('l').Width, Upright->Glyph('l').Width + 3);
  EXPECT_EQ(Italic->Advance('l'), Upright->Advance('l'));
}

TEST(TextEngineTest, LetterHasInkAndSpaceHasNone) {
  auto Face = FaceOf({.Name = "Arial", .Height = -16});
  const TGlyphMask& Letter = Face->Glyph('A');
  EXPECT_GT(Ink(Letter), 0);
  EXPECT_EQ(Letter.Coverage.size(), static_cast<std::size_t>(Letter.Width * Letter.Height));
  // 'A' stands on the baseline: above the pen position, reaching it.
  EXPECT_LT(Letter.Top, -8);
  EXPECT_NEAR(Letter.Top + Letter.Height, 0, 1);
  EXPECT_EQ(Ink(Face->Glyph(' ')), 0);
  EXPECT_GT(Face->Advance(' '), 0);
}

TEST(TextEngineTest, FacesAndAdvancesAreStable) {
  auto Face = FaceOf({.Name = "Arial", .Height = -13});
  EXPECT_EQ(Face, FaceOf({.Name = "Arial", .Height = -13}));
  const int First = Face->Advance('W');
  EXPECT_GT(First, Face->Advance('i'));
  EXPECT_EQ(Face->Advance('W'), First);
  EXPECT_NE(Face, FaceOf({.Name = "Arial", .Height = -13, .Escapement = 900}));
}

TEST(TextEngineTest, RotationKeepsAdvancesAlongTheBaseline) {
  auto Upright = FaceOf({.Name = "Arial", .Height = -20});
  auto Rotated = FaceOf({.Name = "Arial", .Height = -20, .Escapement = 900});
  EXPECT_EQ(Width(*Rotated, U"Rotated text"), Width(*Upright, U"Rotated text"));
  EXPECT_EQ(Rotated->Metrics().Height, Upright->Metrics().Height);
}

// At 90 degrees the text runs upwards, so a glyph's ascent points to the left of the pen.
TEST(TextEngineTest, RotatedMaskTurnsCounterClockwise) {
  auto Face = FaceOf({.Name = "Arial", .Height = -24, .Escapement = 900});
  const TGlyphMask& Mask = Face->Glyph('l');
  EXPECT_GT(Mask.Width, Mask.Height);
  EXPECT_LE(Mask.Left + Mask.Width, 1);
  EXPECT_LE(Mask.Top + Mask.Height, 1);
  EXPECT_GT(Ink(Mask), 0);
}

TEST(TextEngineTest, UpsideDownMaskHangsBelowTheBaseline) {
  auto Face = FaceOf({.Name = "Arial", .Height = -24, .Escapement = 1800});
  const TGlyphMask& Mask = Face->Glyph('l');
  EXPECT_GT(Mask.Height, Mask.Width);
  EXPECT_GE(Mask.Top, -1);
  EXPECT_LE(Mask.Left + Mask.Width, 1);
}

TEST(TextEngineTest, OutlineOfOHasTwoClosedContours) {
  auto Face = FaceOf({.Name = "Arial", .Height = -40});
  const std::vector<TContour> Contours = Face->Outline('O');
  ASSERT_EQ(Contours.size(), 2u);
  for (const TContour& Contour : Contours) {
    ASSERT_GE(Contour.size(), 8u);
    EXPECT_EQ(Contour.front().X, Contour.back().X);
    EXPECT_EQ(Contour.front().Y, Contour.back().Y);
    for (const TPointF& Point : Contour) {
      EXPECT_LE(Point.Y, 1.0);
      EXPECT_GE(Point.Y, -Face->Metrics().Ascent - 1.0);
      EXPECT_GE(Point.X, -1.0);
    }
  }
  EXPECT_TRUE(Face->Outline(' ').empty());
}

TEST(TextEngineTest, RotatedOutlineTurnsLikeTheMask) {
  auto Face = FaceOf({.Name = "Arial", .Height = -40, .Escapement = 900});
  const std::vector<TContour> Contours = Face->Outline('O');
  ASSERT_EQ(Contours.size(), 2u);
  for (const TContour& Contour : Contours)
    for (const TPointF& Point : Contour) {
      EXPECT_LE(Point.X, 1.0);
      EXPECT_LE(Point.Y, 1.0);
    }
}

TEST(TextEngineTest, FixedPitchGivesEqualAdvances) {
  for (const char* Name : {"No Such Face Anywhere", "", "Courier New"}) {
    auto Face = FaceOf({.Name = Name, .Height = -15, .Pitch = 2});
    EXPECT_EQ(Face->Advance('i'), Face->Advance('W')) << Name << ": " << Face->FamilyName();
  }
}

TEST(TextEngineTest, CyrillicCharsetDrawsCyrillic) {
  auto Face = FaceOf({.Name = "Arial", .Height = -16, .Charset = 204});
  EXPECT_GT(Ink(Face->Glyph(U'\u0416')), 0);
}

// No Liberation face covers Arabic; the character set asks for a face that does.
TEST(TextEngineTest, CharsetSteersTowardsAFaceForItsScript) {
  if (!Installed("Liberation Serif") || !Installed("DejaVu Sans"))
    GTEST_SKIP() << "Liberation Serif or DejaVu Sans is not installed";
  EXPECT_EQ(FaceOf({.Name = "Times New Roman", .Charset = 0})->FamilyName(), "Liberation Serif");
  EXPECT_NE(FaceOf({.Name = "Times New Roman", .Charset = 178})->FamilyName(), "Liberation Serif");
}

TEST(TextEngineTest, MissingCharactersComeFromAnotherFace) {
  if (!Installed("Liberation Sans") || !Installed("DejaVu Sans"))
    GTEST_SKIP() << "Liberation Sans or DejaVu Sans is not installed";
  auto Face = FaceOf({.Name = "Arial", .Height = -20});
  const TGlyphMask& Missing = Face->Glyph(U'\U0010FFFD');
  const TGlyphMask& Alef = Face->Glyph(U'\u0627');
  EXPECT_GT(Ink(Alef), 0);
  EXPECT_FALSE(SameMask(Alef, Missing));
  EXPECT_EQ(Face->FamilyName(), "Liberation Sans");
}

TEST(TextEngineTest, CharacterNoFontHasIsTheMissingGlyphBox) {
  auto Face = FaceOf({.Name = "Arial", .Height = -20});
  EXPECT_GT(Ink(Face->Glyph(U'\U0010FFFD')), 0);
  EXPECT_GT(Face->Advance(U'\U0010FFFD'), 0);
  EXPECT_TRUE(SameMask(Face->Glyph(0x110000), Face->Glyph(U'\U0010FFFD')));
  EXPECT_TRUE(SameMask(Face->Glyph(0xD800), Face->Glyph(U'\U0010FFFD')));
}

TEST(TextEngineTest, FacesOutliveTheirEngine) {
  std::shared_ptr<TTextFace> Face;
  {
    TFreeTypeTextEngine Engine;
    Face = Engine.Face({.Name = "Arial", .Height = -16});
  }
  EXPECT_GT(Face->Advance('A'), 0);
  EXPECT_GT(Ink(Face->Glyph(U'\u0627')), 0);
  EXPECT_EQ(Face->Outline('O').size(), 2u);
}

}  // namespace
