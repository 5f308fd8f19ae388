// Layout settings objects: which changes are reported, assignment between the two layout
// classes, and the alignment helpers the layout routine places its block with.
#include <gtest/gtest.h>

#include "controls/button/KitButtonLayout.h"
#include "controls/button/KitDrawTextAndGlyph.h"
#include "core/Exception.h"

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

void SetPlacementAwayFromDefaults(TKitGlyphTextLayout& Layout) {
  Layout.SetAlignment(TKitAlignment::agBottomRight);
  Layout.SetAlignText2Glyph(TKitTextArrange::taBottomLeft);
  Layout.SetOffsetX(-4);
  Layout.SetOffsetY(7);
  Layout.SetSpacing(9);
}

void ExpectPlacementAwayFromDefaults(const TKitGlyphTextLayout& Layout) {
  EXPECT_EQ(Layout.Alignment(), TKitAlignment::agBottomRight);
  EXPECT_EQ(Layout.AlignText2Glyph(), TKitTextArrange::taBottomLeft);
  EXPECT_EQ(Layout.OffsetX(), -4);
  EXPECT_EQ(Layout.OffsetY(), 7);
  EXPECT_EQ(Layout.Spacing(), 9);
}

void SetArrowAwayFromDefaults(TKitButtonLayout& Layout) {
  Layout.SetArrow(true);
  Layout.SetArrowColor(clRed);
  Layout.SetArrowIndent(6);
  Layout.SetArrowPosition(TKitArrowPosition::apLeftGlyph);
  Layout.SetArrowSize(5);
}

void ExpectArrowDefaults(const TKitButtonLayout& Layout) {
  EXPECT_FALSE(Layout.Arrow());
  EXPECT_EQ(Layout.ArrowColor(), clBlack);
  EXPECT_EQ(Layout.ArrowIndent(), 3);
  EXPECT_EQ(Layout.ArrowPosition(), TKitArrowPosition::apRightText);
  EXPECT_EQ(Layout.ArrowSize(), 3);
}

class TOtherSettings : public TPersistent {
 public:
  const char* ClassName() const override { return "TOtherSettings"; }
};

}  // namespace

TEST(ButtonLayoutTest, EverySetterReportsOnlyRealChanges) {
  TWatched<TKitButtonLayout> Layout;
  SetPlacementAwayFromDefaults(Layout);
  SetArrowAwayFromDefaults(Layout);
  EXPECT_EQ(Layout.Changes, 10);
  SetPlacementAwayFromDefaults(Layout);
  SetArrowAwayFromDefaults(Layout);
  EXPECT_EQ(Layout.Changes, 10);
}

TEST(ButtonLayoutTest, OffsetIndexOutsideTheTwoChangesNothing) {
  TWatched<TKitButtonLayout> Layout;
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
  TKitButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  SetArrowAwayFromDefaults(Source);
  TWatched<TKitButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
  EXPECT_TRUE(Target.Arrow());
  EXPECT_EQ(Target.ArrowColor(), clRed);
  EXPECT_EQ(Target.ArrowIndent(), 6);
  EXPECT_EQ(Target.ArrowPosition(), TKitArrowPosition::apLeftGlyph);
  EXPECT_EQ(Target.ArrowSize(), 5);
}

TEST(ButtonLayoutTest, AssignFromPlainLayoutKeepsTheArrow) {
  TKitGlyphTextLayout Source;
  SetPlacementAwayFromDefaults(Source);
  TWatched<TKitButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
  ExpectArrowDefaults(Target);
}

TEST(ButtonLayoutTest, PlainLayoutTakesThePlacementOfAButtonLayout) {
  TKitButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  SetArrowAwayFromDefaults(Source);
  TWatched<TKitGlyphTextLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  ExpectPlacementAwayFromDefaults(Target);
}

TEST(ButtonLayoutTest, AssignReportsOneChangeEvenWhenNothingDiffers) {
  TKitButtonLayout Source;
  TWatched<TKitButtonLayout> Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(ButtonLayoutTest, AssignToItselfDoesNothing) {
  TWatched<TKitButtonLayout> Layout;
  Layout.Assign(Layout);
  EXPECT_EQ(Layout.Changes, 0);
}

TEST(ButtonLayoutTest, AssignHeldBackByAnOpenUpdate) {
  TKitButtonLayout Source;
  SetPlacementAwayFromDefaults(Source);
  TWatched<TKitButtonLayout> Target;
  Target.BeginUpdate();
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 0);
  Target.EndUpdate(true);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(ButtonLayoutTest, AssignFromUnrelatedClassFailsAndChangesNothing) {
  TOtherSettings Other;
  TWatched<TKitButtonLayout> Target;
  try {
    Target.Assign(Other);
    FAIL() << "no exception";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "Cannot assign a TOtherSettings to a TKitButtonLayout");
  }
  EXPECT_EQ(Target.Changes, 0);
  EXPECT_EQ(Target.Alignment(), TKitAlignment::agCenter);
  ExpectArrowDefaults(Target);
}

TEST(AlignRectTest, PlacesTheSourceSizeInEachOfTheNinePlaces) {
  const TRect Target{10, 20, 41, 61};  // 31 x 41
  const TRect Sized{0, 0, 10, 10};
  struct TCase {
    TKitAlignment Alignment;
    int X;
    int Y;
  };
  // (31 - 10) / 2 = 10 and (41 - 10) / 2 = 15, truncated.
  const TCase Cases[] = {
      {TKitAlignment::agTopLeft, 10, 20},     {TKitAlignment::agTopCenter, 20, 20},
      {TKitAlignment::agTopRight, 31, 20},    {TKitAlignment::agCenterLeft, 10, 35},
      {TKitAlignment::agCenter, 20, 35},      {TKitAlignment::agCenterRight, 31, 35},
      {TKitAlignment::agBottomLeft, 10, 51},  {TKitAlignment::agBottomCenter, 20, 51},
      {TKitAlignment::agBottomRight, 31, 51},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Alignment));
    EXPECT_EQ(KitAlignRect(Case.Alignment, Sized, Target), Bounds(Case.X, Case.Y, 10, 10));
  }
  // Only the source's size counts, not where it lies.
  EXPECT_EQ(KitAlignRect(TKitAlignment::agCenter, OffsetRect(Sized, 70, -5), Target),
            Bounds(20, 35, 10, 10));
}

TEST(AlignRectTest, LargerSourceIsCentredTruncatingTowardsZero) {
  // (10 - 15) / 2 = -2, not -3.
  EXPECT_EQ(KitAlignRect(TKitAlignment::agCenter, {0, 0, 15, 15}, {0, 0, 10, 10}),
            Bounds(-2, -2, 15, 15));
  EXPECT_EQ(KitAlignRect(TKitAlignment::agBottomRight, {0, 0, 15, 15}, {0, 0, 10, 10}),
            Bounds(-5, -5, 15, 15));
}

TEST(AlignRectTest, MultiLineFormatOfEachAlignment) {
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agTopLeft), 0u);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agTopCenter), DT_CENTER);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agTopRight), DT_RIGHT);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agCenterLeft), DT_VCENTER);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agCenter), DT_VCENTER | DT_CENTER);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agCenterRight), DT_VCENTER | DT_RIGHT);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agBottomLeft), DT_BOTTOM);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agBottomCenter), DT_BOTTOM | DT_CENTER);
  EXPECT_EQ(KitAlignmentFormat(TKitAlignment::agBottomRight), DT_BOTTOM | DT_RIGHT);
}
