// Layout settings objects: which changes are reported, assignment between the two layout
// classes, and the alignment helpers the layout routine places its block with.
#include <gtest/gtest.h>

#include "controls/button/LMDButtonLayout.h"
#include "controls/button/LMDDrawTextAndGlyph.h"
#include "framework/Exception.h"

namespace {

// Counts the changes a layout reports.
template <class TLayout>
class TWatched : public TLayout {
 public:
  TWatched() {
    this->OnChange = [this](TObject*) { ++Changes; };
  }
  int Changes = 0;
};

void SetPlacementAwayFromDefaults(TLMDGlyphTextLayout& Layout) {
  Layout.SetAlignment(TLMDAlignment::agBottomRight);
  Layout.SetAlignText2Glyph(TLMDTextArrange::taBottomLeft);
  Layout.SetOffsetX(-4);
  Layout.SetOffsetY(7);
  Layout.SetSpacing(9);
}

void ExpectPlacementAwayFromDefaults(const TLMDGlyphTextLayout& Layout) {
  EXPECT_EQ(Layout.Alignment(), TLMDAlignment::agBottomRight);
  EXPECT_EQ(Layout.AlignText2Glyph(), TLMDTextArrange::taBottomLeft);
  EXPECT_EQ(Layout.OffsetX(), -4);
  EXPECT_EQ(Layout.OffsetY(), 7);
  EXPECT_EQ(Layout.Spacing(), 9);
}

void SetArrowAwayFromDefaults(TLMDButtonLayout& Layout) {
  Layout.SetArrow(true);
  Layout.SetArrowColor(clRed);
  Layout.SetArrowIndent(6);
  Layout.SetArrowPosition(TLMDArrowPosition::apLeftGlyph);
  Layout.SetArrowSize(5);
}

void ExpectArrowDefaults(const TLMDButtonLayout& Layout) {
  EXPECT_FALSE(Layout.Arrow());
  EXPECT_EQ(Layout.ArrowColor(), clBlack);
  EXPECT_EQ(Layout.ArrowIndent(), 3);
  EXPECT_EQ(Layout.ArrowPosition(), TLMDArrowPosition::apRightText);
  EXPECT_EQ(Layout.ArrowSize(), 3);
}

class TOtherSettings : public TPersistent {
 public:
  const char* ClassName() const override { return "TOtherSettings"; }
};

}  // namespace

TEST(ButtonLayoutTest, EverySetterReportsOnlyRealChanges) {
  TWatched<TLMDButtonLayout> Layout;
  SetPlacementAwayFromDefaults(Layout);
  SetArrowAwayFromDefaults(Layout);
  EXPECT_EQ(Layout.Changes, 10);
  SetPlacementAwayFromDefaults(Layout);
  SetArrowAwayFromDefaults(Layout);
  EXPECT_EQ(Layout.Changes, 10);
}

TEST(ButtonLayoutTest, OffsetIndexOutsideTheTwoChangesNothing) {
  TWatched<TLMDButtonLayout> Layout;
  Layout.SetOffset(2, 5);
  Layout.SetOffset(-1, 5);
  EXPECT_EQ(Layout.Changes, 0);
  EXPECT_EQ(Layout.OffsetX(), 0);
  EXPECT_EQ(Layout.OffsetY(), 0);
  Layout.SetOffset(1, 5);
  EXPECT_EQ(Layout.OffsetY(), 5);
  EXPECT_EQ(Layout.OffsetX(), 0);
}

TEST(ButtonLayoutTest, AssignFromButtonLayoutCopiesAllTenWithOneChange) {
  TLMDButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  SetArrowAwayFromDefaults(Source);
  TWatched<TLMDButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
  EXPECT_TRUE(Target.Arrow());
  EXPECT_EQ(Target.ArrowColor(), clRed);
  EXPECT_EQ(Target.ArrowIndent(), 6);
  EXPECT_EQ(Target.ArrowPosition(), TLMDArrowPosition::apLeftGlyph);
  EXPECT_EQ(Target.ArrowSize(), 5);
}

TEST(ButtonLayoutTest, AssignFromPlainLayoutKeepsTheArrow) {
  TLMDGlyphTextLayout Source;
  SetPlacementAwayFromDefaults(Source);
  TWatched<TLMDButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
  ExpectArrowDefaults(Target);
}

TEST(ButtonLayoutTest, PlainLayoutTakesThePlacementOfAButtonLayout) {
  TLMDButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  SetArrowAwayFromDefaults(Source);
  TWatched<TLMDGlyphTextLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
}

TEST(ButtonLayoutTest, AssignReportsOneChangeEvenWhenNothingDiffers) {
  TLMDButtonLayout Source;
  TWatched<TLMDButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(ButtonLayoutTest, AssignToItselfDoesNothing) {
  TWatched<TLMDButtonLayout> Layout;
  Layout.Assign(Layout);
  EXPECT_EQ(Layout.Changes, 0);
}

TEST(ButtonLayoutTest, AssignHeldBackByAnOpenUpdate) {
  TLMDButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  TWatched<TLMDButtonLayout> Target;
  Target.BeginUpdate();
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 0);
  Target.EndUpdate(true);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(ButtonLayoutTest, AssignFromUnrelatedClassFailsAndChangesNothing) {
  TOtherSettings Other;
  TWatched<TLMDButtonLayout> Target;
  try {
    Target.Assign(Other);
    FAIL() << "no exception";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "Cannot assign a TOtherSettings to a TLMDButtonLayout");
  }
  EXPECT_EQ(Target.Changes, 0);
  EXPECT_EQ(Target.Alignment(), TLMDAlignment::agCenter);
  ExpectArrowDefaults(Target);
}

TEST(AlignRectTest, PlacesTheSourceSizeInEachOfTheNinePlaces) {
  const TRect Target{10, 20, 41, 61};  // 31 x 41
  const TRect Sized{0, 0, 10, 10};
  struct TCase {
    TLMDAlignment Alignment;
    int X;
    int Y;
  };
  // (31 - 10) / 2 = 10 and (41 - 10) / 2 = 15, truncated.
  const TCase Cases[] = {
      {TLMDAlignment::agTopLeft, 10, 20},     {TLMDAlignment::agTopCenter, 20, 20},
      {TLMDAlignment::agTopRight, 31, 20},    {TLMDAlignment::agCenterLeft, 10, 35},
      {TLMDAlignment::agCenter, 20, 35},      {TLMDAlignment::agCenterRight, 31, 35},
      {TLMDAlignment::agBottomLeft, 10, 51},  {TLMDAlignment::agBottomCenter, 20, 51},
      {TLMDAlignment::agBottomRight, 31, 51},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Alignment));
    EXPECT_EQ(LMDAlignRect(Case.Alignment, Sized, Target), Bounds(Case.X, Case.Y, 10, 10));
  }
  // Only the source's size counts, not where it lies.
  EXPECT_EQ(LMDAlignRect(TLMDAlignment::agCenter, OffsetRect(Sized, 70, -5), Target),
            Bounds(20, 35, 10, 10));
}

TEST(AlignRectTest, LargerSourceIsCentredTruncatingTowardsZero) {
  // (10 - 15) / 2 = -2, not -3.
  EXPECT_EQ(LMDAlignRect(TLMDAlignment::agCenter, {0, 0, 15, 15}, {0, 0, 10, 10}),
            Bounds(-2, -2, 15, 15));
  EXPECT_EQ(LMDAlignRect(TLMDAlignment::agBottomRight, {0, 0, 15, 15}, {0, 0, 10, 10}),
            Bounds(-5, -5, 15, 15));
}

TEST(AlignRectTest, MultiLineFormatOfEachAlignment) {
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agTopLeft), 0u);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agTopCenter), DT_CENTER);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agTopRight), DT_RIGHT);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agCenterLeft), DT_VCENTER);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agCenter), DT_VCENTER | DT_CENTER);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agCenterRight), DT_VCENTER | DT_RIGHT);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agBottomLeft), DT_BOTTOM);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agBottomCenter), DT_BOTTOM | DT_CENTER);
  EXPECT_EQ(LMDAlignmentFormat(TLMDAlignment::agBottomRight), DT_BOTTOM | DT_RIGHT);
}
