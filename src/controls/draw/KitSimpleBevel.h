// TKitSimpleBevel: the small bevel settings of the family's shapes.
#pragma once

#include <cstdint>

#include "controls/core/KitObject.h"
#include "controls/draw/KitBevelTypes.h"
#include "core/Colors.h"

enum class TKitSimpleBevelStyle : std::uint8_t { sbNormal, sbInset, sbOffset };

// A one-colour or 3D outline for shapes: its colour, width and style, and the light and shadow
// colours of the 3D styles. Every effective change is reported through OnChange.
class TKitSimpleBevel : public TKitObject {
 public:
  TKitSimpleBevel() = default;
  TKitSimpleBevel(const TKitSimpleBevel&) = delete;
  TKitSimpleBevel& operator=(const TKitSimpleBevel&) = delete;

  const char* ClassName() const override { return "TKitSimpleBevel"; }
  // Takes all five settings of another simple bevel and reports one change. Other sources raise
  // the framework's assignment error.
  void Assign(const TPersistent& Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { SetColor(2, Value); }
  // 0 to MaxBevelWidth; a value outside is clamped.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TKitSimpleBevelStyle Style() const { return FStyle; }
  void SetStyle(TKitSimpleBevelStyle Value);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor Value) { SetColor(0, Value); }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { SetColor(1, Value); }

  // The shared colour setter: 0 LightColor, 1 ShadowColor, 2 Color. Any other index stores
  // nothing and still reports a change, as the stored form's setters always did.
  void SetColor(int Index, TColor Value);

 private:
  TColor FColor = clBlack;
  int FWidth = 2;
  TKitSimpleBevelStyle FStyle = TKitSimpleBevelStyle::sbNormal;
  TColor FLightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
};
