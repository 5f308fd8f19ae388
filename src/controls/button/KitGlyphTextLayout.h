// TKitGlyphTextLayout: where a caption and a glyph sit relative to each other and inside the
// rectangle they are drawn into.
#pragma once

#include <cstdint>

#include "controls/core/KitObject.h"

// Where the text-and-glyph block sits inside the target rectangle.
enum class TKitAlignment : std::uint8_t {
  agTopLeft,
  agTopCenter,
  agTopRight,
  agCenterLeft,
  agCenter,
  agCenterRight,
  agBottomLeft,
  agBottomCenter,
  agBottomRight
};

// Where the text sits relative to the glyph: on its left or right (the smaller of the two
// centred vertically on the other; the "Top" forms keep the glyph at the top instead), or above
// or below it (the smaller centred horizontally; the "Left" forms keep the glyph at the left).
enum class TKitTextArrange : std::uint8_t {
  taLeft,
  taLeftTop,
  taRight,
  taRightTop,
  taTop,
  taTopLeft,
  taBottom,
  taBottomLeft
};

// The placement settings of a caption with an optional glyph. Every effective change is
// reported through OnChange; the owning control repaints on it.
class TKitGlyphTextLayout : public TKitObject {
 public:
  TKitGlyphTextLayout() = default;
  // A layout is owned by one control; settings move between layouts through Assign.
  TKitGlyphTextLayout(const TKitGlyphTextLayout&) = delete;
  TKitGlyphTextLayout& operator=(const TKitGlyphTextLayout&) = delete;

  const char* ClassName() const override { return "TKitGlyphTextLayout"; }
  // Takes the five placement settings of another layout and reports one change; other sources
  // raise the framework's assignment error.
  void Assign(const TPersistent& Source) override;

  TKitAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TKitAlignment Value);
  TKitTextArrange AlignText2Glyph() const { return FAlignText2Glyph; }
  void SetAlignText2Glyph(TKitTextArrange Value);
  // The final shift of text and glyph, pixels.
  std::int32_t OffsetX() const { return FOffsetX; }
  void SetOffsetX(std::int32_t Value) { SetOffset(0, Value); }
  std::int32_t OffsetY() const { return FOffsetY; }
  void SetOffsetY(std::int32_t Value) { SetOffset(1, Value); }
  // The shared indexed setter: 0 is OffsetX, 1 OffsetY; any other index changes nothing.
  void SetOffset(int Index, std::int32_t Value);
  // The gap between text and glyph, pixels.
  std::int32_t Spacing() const { return FSpacing; }
  void SetSpacing(std::int32_t Value);

 protected:
  explicit TKitGlyphTextLayout(TKitAlignment DefaultAlignment) : FAlignment(DefaultAlignment) {}
  // Copies the placement settings without notifying.
  void CopyLayout(const TKitGlyphTextLayout& Source);

 private:
  TKitAlignment FAlignment = TKitAlignment::agTopLeft;
  TKitTextArrange FAlignText2Glyph = TKitTextArrange::taRight;
  std::int32_t FOffsetX = 0;
  std::int32_t FOffsetY = 0;
  std::int32_t FSpacing = 2;
};
