// Bevel settings: the couplings of the setters and the changes they report, the extents, the
// recreation query, assignment, the client rectangle and the painting of every mode.
#include <gtest/gtest.h>

#include "controls/draw/FramePixels.h"
#include "controls/draw/LMDBevel.h"
#include "controls/draw/LMDSimpleBevel.h"
#include "framework/Exception.h"

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

using TWatchedBevel = TWatched<TLMDBevel>;
using TWatchedSimpleBevel = TWatched<TLMDSimpleBevel>;

constexpr TRect Client{4, 3, 30, 22};

// --- Setters -----------------------------------------------------------------------------

TEST(BevelSetterTest, ShadowStyleCouplesInnerAndOuter) {
  TWatchedBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvShadow);
  EXPECT_EQ(Bevel.StyleInner(), TLMDBevelStyle::bvShadow);
  Bevel.SetStyleInner(TLMDBevelStyle::bvLowered);
  EXPECT_EQ(Bevel.StyleOuter(), TLMDBevelStyle::bvNone);
  EXPECT_EQ(Bevel.StyleInner(), TLMDBevelStyle::bvLowered);
  Bevel.SetStyleInner(TLMDBevelStyle::bvShadow);
  EXPECT_EQ(Bevel.StyleOuter(), TLMDBevelStyle::bvShadow);
  Bevel.SetStyleOuter(TLMDBevelStyle::bvRaised);
  EXPECT_EQ(Bevel.StyleInner(), TLMDBevelStyle::bvNone);
  EXPECT_EQ(Bevel.Changes, 4);
  EXPECT_EQ(Bevel.LastSender, &Bevel);
}

TEST(BevelSetterTest, StylesWithoutShadowLeaveEachOtherAlone) {
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvRaised);
  Bevel.SetStyleInner(TLMDBevelStyle::bvFrameLowered);
  EXPECT_EQ(Bevel.StyleOuter(), TLMDBevelStyle::bvRaised);
  EXPECT_EQ(Bevel.StyleInner(), TLMDBevelStyle::bvFrameLowered);
}

TEST(BevelSetterTest, EqualValuesReportNothing) {
  TWatchedBevel Bevel;
  Bevel.SetStyleInner(TLMDBevelStyle::bvNone);
  Bevel.SetWidthOuter(1);
  Bevel.SetBorderColor(clBtnFace);
  Bevel.SetLightColor(clBtnHighlight);
  Bevel.SetShadowColor(clBtnShadow);
  Bevel.SetBorderSides({TLMDFrameSide::fsTop, TLMDFrameSide::fsLeft, TLMDFrameSide::fsBottom,
                        TLMDFrameSide::fsRight});
  Bevel.SetEdgeStyle(TLMDEdgeStyle::etEtched);
  Bevel.SetMode(TLMDBevelMode::bmCustom);
  Bevel.SetStandardStyle(TLMDBorderStyle::lsSingleLowered);
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
  Bevel.SetStandardStyle(TLMDBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.StandardStyle(), TLMDBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.BevelExtend(), 0);
  Bevel.SetMode(TLMDBevelMode::bmStandard);
  EXPECT_EQ(Bevel.Changes, 1);
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetStandardStyle(TLMDBorderStyle::lsSingle);
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
  Bevel.SetStyleOuter(TLMDBevelStyle::bvRaised);
  Bevel.SetWidthOuter(3);
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.BevelExtend(), 3);
  Bevel.EndUpdate(true);
  EXPECT_EQ(Bevel.Changes, 1);
}

// --- Recreation query --------------------------------------------------------------------

TEST(BevelRecreateTest, WindowsModeSwitchesAskForANewWindowWithNativeBorders) {
  TLMDBevel Bevel;
  Bevel.SetNativeBorderSupported(true);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
  Bevel.SetMode(TLMDBevelMode::bmWindows);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  // While bmWindows is on with native borders, every query asks.
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  Bevel.SetMode(TLMDBevelMode::bmEdge);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  EXPECT_FALSE(Bevel.QueryRecreateWindow()) << "the pending switch is cleared";
  Bevel.SetMode(TLMDBevelMode::bmStandard);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
}

TEST(BevelRecreateTest, WithoutNativeBordersNothingIsRecreated) {
  TLMDBevel Bevel;
  Bevel.SetMode(TLMDBevelMode::bmWindows);
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
  // With support granted, switching away from bmWindows asks for a new window.
  Bevel.SetNativeBorderSupported(true);
  Bevel.SetMode(TLMDBevelMode::bmCustom);
  EXPECT_TRUE(Bevel.QueryRecreateWindow());
  EXPECT_FALSE(Bevel.QueryRecreateWindow());
}

// --- Extents and client rectangle --------------------------------------------------------

TEST(BevelExtendTest, DefaultBevelTakesNoSpace) {
  TLMDBevel Bevel;
  EXPECT_EQ(Bevel.GetBevelExtend(), 0);
  EXPECT_EQ(Bevel.ClientRect(Client), Client);
}

TEST(BevelExtendTest, CustomFramesAndBorderSpaces) {
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvFrameLowered);
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetStyleOuter(TLMDBevelStyle::bvRaised);
  Bevel.SetWidthOuter(3);
  Bevel.SetStyleInner(TLMDBevelStyle::bvFrameRaised);
  Bevel.SetWidthInner(2);
  Bevel.SetBorderWidth(4);
  Bevel.SetBorderInnerWidth(1);
  EXPECT_EQ(Bevel.BevelExtend(), 3 + 4 + 3 + 1);
  EXPECT_EQ(Bevel.BevelExtendRightBottom(), Bevel.BevelExtend());
  EXPECT_EQ(Bevel.ClientRect(Client), InflateRect(Client, -11, -11));
}

TEST(BevelExtendTest, BorderSpacesCountWithoutFramesButFrameWidthsDoNot) {
  TLMDBevel Bevel;
  Bevel.SetWidthOuter(5);
  Bevel.SetBorderWidth(4);
  Bevel.SetBorderInnerWidth(2);
  EXPECT_EQ(Bevel.BevelExtend(), 6);
}

TEST(BevelExtendTest, ShadowTakesMoreOnTheRightAndBottom) {
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvShadow);
  Bevel.SetWidthOuter(3);
  Bevel.SetWidthInner(2);
  Bevel.SetBorderInnerWidth(1);
  Bevel.SetBorderWidth(9);  // not part of the shadow style
  EXPECT_EQ(Bevel.BevelExtend(), 3);
  EXPECT_EQ(Bevel.BevelExtendRightBottom(), 6);
  EXPECT_EQ(Bevel.ClientRect(Client), (TRect{7, 6, 24, 16}));
}

TEST(BevelExtendTest, StandardEdgeAndWindowsModes) {
  TLMDBevel Bevel;
  Bevel.SetBorderInnerWidth(2);
  Bevel.SetMode(TLMDBevelMode::bmStandard);
  Bevel.SetStandardStyle(TLMDBorderStyle::lsLowered);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetMode(TLMDBevelMode::bmEdge);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetBorderSides({});
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  Bevel.SetMode(TLMDBevelMode::bmWindows);
  EXPECT_EQ(Bevel.BevelExtend(), 4);
  Bevel.SetNativeBorderSupported(true);
  Bevel.Change();
  EXPECT_EQ(Bevel.BevelExtend(), 0);
}

// --- Assignment --------------------------------------------------------------------------

TEST(BevelAssignTest, CopiesEverySettingAndReportsOnce) {
  TLMDBevel Source;
  Source.SetStyleInner(TLMDBevelStyle::bvFrameRaised);
  Source.SetStyleOuter(TLMDBevelStyle::bvLowered);
  Source.SetWidthInner(4);
  Source.SetWidthOuter(5);
  Source.SetBorderSides({TLMDFrameSide::fsLeft});
  Source.SetBorderInnerWidth(6);
  Source.SetBorderWidth(7);
  Source.SetBorderColor(clRed);
  Source.SetLightColor(clLime);
  Source.SetShadowColor(clBlue);
  Source.SetMode(TLMDBevelMode::bmEdge);
  Source.SetStandardStyle(TLMDBorderStyle::lsFrameInset);
  Source.SetEdgeStyle(TLMDEdgeStyle::etBump);
  Source.SetNativeBorderSupported(true);

  TWatchedBevel Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  EXPECT_EQ(Target.StyleInner(), TLMDBevelStyle::bvFrameRaised);
  EXPECT_EQ(Target.StyleOuter(), TLMDBevelStyle::bvLowered);
  EXPECT_EQ(Target.WidthInner(), 4);
  EXPECT_EQ(Target.WidthOuter(), 5);
  EXPECT_EQ(Target.BorderSides(), TLMDFrameSides{TLMDFrameSide::fsLeft});
  EXPECT_EQ(Target.BorderInnerWidth(), 6);
  EXPECT_EQ(Target.BorderWidth(), 7);
  EXPECT_EQ(Target.BorderColor(), clRed);
  EXPECT_EQ(Target.LightColor(), clLime);
  EXPECT_EQ(Target.ShadowColor(), clBlue);
  EXPECT_EQ(Target.Mode(), TLMDBevelMode::bmEdge);
  EXPECT_EQ(Target.StandardStyle(), TLMDBorderStyle::lsFrameInset);
  EXPECT_EQ(Target.EdgeStyle(), TLMDEdgeStyle::etBump);
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
  TLMDSimpleBevel Simple;
  Simple.SetWidth(7);
  try {
    Bevel.Assign(Simple);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TLMDSimpleBevel to a TLMDBevel");
  }
  EXPECT_EQ(Bevel.Changes, 0);
  EXPECT_EQ(Bevel.WidthInner(), 1);
}

// --- Painting ----------------------------------------------------------------------------

TEST(PaintBevelTest, ZeroExtentDrawsNothing) {
  TFrameSurface S;
  TLMDBevel Bevel;
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, false), Client);
  // Frame widths and a standard style stored, but none of them shows in this mode.
  Bevel.SetWidthOuter(4);
  Bevel.SetStandardStyle(TLMDBorderStyle::lsRaised);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, false), Client);
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, StandardSingleLoweredIsOnePixel) {
  TFrameSurface S;
  TLMDBevel Bevel;
  Bevel.SetMode(TLMDBevelMode::bmStandard);
  EXPECT_EQ(Bevel.BevelExtend(), 1);
  PaintRing(S.Expected, Client, PxShadow, PxHighlight);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -1, -1));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, FrameLoweredWidthOneTakesTwo) {
  TFrameSurface S;
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvFrameLowered);
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
  TLMDBevel Bevel;
  Bevel.SetMode(TLMDBevelMode::bmEdge);
  Bevel.SetBorderSides({TLMDFrameSide::fsTop});
  EXPECT_EQ(Bevel.BevelExtend(), 2);
  // Etched: shadow line, then a highlight line under it, the full width.
  Paint(S.Expected, {4, 3, 30, 4}, PxShadow);
  Paint(S.Expected, {4, 4, 30, 5}, PxHighlight);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -2, -2));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, EdgeStyleAndSidesReachTheEdgeRoutine) {
  TFrameSurface S;
  TLMDBevel Bevel;
  Bevel.SetMode(TLMDBevelMode::bmEdge);
  Bevel.SetEdgeStyle(TLMDEdgeStyle::etRaisedOuter);
  Bevel.SetBorderSides({TLMDFrameSide::fsBottom, TLMDFrameSide::fsRight});
  PaintRing(S.Expected, Client, Marker, PxDkShadow, BF_BOTTOM | BF_RIGHT);
  EXPECT_EQ(Bevel.PaintBevel(S.Canvas(), Client, true), InflateRect(Client, -2, -2));
  EXPECT_EQ(S.Differences(), "");
}

TEST(PaintBevelTest, BorderSpacesArePaintedUnlessTransparent) {
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvRaised);
  Bevel.SetStyleInner(TLMDBevelStyle::bvLowered);
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
  TLMDBevel Bevel;
  Bevel.SetStyleOuter(TLMDBevelStyle::bvShadow);
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
  TLMDBevel Bevel;
  Bevel.SetMode(TLMDBevelMode::bmWindows);
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
  Bevel.SetStyle(TLMDSimpleBevelStyle::sbNormal);
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
  Bevel.SetStyle(TLMDSimpleBevelStyle::sbOffset);
  EXPECT_EQ(Bevel.Changes, 6);
}

TEST(SimpleBevelTest, AssignCopiesAllFiveAndReportsOnce) {
  TLMDSimpleBevel Source;
  Source.SetColor(clRed);
  Source.SetWidth(9);
  Source.SetStyle(TLMDSimpleBevelStyle::sbInset);
  Source.SetLightColor(clLime);
  Source.SetShadowColor(clBlue);
  TWatchedSimpleBevel Target;
  Target.Assign(Source);
  EXPECT_EQ(Target.Changes, 1);
  EXPECT_EQ(Target.Color(), clRed);
  EXPECT_EQ(Target.Width(), 9);
  EXPECT_EQ(Target.Style(), TLMDSimpleBevelStyle::sbInset);
  EXPECT_EQ(Target.LightColor(), clLime);
  EXPECT_EQ(Target.ShadowColor(), clBlue);
  Target.Assign(Target);
  EXPECT_EQ(Target.Changes, 1);
}

TEST(SimpleBevelTest, ABevelCannotBeAssigned) {
  TLMDSimpleBevel Simple;
  TLMDBevel Bevel;
  try {
    Simple.Assign(Bevel);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TLMDBevel to a TLMDSimpleBevel");
  }
}

}  // namespace
