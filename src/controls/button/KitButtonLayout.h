// TKitButtonLayout: a button's caption and glyph placement, with a drop-down arrow beside the
// text or the glyph.
#pragma once

#include <cstdint>

#include "controls/button/KitGlyphTextLayout.h"
#include "core/Colors.h"

// Which side of the text or of the glyph the arrow takes.
enum class TKitArrowPosition : std::uint8_t { apRightText, apLeftText, apRightGlyph, apLeftGlyph };

// The arrow's height in pixels; its top edge is 2 x size - 1 pixels wide.
using TKitDDArrowSize = std::uint8_t;

// The layout object a speed button owns; it starts centred, unlike the plain layout.
class TKitButtonLayout : public TKitGlyphTextLayout {
 public:
  TKitButtonLayout() : TKitGlyphTextLayout(TKitAlignment::agCenter) {}

  const char* ClassName() const override { return "TKitButtonLayout"; }
  // From another button layout takes all ten settings, from a plain layout the five placement
  // settings; either way one change is reported.
  void Assign(const TPersistent& Source) override;

  bool Arrow() const { return FArrow; }
  void SetArrow(bool Value);
  TColor ArrowColor() const { return FArrowColor; }
  void SetArrowColor(TColor Value);
  // The gap between the arrow and what it stands beside, pixels.
  std::int32_t ArrowIndent() const { return FArrowIndent; }
  void SetArrowIndent(std::int32_t Value);
  TKitArrowPosition ArrowPosition() const { return FArrowPosition; }
  void SetArrowPosition(TKitArrowPosition Value);
  TKitDDArrowSize ArrowSize() const { return FArrowSize; }
  void SetArrowSize(TKitDDArrowSize Value);
  // The arrow's width: 2 x ArrowSize - 1 pixels.
  int ArrowWidth() const { return FArrowSize * 2 - 1; }

 private:
  bool FArrow = false;
  TColor FArrowColor = clBlack;
  std::int32_t FArrowIndent = 3;
  TKitArrowPosition FArrowPosition = TKitArrowPosition::apRightText;
  TKitDDArrowSize FArrowSize = 3;
};
