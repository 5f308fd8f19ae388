// TKitBevel: the frame a panel draws round its face, with the space it takes from the children.
#pragma once

#include "controls/core/KitObject.h"
#include "controls/draw/KitBevelTypes.h"
#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Canvas.h"

// The bevel settings a panel owns. Every effective change recomputes the extents and is
// reported through OnChange; the owner then realigns its children and repaints.
class TKitBevel : public TKitObject {
 public:
  TKitBevel() = default;
  // A bevel is owned by one panel; settings move between bevels through Assign.
  TKitBevel(const TKitBevel&) = delete;
  TKitBevel& operator=(const TKitBevel&) = delete;

  const char* ClassName() const override { return "TKitBevel"; }
  // Takes every setting of another bevel, the native-border support included, and reports one
  // change. Other sources raise the framework's assignment error.
  void Assign(const TPersistent& Source) override;
  // Recomputes both extents, then notifies.
  void Change() override;

  // Setting either style to bvShadow makes the other bvShadow too; leaving bvShadow on one
  // makes the other bvNone.
  TKitBevelStyle StyleInner() const { return FStyleInner; }
  void SetStyleInner(TKitBevelStyle Value);
  TKitBevelStyle StyleOuter() const { return FStyleOuter; }
  void SetStyleOuter(TKitBevelStyle Value);
  // 0 to MaxBevelWidth.
  int WidthInner() const { return FWidthInner; }
  void SetWidthInner(int Value);
  int WidthOuter() const { return FWidthOuter; }
  void SetWidthOuter(int Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { SetColor(0, Value); }
  TKitFrameSides BorderSides() const { return FBorderSides; }
  void SetBorderSides(TKitFrameSides Value);
  // 0 to MaxBorderWidth.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  int BorderInnerWidth() const { return FBorderInnerWidth; }
  void SetBorderInnerWidth(int Value);
  TKitEdgeStyle EdgeStyle() const { return FEdgeStyle; }
  void SetEdgeStyle(TKitEdgeStyle Value);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor Value) { SetColor(1, Value); }
  // Switching to or from bmWindows asks an owner with native-border support for a new window.
  TKitBevelMode Mode() const { return FMode; }
  void SetMode(TKitBevelMode Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { SetColor(2, Value); }
  // Stored in every mode, reported as a change only in bmStandard, where it shows.
  TKitBorderStyle StandardStyle() const { return FStandardStyle; }
  void SetStandardStyle(TKitBorderStyle Value);

  // The shared colour setter: 0 BorderColor, 1 LightColor, 2 ShadowColor. Any other index
  // stores nothing and still reports a change, as the stored form's setters always did.
  void SetColor(int Index, TColor Value);

  // Set by an owner that can give its window a native border in bmWindows; not a change.
  bool NativeBorderSupported() const { return FNativeBorderSupported; }
  void SetNativeBorderSupported(bool Value) { FNativeBorderSupported = Value; }
  // True when the owner's window must be recreated for the border: a mode switch to or from
  // bmWindows is pending, or bmWindows is on with native-border support. Clears the pending
  // switch.
  bool QueryRecreateWindow();

  // The frame's width on the left and top sides, and on the right and bottom sides (wider by
  // the drop shadow), as of the last change.
  int BevelExtend() const { return FBevelExtend; }
  int BevelExtendRightBottom() const { return FBevelExtendRightBottom; }
  // The frame's width on the left and top sides, computed from the current settings.
  int GetBevelExtend() const;

  // The rectangle inside the frame, where the owner lays out its aligned children.
  TRect ClientRect(const TRect& Rect) const;
  // Draws the frame inside Rect and returns the rectangle left inside it. A transparent bevel
  // leaves its border spaces unpainted.
  TRect PaintBevel(TCanvas& Canvas, const TRect& Rect, bool Transparent) const;

 private:
  bool ShadowStyle() const {
    return FMode == TKitBevelMode::bmCustom && FStyleOuter == TKitBevelStyle::bvShadow;
  }

  TKitBevelStyle FStyleInner = TKitBevelStyle::bvNone;
  TKitBevelStyle FStyleOuter = TKitBevelStyle::bvNone;
  int FWidthInner = 1;
  int FWidthOuter = 1;
  TColor FBorderColor = clBtnFace;
  TKitFrameSides FBorderSides = {TKitFrameSide::fsBottom, TKitFrameSide::fsLeft,
                                 TKitFrameSide::fsRight, TKitFrameSide::fsTop};
  int FBorderWidth = 0;
  int FBorderInnerWidth = 0;
  TKitEdgeStyle FEdgeStyle = TKitEdgeStyle::etEtched;
  TColor FLightColor = clBtnHighlight;
  TKitBevelMode FMode = TKitBevelMode::bmCustom;
  TColor FShadowColor = clBtnShadow;
  TKitBorderStyle FStandardStyle = TKitBorderStyle::lsSingleLowered;
  int FBevelExtend = 0;
  int FBevelExtendRightBottom = 0;
  bool FNativeBorderSupported = false;
  bool FRecreatePending = false;
};
