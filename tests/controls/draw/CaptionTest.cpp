// Caption settings objects: which changes are reported, the indexed setters, assignment between
// caption classes, the silent position setter and the angle's range.
#include <gtest/gtest.h>

#include "controls/draw/KitCaption3D.h"
#include "controls/draw/KitFxCaption.h"
#include "core/Exception.h"

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

using TWatched3D = TWatched<TKit3DCaption>;
using TWatchedFx = TWatched<TKitFxCaption>;

// Every setting Assign transfers, set away from the defaults.
void SetAllAwayFromDefaults(TKit3DCaption& Caption) {
  Caption.SetDisabledStyle(TKitDisabledStyle::ds3d);
  Caption.SetLightDepth(3);
  Caption.SetShadowDepth(4);
  Caption.SetLightColor(clRed);
  Caption.SetShadowColor(clNavy);
  Caption.SetStyle(TKitThreeDStyle::tdExtrudeEnh);
  Caption.SetTracing(-2);
}

void ExpectAllAwayFromDefaults(const TKit3DCaption& Caption) {
  EXPECT_EQ(Caption.DisabledStyle(), TKitDisabledStyle::ds3d);
  EXPECT_EQ(Caption.LightDepth(), 3);
  EXPECT_EQ(Caption.ShadowDepth(), 4);
  EXPECT_EQ(Caption.LightColor(), clRed);
  EXPECT_EQ(Caption.ShadowColor(), clNavy);
  EXPECT_EQ(Caption.Style(), TKitThreeDStyle::tdExtrudeEnh);
  EXPECT_EQ(Caption.Tracing(), -2);
}

// An object of a class unrelated to the captions.
class TOtherSettings : public TPersistent {
 public:
  const char* ClassName() const override { return "TOtherSettings"; }
};

}  // namespace

TEST(Caption3DTest, DefaultsAreTheStoredFormsDefaults) {
  TKit3DCaption Caption;
  EXPECT_EQ(Caption.DisabledStyle(), TKitDisabledStyle::dsAuto);
  EXPECT_EQ(Caption.LightDepth(), 1);
  EXPECT_EQ(Caption.ShadowDepth(), 1);
  EXPECT_EQ(Caption.LightColor(), static_cast<TColor>(0x80000014u));
  EXPECT_EQ(Caption.ShadowColor(), static_cast<TColor>(0x80000010u));
  EXPECT_EQ(Caption.Orientation(), TKitThreeDOrientation::toTopLeft);
  EXPECT_EQ(Caption.Style(), TKitThreeDStyle::tdNone);
  EXPECT_EQ(Caption.Tracing(), 0);
  EXPECT_STREQ(Caption.ClassName(), "TKit3DCaption");
  EXPECT_STREQ(TKitFxCaption().ClassName(), "TKitFxCaption");
}

TEST(Caption3DTest, EnumerationsKeepTheirStoredValues) {
  EXPECT_EQ(static_cast<int>(TKitThreeDStyle::tdExtrudeEnh), 10);
  EXPECT_EQ(static_cast<int>(TKitThreeDStyle::tdOutline), 8);
  EXPECT_EQ(static_cast<int>(TKitThreeDOrientation::toTopRight), 3);
  EXPECT_EQ(static_cast<int>(TKitDisabledStyle::dsNone), 3);
  EXPECT_EQ(static_cast<int>(TKitDrawTextStyle::dtCalculate), 9);
}

TEST(Caption3DTest, EveryEffectiveChangeIsReportedOnceWithTheCaptionAsSender) {
  TWatched3D Caption;
  Caption.SetDisabledStyle(TKitDisabledStyle::dsNone);
  Caption.SetLightDepth(2);
  Caption.SetShadowDepth(0);
  Caption.SetLightColor(clBlack);
  Caption.SetShadowColor(clWhite);
  Caption.SetOrientation(TKitThreeDOrientation::toBottomRight);
  Caption.SetStyle(TKitThreeDStyle::tdOutline);
  Caption.SetTracing(5);
  EXPECT_EQ(Caption.Changes, 8);
  EXPECT_EQ(Caption.LastSender, &Caption);
}

TEST(Caption3DTest, SettingTheCurrentValueReportsNothing) {
  TWatched3D Caption;
  Caption.SetDisabledStyle(TKitDisabledStyle::dsAuto);
  Caption.SetLightDepth(1);
  Caption.SetShadowDepth(1);
  Caption.SetLightColor(clBtnHighlight);
  Caption.SetShadowColor(clBtnShadow);
  Caption.SetOrientation(TKitThreeDOrientation::toTopLeft);
  Caption.SetStyle(TKitThreeDStyle::tdNone);
  Caption.SetTracing(0);
  Caption.SetColor(0, clBtnHighlight);
  Caption.SetDepth(1, 1);
  EXPECT_EQ(Caption.Changes, 0);
}

TEST(Caption3DTest, IndexedSettersChooseLightOrShadow) {
  TKit3DCaption Caption;
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
  Caption.SetStyle(TKitThreeDStyle::tdRaised);
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
  TKit3DCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetOrientation(TKitThreeDOrientation::toBottomLeft);
  TWatched3D Target;
  Target.SetOrientation(TKitThreeDOrientation::toTopRight);
  Target.Changes = 0;

  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.Orientation(), TKitThreeDOrientation::toTopRight);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(Caption3DTest, AssignReportsAChangeEvenWhenNothingDiffers) {
  TKit3DCaption Source;
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
  Caption.SetStyle(TKitThreeDStyle::tdShadow);
  Caption.Changes = 0;
  try {
    Caption.Assign(Other);
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "Cannot assign a TOtherSettings to a TKit3DCaption");
  }
  EXPECT_EQ(Caption.Style(), TKitThreeDStyle::tdShadow);
  EXPECT_EQ(Caption.Changes, 0);

  TKitObject Base;
  TKitFxCaption Fx;
  EXPECT_THROW(Fx.Assign(Base), EConvertError);
}

TEST(KitFxCaptionTest, AssignBetweenExtendedCaptionsAlsoCopiesPositionAndAngle) {
  TKitFxCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetPosX(12);
  Source.SetPosY(34);
  Source.SetAngle(270);
  Source.SetOrientation(TKitThreeDOrientation::toBottomRight);
  TWatchedFx Target;

  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.PosX(), 12);
  EXPECT_EQ(Target.PosY(), 34);
  EXPECT_EQ(Target.Angle(), 270);
  EXPECT_EQ(Target.Orientation(), TKitThreeDOrientation::toTopLeft);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(KitFxCaptionTest, APlainSourceLeavesPositionAndAngleAlone) {
  TKit3DCaption Source;
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

TEST(KitFxCaptionTest, APlainTargetTakesThePlainSettingsOfAnExtendedSource) {
  TKitFxCaption Source;
  SetAllAwayFromDefaults(Source);
  Source.SetAngle(90);
  TWatched3D Target;
  Target.Assign(Source);
  ExpectAllAwayFromDefaults(Target);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(KitFxCaptionTest, AssigningItselfDoesNothing) {
  TWatchedFx Caption;
  Caption.Assign(Caption);
  EXPECT_EQ(Caption.Changes, 0);
}

TEST(KitFxCaptionTest, PositionSetterFollowsTheIndexRules) {
  TWatchedFx Caption;
  Caption.SetPos(0, 3);
  Caption.SetPos(1, 4);
  Caption.SetPos(1, 4);
  Caption.SetPos(7, 9);
  EXPECT_EQ(Caption.PosX(), 3);
  EXPECT_EQ(Caption.PosY(), 4);
  EXPECT_EQ(Caption.Changes, 3);
}

TEST(KitFxCaptionTest, SetPosXYReportsNoChangeAndClosesItsBracket) {
  TWatchedFx Caption;
  Caption.SetPosXY(65535, 2);
  EXPECT_EQ(Caption.PosX(), 65535);
  EXPECT_EQ(Caption.PosY(), 2);
  EXPECT_EQ(Caption.Changes, 0);
  EXPECT_FALSE(Caption.Updating());
  Caption.SetPosY(3);
  EXPECT_EQ(Caption.Changes, 1);
}

TEST(KitFxCaptionTest, AFullTurnIsStoredAsZero) {
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

TEST(KitFxCaptionTest, AnglesPastAFullTurnAreReduced) {
  TWatchedFx Caption;
  Caption.SetAngle(450);
  EXPECT_EQ(Caption.Angle(), 90);
  Caption.SetAngle(65535);
  EXPECT_EQ(Caption.Angle(), 65535 % 360);
  Caption.SetAngle(65535 % 360 + 360);
  EXPECT_EQ(Caption.Changes, 2);
}

TEST(KitDrawTextStylesTest, HoldsAllTenStylesIndependently) {
  TKitDrawTextStyles Styles{TKitDrawTextStyle::dtDisabled, TKitDrawTextStyle::dtCalculate};
  EXPECT_TRUE(Styles.Contains(TKitDrawTextStyle::dtDisabled));
  EXPECT_TRUE(Styles.Contains(TKitDrawTextStyle::dtCalculate));
  EXPECT_FALSE(Styles.Contains(TKitDrawTextStyle::dtRectGlyphText));
  Styles.Include(TKitDrawTextStyle::dtClip);
  Styles.Exclude(TKitDrawTextStyle::dtDisabled);
  Styles.Exclude(TKitDrawTextStyle::dtCalculate);
  EXPECT_EQ(Styles, TKitDrawTextStyles{TKitDrawTextStyle::dtClip});
  Styles.Exclude(TKitDrawTextStyle::dtClip);
  EXPECT_TRUE(Styles.Empty());
  EXPECT_EQ(sizeof(TKitDrawTextStyles), 2u);
}
