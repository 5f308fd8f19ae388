// Bevel settings: the couplings of the setters and the changes they report, the extents, the
// recreation query, assignment, the client rectangle and the painting of every mode.
#include <gtest/gtest.h>

#include "controls/draw/FramePixels.h"
#include "controls/draw/KitBevel.h"
#include "controls/draw/KitSimpleBevel.h"
#include "core/Exception.h"

namespace {

// Counts the changes an object reports.
template <class TSettings>
class TWatched : public TSettings {
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

using TWatchedBevel = TWatched<TKitBevel>;
using TWatchedSimpleBevel = TWatched<TKitSimpleBevel>;

constexpr TRect Client{4, 3, 30, 22};

// --- Setters -----------------------------------------------------------------------------

TEST(BevelSetterTest, ShadowStyleCouplesInnerAndOuter) {
  TWatchedBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvShadow);
  EXPECT_EQ(Bevel.StyleInner(), TKitBevelStyle::bvShadow);
  Bevel.SetStyleInner(TKitBevelStyle::bvLowered);
  EXPECT_EQ(Bevel.StyleOuter(), TKitBevelStyle::bvNone);
  EXPECT_EQ(Bevel.StyleInner(), TKitBevelStyle::bvLowered);
  Bevel.SetStyleInner(TKitBevelStyle::bvShadow);
  EXPECT_EQ(Bevel.StyleOuter(), TKitBevelStyle::bvShadow);
  Bevel.SetStyleOuter(TKitBevelStyle::bvRaised);
  EXPECT_EQ(Bevel.StyleInner(), TKitBevelStyle::bvNone);
  EXPECT_EQ(Bevel.Changes, 4);
  EXPECT_EQ(Bevel.LastSender, &Bevel);
}

TEST(BevelSetterTest, StylesWithoutShadowLeaveEachOtherAlone) {
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvRaised);
  Bevel.SetStyleInner(TKitBevelStyle::bvFrameLowered);
  EXPECT_EQ(Bevel.StyleOuter(), TKitBevelStyle::bvRaised);
  EXPECT_EQ(Bevel.StyleInner(), TKitBevelStyle::bvFrameLowered);
}

TEST(BevelSetterTest, EqualValuesReportNothing) {
  TWatchedBevel Bevel;
  Bevel.SetStyleInner(TKitBevelStyle::bvNone);
  Bevel.SetWidthOuter(1);
  Bevel.SetBorderColor(clBtnFace);
  Bevel.SetLightColor(clBtnHighlight);
  Bevel.SetShadowColor(clBtnShadow);
  Bevel.SetBorderSides({TKitFrameSide::fsTop, TKitFrameSide::fsLeft, TKitFrameSide::fsBottom,
                        TKitFrameSide::fsRight});
  Bevel.SetEdgeStyle(TKitEdgeStyle::etEtched);
  Bevel.SetMode(TKitBevelMode::bmCustom);
  Bevel.SetStandardStyle(TKitBorderStyle::lsSingleLowered);
  EXPECT_EQ(Bevel.Changes, 0);
}

TEST(BevelSetterTest, ColourIndexesAndAnUnknownIndex) {
  TWatchedBevel Bevel;
  Bevel.SetColor(0, clRed);
  Bevel.SetColor(1, clLime);
  Bevel.SetColor(2, clBlue);
  EXPECT_EQ(Bevel.BorderColor(), clRed);
  EXPECT_EQ(Bevel.LightColor(), clLime);
  EXPECT_EQ(Bevel.ShadowColor(), clBlue);
  EXPECT_EQ(Bevel.Changes, 3);
  Bevel.SetColor(3, clYellow);
  EXPECT_EQ(Bevel.Changes, 4);
  EXPECT_EQ(Bevel.BorderColor(), clRed);
  EXPECT_EQ(Bevel.LightColor(), clLime);
  EXPECT_EQ(Bevel.ShadowColor(), clBlue);
}

TEST(BevelSetterTest, StandardStyleReportsOnlyInStandardMode) {
  TWatchedBevel Bevel;
  Bevel.SetStandardStyle(TKitBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.StandardStyle(), TKitBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.BevelExtend(), 0);
  Bevel.SetMode(TKitBevelMode::bmStandard);
  EXPECT_EQ(Bevel.Changes, 1);
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetStandardStyle(TKitBorderStyle::lsSingle);
  EXPECT_EQ(Bevel.Changes, 2);
  EXPECT_EQ(Bevel.BevelExtend(), 1);
}

TEST(BevelSetterTest, WidthsClampToTheirRanges) {
  TWatchedBevel Bevel;
  Bevel.SetWidthOuter(80);
  Bevel.SetWidthInner(-5);
  Bevel.SetBorderWidth(300);
  Bevel.SetBorderInnerWidth(256);
  EXPECT_EQ(Bevel.WidthOuter(), MaxBevelWidth);
  EXPECT_EQ(Bevel.WidthInner(), 0);
  EXPECT_EQ(Bevel.BorderWidth(), MaxBorderWidth);
  EXPECT_EQ(Bevel.BorderInnerWidth(), MaxBorderWidth);
  EXPECT_EQ(Bevel.Changes, 4);
  // A value that clamps to the current one is no change.
  Bevel.SetWidthOuter(51);
  Bevel.SetBorderWidth(1000);
  EXPECT_EQ(Bevel.Changes, 4);
}

TEST(BevelSetterTest, UpdateBracketHoldsTheReportButNotTheExtents) {
  TWatchedBevel Bevel;
  Bevel.BeginUpdate();
  Bevel.SetStyleOuter(TKitBevelStyle::bvRaised);
  Bevel.SetWidthOuter(3);
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.BevelExtend(), 3);
  Bevel.EndUpdate(true);
  EXPECT_EQ(Bevel.Changes, 1);
}

// --- Recreation query --------------------------------------------------------------------

TEST(BevelRecreateTest, WindowsModeSwitchesAskForANewWindowWithNativeBorders) {
  TKitBevel Bevel;
  Bevel.SetNativeBorderSupported(true);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
  Bevel.SetMode(TKitBevelMode::bmWindows);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  // While bmWindows is on with native borders, every query asks.
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  Bevel.SetMode(TKitBevelMode::bmEdge);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  EXPECT_FALSE(Bevel.QueryRecreateWindow()) << "the pending switch is cleared";
  Bevel.SetMode(TKitBevelMode::bmStandard);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
}

TEST(BevelRecreateTest, WithoutNativeBordersNothingIsRecreated) {
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmWindows);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
  // With support granted, switching away from bmWindows asks for a new window.
  Bevel.SetNativeBorderSupported(true);
  Bevel.SetMode(TKitBevelMode::bmCustom);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
}

// --- Extents and client rectangle --------------------------------------------------------

TEST(BevelExtendTest, DefaultBevelTakesNoSpace) {
  TKitBevel Bevel;
  EXPECT_EQ(Bevel.GetBevelExtend(), 0);
  EXPECT_EQ(Bevel.ClientRect(Client), Client);
}

TEST(BevelExtendTest, CustomFramesAndBorderSpaces) {
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvFrameLowered);
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetStyleOuter(TKitBevelStyle::bvRaised);
  Bevel.SetWidthOuter(3);
  Bevel.SetStyleInner(TKitBevelStyle::bvFrameRaised);
  Bevel.SetWidthInner(2);
  Bevel.SetBorderWidth(4);
  Bevel.SetBorderInnerWidth(1);
  EXPECT_EQ(Bevel.BevelExtend(), 3 + 4 + 3 + 1);
  EXPECT_EQ(Bevel.BevelExtendRightBottom(), Bevel.BevelExtend());
  EXPECT_EQ(Bevel.ClientRect(Client), InflateRect(Client, -11, -11));
}

TEST(BevelExtendTest, BorderSpacesCountWithoutFramesButFrameWidthsDoNot) {
  TKitBevel Bevel;
  Bevel.SetWidthOuter(5);
  Bevel.SetBorderWidth(4);
  Bevel.SetBorderInnerWidth(2);
  EXPECT_EQ(Bevel.BevelExtend(), 6);
}

TEST(BevelExtendTest, ShadowTakesMoreOnTheRightAndBottom) {
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvShadow);
  Bevel.SetWidthOuter(3);
  Bevel.SetWidthInner(2);
  Bevel.SetBorderInnerWidth(1);
  Bevel.SetBorderWidth(9);  // not part of the shadow style
  EXPECT_EQ(Bevel.BevelExtend(), 3);
  EXPECT_EQ(Bevel.BevelExtendRightBottom(), 6);
  EXPECT_EQ(Bevel.ClientRect(Client), (TRect{7, 6, 24, 16}));
}

TEST(BevelExtendTest, StandardEdgeAndWindowsModes) {
  TKitBevel Bevel;
  Bevel.SetBorderInnerWidth(2);
  Bevel.SetMode(TKitBevelMode::bmStandard);
  Bevel.SetStandardStyle(TKitBorderStyle::lsLowered);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetMode(TKitBevelMode::bmEdge);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetBorderSides({});
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetMode(TKitBevelMode::bmWindows);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetNativeBorderSupported(true);
  Bevel.Change();
  EXPECT_EQ(Bevel.BevelExtend(), 0);
}

// --- Assignment --------------------------------------------------------------------------

TEST(BevelAssignTest, CopiesEverySettingAndReportsOnce) {
  TKitBevel Source;
  Source.SetStyleInner(TKitBevelStyle::bvFrameRaised);
  Source.SetStyleOuter(TKitBevelStyle::bvLowered);
  Source.SetWidthInner(4);
  Source.SetWidthOuter(5);
  Source.SetBorderSides({TKitFrameSide::fsLeft});
  Source.SetBorderInnerWidth(6);
  Source.SetBorderWidth(7);
  Source.SetBorderColor(clRed);
  Source.SetLightColor(clLime);
  Source.SetShadowColor(clBlue);
  Source.SetMode(TKitBevelMode::bmEdge);
  Source.SetStandardStyle(TKitBorderStyle::lsFrameInset);
  Source.SetEdgeStyle(TKitEdgeStyle::etBump);
  Source.SetNativeBorderSupported(true);

  TWatchedBevel Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  EXPECT_EQ(Target.StyleInner(), TKitBevelStyle::bvFrameRaised);
  EXPECT_EQ(Target.StyleOuter(), TKitBevelStyle::bvLowered);
  EXPECT_EQ(Target.WidthInner(), 4);
  EXPECT_EQ(Target.WidthOuter(), 5);
  EXPECT_EQ(Target.BorderSides(), TKitFrameSides{TKitFrameSide::fsLeft});
  EXPECT_EQ(Target.BorderInnerWidth(), 6);
  EXPECT_EQ(Target.BorderWidth(), 7);
  EXPECT_EQ(Target.BorderColor(), clRed);
  EXPECT_EQ(Target.LightColor(), clLime);
  EXPECT_EQ(Target.ShadowColor(), clBlue);
  EXPECT_EQ(Target.Mode(), TKitBevelMode::bmEdge);
  EXPECT_EQ(Target.StandardStyle(), TKitBorderStyle::lsFrameInset);
  EXPECT_EQ(Target.EdgeStyle(), TKitEdgeStyle::etBump);
  EXPECT_TRUE(Target.NativeBorderSupported());
  EXPECT_EQ(Target.BevelExtend(), 2 + 6);
}

TEST(BevelAssignTest, ItselfDoesNothing) {
  TWatchedBevel Bevel;
  Bevel.Assign(Bevel);
  EXPECT_EQ(Bevel.Changes, 0);
}

TEST(BevelAssignTest, OtherClassesCannotBeAssigned) {
  TWatchedBevel Bevel;
  TKitSimpleBevel Simple;
  Simple.SetWidth(7);
  try {
    Bevel.Assign(Simple);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TKitSimpleBevel to a TKitBevel");
  }
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.WidthInner(), 1);
}

// --- Painting ----------------------------------------------------------------------------

TEST(PaintBevelTest, ZeroExtentDrawsNothing) {
  TFrameSurface S;
  TKitBevel Bevel;
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, false), Client);
  // Frame widths and a standard style stored, but none of them shows in this mode.
  Bevel.SetWidthOuter(4);
  Bevel.SetStandardStyle(TKitBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, false), Client);
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, StandardSingleLoweredIsOnePixel) {
  TFrameSurface S;
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmStandard);
  EXPECT_EQ(Bevel.BevelExtend(), 1);
  PaintRing(S.Expected, Client, PxShadow, PxHighlight);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -1, -1));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, FrameLoweredWidthOneTakesTwo) {
  TFrameSurface S;
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvFrameLowered);
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  // Light outline shifted in by one, shadow outline at the edge.
  PaintFrame(S.Expected, {5, 4, 30, 22}, PxHighlight);
  PaintFrame(S.Expected, {4, 3, 29, 21}, PxShadow);
  const TRect Inside = Bevel.PaintBevel(S.Canvas(), Client, true);
  EXPECT_EQ(Inside, InflateRect(Client, -2, -2));
  EXPECT_EQ(Inside, Bevel.ClientRect(Client));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, EdgeOnTheTopOnlyStillTakesTwoEverywhere) {
  TFrameSurface S;
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmEdge);
  Bevel.SetBorderSides({TKitFrameSide::fsTop});
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  // Etched: shadow line, then a highlight line under it, the full width.
  Paint(S.Expected, {4, 3, 30, 4}, PxShadow);
  Paint(S.Expected, {4, 4, 30, 5}, PxHighlight);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -2, -2));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, EdgeStyleAndSidesReachTheEdgeRoutine) {
  TFrameSurface S;
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmEdge);
  Bevel.SetEdgeStyle(TKitEdgeStyle::etRaisedOuter);
  Bevel.SetBorderSides({TKitFrameSide::fsBottom, TKitFrameSide::fsRight});
  PaintRing(S.Expected, Client, Marker, PxDkShadow, BF_BOTTOM | BF_RIGHT);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -2, -2));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, BorderSpacesArePaintedUnlessTransparent) {
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvRaised);
  Bevel.SetStyleInner(TKitBevelStyle::bvLowered);
  Bevel.SetBorderWidth(2);
  Bevel.SetBorderInnerWidth(1);
  Bevel.SetBorderColor(clRed);
  Bevel.SetLightColor(clYellow);
  Bevel.SetShadowColor(clNavy);
  EXPECT_EQ(Bevel.BevelExtend(), 5);
  const TPixel PxRed = Rgb(255, 0, 0);
  const TPixel PxYellow = Rgb(255, 255, 0);
  const TPixel PxNavy = Rgb(0, 0, 128);
  // A one-pixel 3D frame: top-left lines stop short of the top-right corner.
  auto PaintLineFrame = [](TBitmap& B, TRect R, TPixel TopLeft, TPixel BottomRight) {
    Paint(B, {R.Left, R.Top, R.Left + 1, R.Bottom}, TopLeft);
    Paint(B, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
    Paint(B, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
    Paint(B, {R.Left + 1, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
  };
  for (bool Transparent : {false, true}) {
    SCOPED_TRACE(Transparent ? "transparent" : "opaque");
    TFrameSurface S;
    PaintLineFrame(S.Expected, Client, PxYellow, PxNavy);
    if (!Transparent) {
      PaintFrame(S.Expected, InflateRect(Client, -1, -1), PxRed);
      PaintFrame(S.Expected, InflateRect(Client, -2, -2), PxRed);
    }
    PaintLineFrame(S.Expected, InflateRect(Client, -3, -3), PxNavy, PxYellow);
    if (!Transparent) PaintFrame(S.Expected, InflateRect(Client, -4, -4), PxRed);
    EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, Transparent), InflateRect(Client, -5, -5));
    EXPECT_EQ(S.Differences(), "");
  }
}

TEST(PaintBevelTest, ShadowStyleEndsAtTheClientRectangle) {
  TFrameSurface S;
  TKitBevel Bevel;
  Bevel.SetStyleOuter(TKitBevelStyle::bvShadow);
  Bevel.SetWidthOuter(3);
  Bevel.SetWidthInner(2);
  Bevel.SetBorderInnerWidth(1);
  Bevel.SetBorderColor(clRed);
  // Shadow on the right and bottom, border-coloured corners, then two highlight frames and one
  // border-coloured frame.
  Paint(S.Expected, {27, 6, 30, 22}, PxShadow);
  Paint(S.Expected, {7, 19, 30, 22}, PxShadow);
  Paint(S.Expected, {27, 3, 30, 6}, Rgb(255, 0, 0));
  Paint(S.Expected, {4, 19, 7, 22}, Rgb(255, 0, 0));
  PaintFrame(S.Expected, {4, 3, 27, 19}, PxHighlight);
  PaintFrame(S.Expected, {5, 4, 26, 18}, PxHighlight);
  PaintFrame(S.Expected, {6, 5, 25, 17}, Rgb(255, 0, 0));
  const TRect Inside = Bevel.PaintBevel(S.Canvas(), Client, false);
  EXPECT_EQ(Inside, (TRect{7, 6, 24, 16}));
  EXPECT_EQ(Inside, Bevel.ClientRect(Client));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, WindowsModeDrawsTheExtendedLoweredFrameOnlyWithoutNativeBorders) {
  TKitBevel Bevel;
  Bevel.SetMode(TKitBevelMode::bmWindows);
  {
    TFrameSurface S;
    PaintRing(S.Expected, Client, PxShadow, PxHighlight);
    PaintRing(S.Expected, InflateRect(Client, -1, -1), PxDkShadow, Marker, BF_TOP | BF_LEFT);
    EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -2, -2));
    EXPECT_EQ(S.Differences(), "");
  }
  Bevel.SetNativeBorderSupported(true);
  Bevel.Change();
  TFrameSurface S;
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), Client);
  EXPECT_EQ(S.Differences(), "");
}

// --- Simple bevel ------------------------------------------------------------------------

TEST(SimpleBevelTest, SettersReportOnlyEffectiveChanges) {
  TWatchedSimpleBevel Bevel;
  Bevel.SetColor(clBlack);
  Bevel.SetWidth(2);
  Bevel.SetStyle(TKitSimpleBevelStyle::sbNormal);
  Bevel.SetLightColor(clBtnHighlight);
  Bevel.SetShadowColor(clBtnShadow);
  EXPECT_EQ(Bevel.Changes, 0);
  Bevel.SetColor(0, clRed);
  Bevel.SetColor(1, clLime);
  Bevel.SetColor(2, clBlue);
  EXPECT_EQ(Bevel.LightColor(), clRed);
  EXPECT_EQ(Bevel.ShadowColor(), clLime);
  EXPECT_EQ(Bevel.Color(), clBlue);
  Bevel.SetColor(5, clWhite);
  EXPECT_EQ(Bevel.Changes, 4);
  Bevel.SetWidth(99);
  EXPECT_EQ(Bevel.Width(), MaxBevelWidth);
  Bevel.SetStyle(TKitSimpleBevelStyle::sbOffset);
  EXPECT_EQ(Bevel.Changes, 6);
}

TEST(SimpleBevelTest, AssignCopiesAllFiveAndReportsOnce) {
  TKitSimpleBevel Source;
  Source.SetColor(clRed);
  Source.SetWidth(9);
  Source.SetStyle(TKitSimpleBevelStyle::sbInset);
  Source.SetLightColor(clLime);
  Source.SetShadowColor(clBlue);
  TWatchedSimpleBevel Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  EXPECT_EQ(Target.Color(), clRed);
  EXPECT_EQ(Target.Width(), 9);
  EXPECT_EQ(Target.Style(), TKitSimpleBevelStyle::sbInset);
  EXPECT_EQ(Target.LightColor(), clLime);
  EXPECT_EQ(Target.ShadowColor(), clBlue);
  Target.Assign(Target);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(SimpleBevelTest, ABevelCannotBeAssigned) {
  TKitSimpleBevel Simple;
  TKitBevel Bevel;
  try {
    Simple.Assign(Bevel);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TKitBevel to a TKitSimpleBevel");
  }
}

}  // namespace
