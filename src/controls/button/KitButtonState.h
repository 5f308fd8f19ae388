// TKitButtonState: the states a graphic button is drawn in, shared by its state machine, its
// face and its caption.
#pragma once

#include <cstdint>

// One byte, in the order the stored form and the glyph strips count them.
enum class TKitButtonState : std::uint8_t {
  bsUp,
  bsDisabledUp,
  bsMouseOver,
  bsOptionSet,
  bsDown,
  bsDragOver,
  bsDropDownOpen,
  bsDisabledDown
};
