// TKit3DCaption: the settings of text drawn in relief (style, light and shadow copies, extrusion,
// character spacing, disabled look).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "controls/core/KitObject.h"
#include "core/Colors.h"

// Which copies of the text are drawn, and where.
enum class TKitThreeDStyle : std::uint8_t {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdPColorSunken,
  tdPColorRaised,
  tdShadow,
  tdOutline,
  tdExtrude,
  tdExtrudeEnh
};

// The direction the extruded styles grow towards.
enum class TKitThreeDOrientation : std::uint8_t {
  toBottomLeft,
  toBottomRight,
  toTopLeft,
  toTopRight
};

enum class TKitDisabledStyle : std::uint8_t { dsAuto, dsStandard, ds3d, dsNone };

// Flags of the caption text routine and of the caption and glyph layout.
enum class TKitDrawTextStyle : std::uint8_t {
  dtDisabled,
  dtEnabled,
  dt3DDisabled,
  dtClip,
  dtAccelChar,
  dtAutoSize,
  dtRectText,
  dtRectGlyph,
  dtRectGlyphText,
  dtCalculate
};

// A set of TKitDrawTextStyle, 16 bits wide like the stored form.
class TKitDrawTextStyles {
 public:
  constexpr TKitDrawTextStyles() = default;
  constexpr TKitDrawTextStyles(std::initializer_list<TKitDrawTextStyle> Styles) {
    for (TKitDrawTextStyle Style : Styles) Include(Style);
  }
  constexpr bool Contains(TKitDrawTextStyle Style) const { return (FBits & Bit(Style)) != 0; }
  constexpr void Include(TKitDrawTextStyle Style) {
    FBits = static_cast<std::uint16_t>(FBits | Bit(Style));
  }
  constexpr void Exclude(TKitDrawTextStyle Style) {
    FBits = static_cast<std::uint16_t>(FBits & ~Bit(Style));
  }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TKitDrawTextStyles, TKitDrawTextStyles) = default;

 private:
  static constexpr unsigned Bit(TKitDrawTextStyle Style) {
    return 1u << static_cast<unsigned>(Style);
  }
  std::uint16_t FBits = 0;
};

// How a caption is drawn in relief. Every effective change is reported through OnChange; the
// owning control repaints on it.
class TKit3DCaption : public TKitObject {
 public:
  TKit3DCaption() = default;
  // A caption is owned by one control; settings move between captions through Assign.
  TKit3DCaption(const TKit3DCaption&) = delete;
  TKit3DCaption& operator=(const TKit3DCaption&) = delete;

  const char* ClassName() const override { return "TKit3DCaption"; }
  // Takes every setting of a caption source except Orientation, which the target keeps, and
  // reports one change. Other sources raise the framework's assignment error.
  void Assign(const TPersistent& Source) override;

  TKitDisabledStyle DisabledStyle() const { return FDisabledStyle; }
  void SetDisabledStyle(TKitDisabledStyle Value);
  std::uint8_t LightDepth() const { return FLightDepth; }
  void SetLightDepth(std::uint8_t Value) { SetDepth(0, Value); }
  std::uint8_t ShadowDepth() const { return FShadowDepth; }
  void SetShadowDepth(std::uint8_t Value) { SetDepth(1, Value); }
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor Value) { SetColor(0, Value); }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { SetColor(1, Value); }
  TKitThreeDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TKitThreeDOrientation Value);
  TKitThreeDStyle Style() const { return FStyle; }
  void SetStyle(TKitThreeDStyle Value);
  // Extra pixels between characters; 0 leaves the canvas's spacing alone.
  std::int32_t Tracing() const { return FTracing; }
  void SetTracing(std::int32_t Value);

  // The shared indexed setters: 0 is the light, 1 the shadow setting. Any other index stores
  // nothing and still reports a change, as the stored form's setters always did.
  void SetColor(int Index, TColor Value);
  void SetDepth(int Index, std::uint8_t Value);

 protected:
  // Copies the settings Assign transfers, without notifying.
  void CopyCaption(const TKit3DCaption& Source);

 private:
  TKitDisabledStyle FDisabledStyle = TKitDisabledStyle::dsAuto;
  std::uint8_t FLightDepth = 1;
  std::uint8_t FShadowDepth = 1;
  TColor FLightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  TKitThreeDOrientation FOrientation = TKitThreeDOrientation::toTopLeft;
  TKitThreeDStyle FStyle = TKitThreeDStyle::tdNone;
  std::int32_t FTracing = 0;
};
