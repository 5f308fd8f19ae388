// The caption text routine on a bitmap: each relief style must equal the plain copies it is
// made of, drawn at their offsets in their order, so the tests hold for any font rendering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "controls/draw/KitDrawText.h"
#include "controls/draw/KitFxCaption.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

namespace {

constexpr int Width = 240;
constexpr int Height = 90;
const TRect TextRect{10, 10, 230, 80};
constexpr unsigned RightFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned LeftFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;
const std::string Sample = "HIM lay";

constexpr TColor ColorOf(int Red, int Green, int Blue) {
  return Red | (Green << 8) | (Blue << 16);
}
constexpr TPixel PixelFor(TColor Color) {
  return PixelOf(static_cast<std::uint8_t>(Color & 0xFF), static_cast<std::uint8_t>(Color >> 8),
                 static_cast<std::uint8_t>(Color >> 16));
}

const TColor Background = ColorOf(200, 220, 240);
const TColor FontColor = ColorOf(20, 90, 30);
const TColor LightColor = ColorOf(250, 250, 120);
const TColor ShadowColor = ColorOf(90, 20, 110);
const TColor BrushColor = ColorOf(230, 60, 20);

// A bitmap filled with the background, its canvas set to a large bold font so that glyph
// stems have pixels the text covers fully.
std::unique_ptr<TBitmap> Sheet(int W = Width, int H = Height) {
  auto Bitmap = std::make_unique<TBitmap>(W, H);
  TCanvas& Canvas = Bitmap->Canvas();
  Canvas.Brush.Color = Background;
  Canvas.FillRect({0, 0, W, H});
  Canvas.Brush.Color = BrushColor;
  Canvas.Font.SetName("Arial");
  Canvas.Font.SetHeight(-36);
  Canvas.Font.SetStyle({fsBold});
  Canvas.Font.SetColor(FontColor);
  return Bitmap;
}

// One plain copy, drawn without the routine under test.
struct TPlainCopy {
  TColor Color;
  int X;
  int Y;
};

// Draws the copies over the working rectangle Working, right edge moved in by RightIn.
void DrawCopies(TBitmap& Bitmap, TRect Working, int RightIn, unsigned Format,
                const std::vector<TPlainCopy>& Copies, const std::string& Text = Sample) {
  TCanvas& Canvas = Bitmap.Canvas();
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Working.Right -= RightIn;
  for (const TPlainCopy& Copy : Copies) {
    Canvas.Font.SetColor(Copy.Color);
    TRect Moved = OffsetRect(Working, Copy.X, Copy.Y);
    Canvas.DrawText(Text, Moved, Format);
  }
}

::testing::AssertionResult SameImage(const TBitmap& Actual, const TBitmap& Expected) {
  for (int Y = 0; Y < Expected.Height(); ++Y)
    for (int X = 0; X < Expected.Width(); ++X)
      if (Actual.Pixel(X, Y) != Expected.Pixel(X, Y))
        return ::testing::AssertionFailure()
               << "first difference at (" << X << ", " << Y << "): " << std::hex
               << Actual.Pixel(X, Y) << " instead of " << Expected.Pixel(X, Y);
  return ::testing::AssertionSuccess();
}

bool Inked(const TBitmap& Bitmap, int X, int Y) {
  return Bitmap.Pixel(X, Y) != PixelFor(Background);
}

// The pixels that differ from the background.
std::vector<bool> Footprint(const TBitmap& Bitmap) {
  std::vector<bool> Result;
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X) Result.push_back(Inked(Bitmap, X, Y));
  return Result;
}

// The smallest rectangle holding every pixel that differs from the background.
TRect InkBounds(const TBitmap& Bitmap) {
  TRect Box{Bitmap.Width(), Bitmap.Height(), 0, 0};
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X)
      if (Inked(Bitmap, X, Y)) {
        Box.Left = std::min(Box.Left, X);
        Box.Top = std::min(Box.Top, Y);
        Box.Right = std::max(Box.Right, X + 1);
        Box.Bottom = std::max(Box.Bottom, Y + 1);
      }
  return Box;
}

int CountPixels(const TBitmap& Bitmap, TColor Color) {
  int Count = 0;
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X)
      if (Bitmap.Pixel(X, Y) == PixelFor(Color)) ++Count;
  return Count;
}

std::unique_ptr<TKit3DCaption> Caption(TKitThreeDStyle Style, int L = 1, int S = 1) {
  auto Result = std::make_unique<TKit3DCaption>();
  Result->SetStyle(Style);
  Result->SetLightDepth(static_cast<std::uint8_t>(L));
  Result->SetShadowDepth(static_cast<std::uint8_t>(S));
  Result->SetLightColor(LightColor);
  Result->SetShadowColor(ShadowColor);
  return Result;
}

const TKitDrawTextStyles Enabled{TKitDrawTextStyle::dtEnabled};
const TKitDrawTextStyles Disabled{TKitDrawTextStyle::dtDisabled};
const TKitDrawTextStyles Disabled3D{TKitDrawTextStyle::dtDisabled, TKitDrawTextStyle::dt3DDisabled};

}  // namespace

TEST(KitDrawTextTest, WithoutACaptionTheTextIsDrawnOnceWithTheBrush) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  // The caller's clip stays: without a caption the routine does not get as far as its own.
  Expected->Canvas().SetClipRect({0, 0, 100, 100});
  TRect Area = TextRect;
  Expected->Canvas().DrawText(Sample, Area, LeftFormat);
  Actual->Canvas().SetClipRect({0, 0, 100, 100});
  KitDrawTextExt(Actual->Canvas(), Sample, nullptr, TextRect, LeftFormat,
                 {TKitDrawTextStyle::dtClip}, nullptr);
  EXPECT_TRUE(SameImage(*Actual, *Expected));
  EXPECT_GT(CountPixels(*Actual, BrushColor), 0);
  EXPECT_TRUE(Actual->Canvas().HasClipRect());
}

TEST(KitDrawTextTest, EmptyTextOrRectangleDrawsNothingAndChangesNothing) {
  auto Bitmap = Sheet();
  auto Untouched = Sheet();
  auto Sunken = Caption(TKitThreeDStyle::tdSunkenShadow);
  Sunken->SetTracing(3);
  KitDrawText(Bitmap->Canvas(), "", Sunken.get(), TextRect, LeftFormat);
  KitDrawText(Bitmap->Canvas(), Sample, Sunken.get(), {50, 10, 50, 80}, LeftFormat);
  KitDrawText(Bitmap->Canvas(), Sample, Sunken.get(), {10, 40, 200, 30}, LeftFormat);
  EXPECT_TRUE(SameImage(*Bitmap, *Untouched));
  EXPECT_EQ(Bitmap->Canvas().Font.Color(), FontColor);
  EXPECT_EQ(Bitmap->Canvas().Brush.Style, TBrushStyle::bsSolid);
}

TEST(KitDrawTextTest, NoneDrawsTheTextOnceOnAClearBackground) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  KitDrawText(Actual->Canvas(), Sample, Caption(TKitThreeDStyle::tdNone).get(), TextRect,
              RightFormat);
  DrawCopies(*Expected, TextRect, 0, RightFormat, {{FontColor, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
  EXPECT_EQ(CountPixels(*Actual, BrushColor), 0);
  EXPECT_EQ(Actual->Canvas().Brush.Style, TBrushStyle::bsClear);
}

TEST(KitDrawTextTest, MenuButtonLookGivesEachGlyphABlackContour) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Menu = Caption(TKitThreeDStyle::tdSunkenShadow);
  Menu->SetLightColor(clBlack);
  Menu->SetShadowColor(clBlack);
  KitDrawText(Actual->Canvas(), Sample, Menu.get(), TextRect, LeftFormat);
  DrawCopies(*Expected, TextRect, 2, LeftFormat,
             {{clBlack, 0, 0}, {clBlack, 2, 2}, {FontColor, 1, 1}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
  EXPECT_EQ(Actual->Canvas().Font.Color(), FontColor);
}

namespace {

struct TStyleCase {
  const char* Name;
  TKitThreeDStyle Style;
  int RightIn;
  // Offsets and colours with L = 2, S = 3.
  std::vector<TPlainCopy> Copies;
};

void PrintTo(const TStyleCase& Case, std::ostream* Stream) {
  *Stream << Case.Name;
}

// Stands for the face colour in the expected copies.
constexpr TColor Face = clNone;

std::vector<TPlainCopy> WithFace(std::vector<TPlainCopy> Copies, TColor FaceColor = FontColor) {
  for (TPlainCopy& Copy : Copies)
    if (Copy.Color == Face) Copy.Color = FaceColor;
  return Copies;
}

}  // namespace

class KitDrawTextStyleTest : public ::testing::TestWithParam<TStyleCase> {};

TEST_P(KitDrawTextStyleTest, EqualsItsCopiesInOrderWithTheRightEdgeIn) {
  const TStyleCase& Case = GetParam();
  const bool FromBrush = Case.Style == TKitThreeDStyle::tdPColorSunken ||
                         Case.Style == TKitThreeDStyle::tdPColorRaised;
  const TColor FaceColor = FromBrush ? BrushColor : FontColor;
  const std::vector<TPlainCopy> Copies = WithFace(Case.Copies, FaceColor);

  for (unsigned Format : {RightFormat, LeftFormat, unsigned{DT_CENTER | DT_WORDBREAK}}) {
    auto Actual = Sheet();
    auto Expected = Sheet();
    KitDrawText(Actual->Canvas(), Sample, Caption(Case.Style, 2, 3).get(), TextRect, Format);
    DrawCopies(*Expected, TextRect, Case.RightIn, Format, Copies);
    EXPECT_TRUE(SameImage(*Actual, *Expected)) << "format " << Format;
    EXPECT_EQ(Actual->Canvas().Font.Color(), FaceColor);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryShiftedStyle, KitDrawTextStyleTest,
    ::testing::Values(
        TStyleCase{"Sunken", TKitThreeDStyle::tdSunken, 2, {{LightColor, 2, 2}, {Face, 0, 0}}},
        TStyleCase{"Raised", TKitThreeDStyle::tdRaised, 2, {{LightColor, 0, 0}, {Face, 2, 2}}},
        TStyleCase{"SunkenShadow",
                   TKitThreeDStyle::tdSunkenShadow,
                   5,
                   {{ShadowColor, 0, 0}, {LightColor, 5, 5}, {Face, 3, 3}}},
        TStyleCase{"PColorSunken",
                   TKitThreeDStyle::tdPColorSunken,
                   5,
                   {{ShadowColor, 0, 0}, {LightColor, 5, 5}, {Face, 3, 3}}},
        TStyleCase{"RaisedShadow",
                   TKitThreeDStyle::tdRaisedShadow,
                   5,
                   {{ShadowColor, 5, 5}, {LightColor, 0, 0}, {Face, 2, 2}}},
        TStyleCase{"PColorRaised",
                   TKitThreeDStyle::tdPColorRaised,
                   5,
                   {{ShadowColor, 5, 5}, {LightColor, 0, 0}, {Face, 2, 2}}},
        TStyleCase{"Shadow", TKitThreeDStyle::tdShadow, 3, {{ShadowColor, 3, 3}, {Face, 0, 0}}},
        TStyleCase{"ExtrudeTopLeft",
                   TKitThreeDStyle::tdExtrude,
                   0,
                   {{ShadowColor, 1, 1}, {ShadowColor, 2, 2}, {ShadowColor, 3, 3}, {Face, 3, 3}}}),
    [](const ::testing::TestParamInfo<TStyleCase>& Info) { return Info.param.Name; });

TEST(KitDrawTextTest, RightAlignedLightCopyEndsExactlyAtTheRectanglesEdge) {
  auto Plain = Sheet();
  auto Relief = Sheet();
  DrawCopies(*Plain, TextRect, 0, RightFormat, {{FontColor, 0, 0}});
  auto Sunken = Caption(TKitThreeDStyle::tdSunkenShadow, 1, 1);
  KitDrawText(Relief->Canvas(), Sample, Sunken.get(), TextRect, RightFormat);
  EXPECT_EQ(InkBounds(*Relief).Right, InkBounds(*Plain).Right);
  // The shadow copy, the leftmost one, starts L + S pixels left of the plain text.
  EXPECT_EQ(InkBounds(*Relief).Left, InkBounds(*Plain).Left - 2);
}

TEST(KitDrawTextTest, ExtendedCaptionShiftsTheOriginButNotTheRightEdge) {
  TKitFxCaption Fx;
  Fx.SetStyle(TKitThreeDStyle::tdShadow);
  Fx.SetShadowColor(ShadowColor);
  Fx.SetShadowDepth(2);
  Fx.SetPosXY(17, 5);
  for (unsigned Format : {RightFormat, LeftFormat}) {
    auto Actual = Sheet();
    auto Expected = Sheet();
    KitDrawText(Actual->Canvas(), Sample, &Fx, TextRect, Format);
    TRect Working{TextRect.Left + 17, TextRect.Top + 5, TextRect.Right, TextRect.Bottom};
    DrawCopies(*Expected, Working, 2, Format, {{ShadowColor, 2, 2}, {FontColor, 0, 0}});
    EXPECT_TRUE(SameImage(*Actual, *Expected)) << "format " << Format;
  }
}

TEST(KitDrawTextTest, DisabledAutoWithoutThe3DFlagKeepsTheStyleInGrayText) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  KitDrawTextExt(Actual->Canvas(), Sample, Caption(TKitThreeDStyle::tdShadow, 1, 2).get(), TextRect,
                 LeftFormat, Disabled, nullptr);
  DrawCopies(*Expected, TextRect, 2, LeftFormat, {{ShadowColor, 2, 2}, {clGrayText, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
  EXPECT_GT(CountPixels(*Actual, ColorOf(128, 128, 128)), 0);
}

TEST(KitDrawTextTest, DisabledAutoWithThe3DFlagIsSunkenGrayText) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  KitDrawTextExt(Actual->Canvas(), Sample, Caption(TKitThreeDStyle::tdRaisedShadow, 2, 1).get(),
                 TextRect, LeftFormat, Disabled3D, nullptr);
  DrawCopies(*Expected, TextRect, 2, LeftFormat, {{LightColor, 2, 2}, {clGrayText, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, Disabled3DIsSunkenEvenWithoutThe3DFlag) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdOutline, 1, 4);
  Look->SetDisabledStyle(TKitDisabledStyle::ds3d);
  KitDrawTextExt(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat, Disabled, nullptr);
  DrawCopies(*Expected, TextRect, 1, LeftFormat, {{LightColor, 1, 1}, {clGrayText, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, DisabledStandardKeepsTheStyleEvenWithThe3DFlag) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdPColorRaised, 1, 1);
  Look->SetDisabledStyle(TKitDisabledStyle::dsStandard);
  KitDrawTextExt(Actual->Canvas(), Sample, Look.get(), TextRect, RightFormat, Disabled3D, nullptr);
  // Disabled, even the brush-coloured style draws its face in the gray text colour.
  DrawCopies(*Expected, TextRect, 2, RightFormat,
             {{ShadowColor, 2, 2}, {LightColor, 0, 0}, {clGrayText, 1, 1}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, DisabledNoneLooksExactlyLikeEnabled) {
  for (TKitThreeDStyle Style : {TKitThreeDStyle::tdSunkenShadow, TKitThreeDStyle::tdPColorSunken}) {
    auto Look = Caption(Style, 1, 2);
    Look->SetDisabledStyle(TKitDisabledStyle::dsNone);
    auto AsDisabled = Sheet();
    auto AsEnabled = Sheet();
    KitDrawTextExt(AsDisabled->Canvas(), Sample, Look.get(), TextRect, RightFormat, Disabled3D,
                   nullptr);
    KitDrawText(AsEnabled->Canvas(), Sample, Look.get(), TextRect, RightFormat);
    EXPECT_TRUE(SameImage(*AsDisabled, *AsEnabled));
  }
}

TEST(KitDrawTextTest, ClipRestrictsTheCopiesAndLeavesNoClipBehind) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  const TRect Clip{0, 0, 70, Height};
  Actual->Canvas().SetClipRect({0, 0, 20, 20});
  KitDrawTextExt(Actual->Canvas(), Sample, Caption(TKitThreeDStyle::tdShadow).get(), TextRect,
                 LeftFormat, {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtClip}, &Clip);
  EXPECT_FALSE(Actual->Canvas().HasClipRect());
  Expected->Canvas().SetClipRect(Clip);
  DrawCopies(*Expected, TextRect, 1, LeftFormat, {{ShadowColor, 1, 1}, {FontColor, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
  EXPECT_LE(InkBounds(*Actual).Right, 70);
}

TEST(KitDrawTextTest, ClipWithoutAClipRectangleUsesTheTextRectangle) {
  auto Clipped = Sheet();
  auto Unclipped = Sheet();
  const TRect Narrow{10, 10, 60, 80};
  const unsigned Format = LeftFormat | DT_NOCLIP;
  auto Look = Caption(TKitThreeDStyle::tdNone);
  KitDrawTextExt(Unclipped->Canvas(), Sample, Look.get(), Narrow, Format, Enabled, nullptr);
  KitDrawTextExt(Clipped->Canvas(), Sample, Look.get(), Narrow, Format,
                 {TKitDrawTextStyle::dtEnabled, TKitDrawTextStyle::dtClip}, nullptr);
  EXPECT_GT(InkBounds(*Unclipped).Right, 60);
  EXPECT_LE(InkBounds(*Clipped).Right, 60);
  EXPECT_FALSE(Clipped->Canvas().HasClipRect());
}

TEST(KitDrawTextTest, TracingSpacesTheCharactersAndIsResetToZero) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdNone);
  Look->SetTracing(4);
  Actual->Canvas().TextCharacterExtra = 7;
  KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
  EXPECT_EQ(Actual->Canvas().TextCharacterExtra, 0);
  Expected->Canvas().TextCharacterExtra = 4;
  DrawCopies(*Expected, TextRect, 0, LeftFormat, {{FontColor, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, ZeroTracingLeavesTheCanvasSpacingInUse) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  Actual->Canvas().TextCharacterExtra = 3;
  KitDrawText(Actual->Canvas(), Sample, Caption(TKitThreeDStyle::tdNone).get(), TextRect,
              LeftFormat);
  EXPECT_EQ(Actual->Canvas().TextCharacterExtra, 3);
  Expected->Canvas().TextCharacterExtra = 3;
  DrawCopies(*Expected, TextRect, 0, LeftFormat, {{FontColor, 0, 0}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

namespace {

struct TOrientationCase {
  TKitThreeDOrientation Orientation;
  // Where the face ends with S = 0 and the copies with S = 3, the face on the last.
  TPlainCopy Zero;
  std::vector<TPlainCopy> Three;
};

const std::vector<TOrientationCase>& OrientationCases() {
  static const std::vector<TOrientationCase> Cases{
      {TKitThreeDOrientation::toBottomLeft,
       {Face, 0, 1},
       {{ShadowColor, 1, 3}, {ShadowColor, 2, 2}, {ShadowColor, 3, 1}, {Face, 3, 1}}},
      {TKitThreeDOrientation::toBottomRight,
       {Face, 1, 1},
       {{ShadowColor, 3, 3}, {ShadowColor, 2, 2}, {ShadowColor, 1, 1}, {Face, 1, 1}}},
      {TKitThreeDOrientation::toTopLeft,
       {Face, 0, 0},
       {{ShadowColor, 1, 1}, {ShadowColor, 2, 2}, {ShadowColor, 3, 3}, {Face, 3, 3}}},
      {TKitThreeDOrientation::toTopRight,
       {Face, 1, 0},
       {{ShadowColor, 3, 1}, {ShadowColor, 2, 2}, {ShadowColor, 1, 3}, {Face, 1, 3}}},
  };
  return Cases;
}

}  // namespace

TEST(KitDrawTextTest, ExtrusionStepsTowardsTheFaceFromEachOrientation) {
  for (const TOrientationCase& Case : OrientationCases()) {
    auto Actual = Sheet();
    auto Expected = Sheet();
    auto Look = Caption(TKitThreeDStyle::tdExtrude, 1, 3);
    Look->SetOrientation(Case.Orientation);
    KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, RightFormat);
    DrawCopies(*Expected, TextRect, 0, RightFormat, WithFace(Case.Three));
    EXPECT_TRUE(SameImage(*Actual, *Expected))
        << "orientation " << static_cast<int>(Case.Orientation);
  }
}

TEST(KitDrawTextTest, ExtrusionOfDepthZeroIsTheFaceAfterTheInitialMove) {
  for (const TOrientationCase& Case : OrientationCases()) {
    auto Actual = Sheet();
    auto Expected = Sheet();
    auto Look = Caption(TKitThreeDStyle::tdExtrudeEnh, 1, 0);
    Look->SetOrientation(Case.Orientation);
    KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
    DrawCopies(*Expected, TextRect, 0, LeftFormat, WithFace({Case.Zero}));
    EXPECT_TRUE(SameImage(*Actual, *Expected))
        << "orientation " << static_cast<int>(Case.Orientation);
  }
}

TEST(KitDrawTextTest, ExtrusionOfDepthOneShowsOnlyTheFace) {
  auto Actual = Sheet();
  auto FaceAlone = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdExtrude, 1, 1);
  Look->SetOrientation(TKitThreeDOrientation::toBottomLeft);
  KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
  DrawCopies(*FaceAlone, TextRect, 0, LeftFormat, {{FontColor, 1, 1}});
  EXPECT_EQ(Footprint(*Actual), Footprint(*FaceAlone));
  // Where the face covers its pixels fully the copy beneath cannot show.
  int Full = 0;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      if (FaceAlone->Pixel(X, Y) == PixelFor(FontColor)) {
        ++Full;
        EXPECT_EQ(Actual->Pixel(X, Y), PixelFor(FontColor)) << "at (" << X << ", " << Y << ")";
      }
  EXPECT_GT(Full, 0);
}

TEST(KitDrawTextTest, EnhancedExtrusionBlendsTowardsTheLightRoundingHalvesToEven) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdExtrudeEnh, 1, 2);
  Look->SetShadowColor(ColorOf(0, 0, 3));
  Look->SetLightColor(ColorOf(255, 1, 0));
  KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
  // Weight 1/2: red 127.5 -> 128, green 0.5 -> 0, blue 1.5 -> 2.
  DrawCopies(*Expected, TextRect, 0, LeftFormat,
             {{ColorOf(128, 0, 2), 1, 1}, {ColorOf(0, 0, 3), 2, 2}, {FontColor, 2, 2}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, EnhancedExtrusionFarthestCopyIsNearestTheLight) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdExtrudeEnh, 1, 4);
  Look->SetShadowColor(clBlack);
  Look->SetLightColor(clWhite);
  Look->SetOrientation(TKitThreeDOrientation::toBottomRight);
  KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
  // Weights 3/4, 2/4, 1/4, 0: 191.25, 127.5, 63.75, 0.
  DrawCopies(*Expected, TextRect, 0, LeftFormat,
             {{ColorOf(191, 191, 191), 4, 4},
              {ColorOf(128, 128, 128), 3, 3},
              {ColorOf(64, 64, 64), 2, 2},
              {clBlack, 1, 1},
              {FontColor, 1, 1}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, EnhancedExtrusionBlendsSystemColoursByTheirStoredBytes) {
  auto Actual = Sheet();
  auto Expected = Sheet();
  auto Look = Caption(TKitThreeDStyle::tdExtrudeEnh, 1, 2);
  Look->SetShadowColor(clBtnShadow);
  Look->SetLightColor(clWhite);
  KitDrawText(Actual->Canvas(), Sample, Look.get(), TextRect, LeftFormat);
  // clBtnShadow's bytes are 0x10, 0, 0: (16 + 255) / 2 = 135.5 -> 136, 127.5 -> 128; the
  // last step, weight 0, is those bytes as a plain colour.
  DrawCopies(*Expected, TextRect, 0, LeftFormat,
             {{ColorOf(136, 128, 128), 1, 1}, {ColorOf(16, 0, 0), 2, 2}, {FontColor, 2, 2}});
  EXPECT_TRUE(SameImage(*Actual, *Expected));
}

TEST(KitDrawTextTest, OutlineDrawsOnlyTheContoursWithAPenOfShadowDepth) {
  auto Outline = Sheet(160, 160);
  auto Solid = Sheet(160, 160);
  const TRect Area{0, 0, 160, 160};
  for (TBitmap* Bitmap : {Outline.get(), Solid.get()}) Bitmap->Canvas().Font.SetHeight(-140);
  auto Look = Caption(TKitThreeDStyle::tdOutline, 1, 2);
  KitDrawText(Outline->Canvas(), "I", Look.get(), Area, LeftFormat);
  DrawCopies(*Solid, Area, 0, LeftFormat, {{FontColor, 1, 1}}, "I");

  const TRect Stem = InkBounds(*Solid);
  ASSERT_GT(Stem.Width(), 12);
  const int CentreX = (Stem.Left + Stem.Right) / 2;
  const int CentreY = (Stem.Top + Stem.Bottom) / 2;
  EXPECT_EQ(Solid->Pixel(CentreX, CentreY), PixelFor(FontColor));
  EXPECT_EQ(Outline->Pixel(CentreX, CentreY), PixelFor(Background));
  EXPECT_GT(CountPixels(*Outline, FontColor), 0);
  // The contour lies along the solid glyph's edges, within the pen's reach.
  const TRect Contour = InkBounds(*Outline);
  EXPECT_LE(std::abs(Contour.Left - Stem.Left), 2);
  EXPECT_LE(std::abs(Contour.Right - Stem.Right), 2);
  EXPECT_EQ(Outline->Canvas().Pen.Width, 2);
  EXPECT_EQ(Outline->Canvas().Pen.Color, FontColor);
}

TEST(KitDrawTextTest, RotatedTextRunsUpwardsFromTheRectanglesOrigin) {
  auto Rotated = Sheet(120, 300);
  auto RotatedRight = Sheet(120, 300);
  TKitFxCaption Fx;
  Fx.SetAngle(90);
  Fx.SetPosXY(10, 250);
  KitDrawText(Rotated->Canvas(), Sample, &Fx, {0, 0, 120, 300}, LeftFormat);
  KitDrawText(RotatedRight->Canvas(), Sample, &Fx, {0, 0, 120, 300}, RightFormat);
  const TRect Box = InkBounds(*Rotated);
  EXPECT_GT(Box.Height(), Box.Width());
  EXPECT_LE(Box.Bottom, 252);
  EXPECT_GE(Box.Left, 9);
  // Placed by its origin only, so the alignment flags do not move it.
  EXPECT_TRUE(SameImage(*RotatedRight, *Rotated));
  EXPECT_EQ(Rotated->Canvas().Font.Escapement(), 900);
}
