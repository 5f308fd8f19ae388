// Caption settings objects: which changes are reported, the indexed setters, assignment between
// caption classes, the silent position setter and the angle's range.
#include <gtest/gtest.h>

#include "controls/draw/LMDCaption3D.h"
#include "controls/draw/LMDFxCaption.h"
#include "framework/Exception.h"

namespace {

// Counts the changes a caption reports and remembers who reported the last one.
template <class TCaption>
class TWatched : public TCaption {
 public:
  TWatched() {
    this->OnChange = [this](TObject* Sender) {
      ++Changes;
      LastSender = Sender;
    };
  }
  int Changes = 0;
  TObject* LastSender = nullptr;
};

using TWatched3D = TWatched<TLMD3DCaption>;
using TWatchedFx = TWatched<TLMDFxCaption>;

// Every setting Assign transfers, set away from the defaults.
void SetAllAwayFromDefaults(TLMD3DCaption& Caption) {
  Caption.SetDisabledStyle(TLMDDisabledStyle::ds3d);
  Caption.SetLightDepth(3);
  Caption.SetShadowDepth(4);
  Caption.SetLightColor(clRed);
  Caption.SetShadowColor(clNavy);
  Caption.SetStyle(TLMDThreeDStyle::tdExtrudeEnh);
  Caption.SetTracing(-2);
}

void ExpectAllAwayFromDefaults(const TLMD3DCaption& Caption) {
  EXPECT_EQ(Caption.DisabledStyle(), TLMDDisabledStyle::ds3d);
  EXPECT_EQ(Caption.LightDepth(), 3);
  EXPECT_EQ(Caption.ShadowDepth(), 4);
  EXPECT_EQ(Caption.LightColor(), clRed);
  EXPECT_EQ(Caption.ShadowColor(), clNavy);
  EXPECT_EQ(Caption.Style(), TLMDThreeDStyle::tdExtrudeEnh);
  EXPECT_EQ(Caption.Tracing(), -2);
}

// An object of a class unrelated to the captions.
class TOtherSettings : public TPersistent {
 public:
  const char* ClassName() const override { return "TOtherSettings"; }
};

}  // namespace

TEST(Caption3DTest, DefaultsAreTheStoredFormsDefaults) {
  TLMD3DCaption Caption;
  EXPECT_EQ(Caption.DisabledStyle(), TLMDDisabledStyle::dsAuto);
  EXPECT_EQ(Caption.LightDepth(), 1);
  EXPECT_EQ(Caption.ShadowDepth(), 1);
  EXPECT_EQ(Caption.LightColor(), static_cast<TColor>(0x80000014u));
  EXPECT_EQ(Caption.ShadowColor(), static_cast<TColor>(0x80000010u));
  EXPECT_EQ(Caption.Orientation(), TLMDThreeDOrientation::toTopLeft);
  EXPECT_EQ(Caption.Style(), TLMDThreeDStyle::tdNone);
  EXPECT_EQ(Caption.Tracing(), 0);
  EXPECT_STREQ(Caption.ClassName(), "TLMD3DCaption");
  EXPECT_STREQ(TLMDFxCaption().ClassName(), "TLMDFxCaption");
}

TEST(Caption3DTest, EnumerationsKeepTheirStoredValues) {
  EXPECT_EQ(static_cast<int>(TLMDThreeDStyle::tdExtrudeEnh), 10);
  EXPECT_EQ(static_cast<int>(TLMDThreeDStyle::tdOutline), 8);
  EXPECT_EQ(static_cast<int>(TLMDThreeDOrientation::toTopRight), 3);
  EXPECT_EQ(static_cast<int>(TLMDDisabledStyle::dsNone), 3);
  EXPECT_EQ(static_cast<int>(TLMDDrawTextStyle::dtCalculate), 9);
}

TEST(Caption3DTest, EveryEffectiveChangeIsReportedOnceWithTheCaptionAsSender) {
  TWatched3D Caption;
  Caption.SetDisabledStyle(TLMDDisabledStyle::dsNone);
  Caption.SetLightDepth(2);
  Caption.SetShadowDepth(0);
  Caption.SetLightColor(clBlack);
  Caption.SetShadowColor(clWhite);
  Caption.SetOrientation(TLMDThreeDOrientation::toBottomRight);
  Caption.SetStyle(TLMDThreeDStyle::tdOutline);
  Caption.SetTracing(5);
  EXPECT_EQ(Caption.Changes, 8);
  EXPECT_EQ(Caption.LastSender, &Caption);
}

TEST(Caption3DTest, SettingTheCurrentValueReportsNothing) {
  TWatched3D Caption;
  Caption.SetDisabledStyle(TLMDDisabledStyle::dsAuto);
  Caption.SetLightDepth(1);
  Caption.SetShadowDepth(1);
  Caption.SetLightColor(clBtnHighlight);
  Caption.SetShadowColor(clBtnShadow);
  Caption.SetOrientation(TLMDThreeDOrientation::toTopLeft);
  Caption.SetStyle(TLMDThreeDStyle::tdNone);
  Caption.SetTracing(0);
  Caption.SetColor(0, clBtnHighlight);
  Caption.SetDepth(1, 1);
  EXPECT_EQ(Caption.Changes, 0);
}

TEST(Caption3DTest, IndexedSettersChooseLightOrShadow) {
  TLMD3DCaption Caption;
  Caption.SetColor(0, clRed);
  Caption.SetColor(1, clLime);
  Caption.SetDepth(0, 7);
  Caption.SetDepth(1, 9);
  EXPECT_EQ(Caption.LightColor(), clRed);
  EXPECT_EQ(Caption.ShadowColor(), clLime);
  EXPECT_EQ(Caption.LightDepth(), 7);
  EXPECT_EQ(Caption.ShadowDepth(), 9);
}

TEST(Caption3DTest, AnUnknownIndexStoresNothingButStillReportsAChange) {
  TWatched3D Caption;
  Caption.SetColor(2, clRed);
  Caption.SetColor(-1, clRed);
  Caption.SetDepth(2, 5);
  EXPECT_EQ(Caption.Changes, 3);
  EXPECT_EQ(Caption.LightColor(), clBtnHighlight);
  EXPECT_EQ(Caption.ShadowColor(), clBtnShadow);
  EXPECT_EQ(Caption.LightDepth(), 1);
  EXPECT_EQ(Caption.ShadowDepth(), 1);
}

TEST(Caption3DTest, AnUpdateBracketHoldsChangesBack) {
  TWatched3D Caption;
  Caption.BeginUpdate();
  Caption.SetStyle(TLMDThreeDStyle::tdRaised);
  Caption.SetLightColor(clRed);
  EXPECT_EQ(Caption.Changes, 0);
  Caption.EndUpdate(true);
  EXPECT_EQ(Caption.Changes, 1);
  Caption.BeginUpdate();
  Caption.SetTracing(1);
  Caption.EndUpdate(false);
  EXPECT_EQ(Caption.Changes, 1);
  EXPECT_EQ(Caption.Tracing(), 1);
}

TEST(Caption3DTest, AssignCopiesEverythingButOrientationWithOneChange) {
  TLMD3DCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetOrientation(TLMDThreeDOrientation::toBottomLeft);
  TWatched3D Target;
  Target.SetOrientation(TLMDThreeDOrientation::toTopRight);
  Target.Changes = 0;

  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.Orientation(), TLMDThreeDOrientation::toTopRight);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(Caption3DTest, AssignReportsAChangeEvenWhenNothingDiffers) {
  TLMD3DCaption Source;
  TWatched3D Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(Caption3DTest, AssigningItselfDoesNothing) {
  TWatched3D Caption;
  Caption.Assign(Caption);
  EXPECT_EQ(Caption.Changes, 0);
}

TEST(Caption3DTest, AssignFromAnUnrelatedClassFailsAndLeavesTheTargetAlone) {
  TOtherSettings Other;
  TWatched3D Caption;
  Caption.SetStyle(TLMDThreeDStyle::tdShadow);
  Caption.Changes = 0;
  try {
    Caption.Assign(Other);
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "Cannot assign a TOtherSettings to a TLMD3DCaption");
  }
  EXPECT_EQ(Caption.Style(), TLMDThreeDStyle::tdShadow);
  EXPECT_EQ(Caption.Changes, 0);

  TLMDObject Base;
  TLMDFxCaption Fx;
  EXPECT_THROW(Fx.Assign(Base), EConvertError);
}

TEST(LMDFxCaptionTest, AssignBetweenExtendedCaptionsAlsoCopiesPositionAndAngle) {
  TLMDFxCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetPosX(12);
  Source.SetPosY(34);
  Source.SetAngle(270);
  Source.SetOrientation(TLMDThreeDOrientation::toBottomRight);
  TWatchedFx Target;

  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.PosX(), 12);
  EXPECT_EQ(Target.PosY(), 34);
  EXPECT_EQ(Target.Angle(), 270);
  EXPECT_EQ(Target.Orientation(), TLMDThreeDOrientation::toTopLeft);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(LMDFxCaptionTest, APlainSourceLeavesPositionAndAngleAlone) {
  TLMD3DCaption Source;
  SetAllAwayFromDefaults(Source);
  TWatchedFx Target;
  Target.SetPosXY(5, 6);
  Target.SetAngle(45);
  Target.Changes = 0;

  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.PosX(), 5);
  EXPECT_EQ(Target.PosY(), 6);
  EXPECT_EQ(Target.Angle(), 45);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(LMDFxCaptionTest, APlainTargetTakesThePlainSettingsOfAnExtendedSource) {
  TLMDFxCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetAngle(90);
  TWatched3D Target;
  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(LMDFxCaptionTest, AssigningItselfDoesNothing) {
  TWatchedFx Caption;
  Caption.Assign(Caption);
  EXPECT_EQ(Caption.Changes, 0);
}

TEST(LMDFxCaptionTest, PositionSetterFollowsTheIndexRules) {
  TWatchedFx Caption;
  Caption.SetPos(0, 3);
  Caption.SetPos(1, 4);
  Caption.SetPos(1, 4);
  Caption.SetPos(7, 9);
  EXPECT_EQ(Caption.PosX(), 3);
  EXPECT_EQ(Caption.PosY(), 4);
  EXPECT_EQ(Caption.Changes, 3);
}

TEST(LMDFxCaptionTest, SetPosXYReportsNoChangeAndClosesItsBracket) {
  TWatchedFx Caption;
  Caption.SetPosXY(65535, 2);
  EXPECT_EQ(Caption.PosX(), 65535);
  EXPECT_EQ(Caption.PosY(), 2);
  EXPECT_EQ(Caption.Changes, 0);
  EXPECT_FALSE(Caption.Updating());
  Caption.SetPosY(3);
  EXPECT_EQ(Caption.Changes, 1);
}

TEST(LMDFxCaptionTest, AFullTurnIsStoredAsZero) {
  TWatchedFx Caption;
  Caption.SetAngle(360);
  EXPECT_EQ(Caption.Angle(), 0);
  EXPECT_EQ(Caption.Changes, 0);
  Caption.SetAngle(359);
  EXPECT_EQ(Caption.Angle(), 359);
  Caption.SetAngle(360);
  EXPECT_EQ(Caption.Angle(), 0);
  EXPECT_EQ(Caption.Changes, 2);
}

TEST(LMDFxCaptionTest, AnglesPastAFullTurnAreReduced) {
  TWatchedFx Caption;
  Caption.SetAngle(450);
  EXPECT_EQ(Caption.Angle(), 90);
  Caption.SetAngle(65535);
  EXPECT_EQ(Caption.Angle(), 65535 % 360);
  Caption.SetAngle(65535 % 360 + 360);
  EXPECT_EQ(Caption.Changes, 2);
}

TEST(LMDDrawTextStylesTest, HoldsAllTenStylesIndependently) {
  TLMDDrawTextStyles Styles{TLMDDrawTextStyle::dtDisabled, TLMDDrawTextStyle::dtCalculate};
  EXPECT_TRUE(Styles.Contains(TLMDDrawTextStyle::dtDisabled));
  EXPECT_TRUE(Styles.Contains(TLMDDrawTextStyle::dtCalculate));
  EXPECT_FALSE(Styles.Contains(TLMDDrawTextStyle::dtRectGlyphText));
  Styles.Include(TLMDDrawTextStyle::dtClip);
  Styles.Exclude(TLMDDrawTextStyle::dtDisabled);
  Styles.Exclude(TLMDDrawTextStyle::dtCalculate);
  EXPECT_EQ(Styles, TLMDDrawTextStyles{TLMDDrawTextStyle::dtClip});
  Styles.Exclude(TLMDDrawTextStyle::dtClip);
  EXPECT_TRUE(Styles.Empty());
  EXPECT_EQ(sizeof(TLMDDrawTextStyles), 2u);
}
