// Mouse buttons and the shift state that comes with mouse and key events.
#pragma once

#include <cstdint>
#include <initializer_list>

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum class TShiftFlag : std::uint8_t {
  ssShift,
  ssAlt,
  ssCtrl,
  ssLeft,
  ssRight,
  ssMiddle,
  ssDouble
};

// A set of TShiftFlag: the modifier keys, the mouse buttons held, and the double-click mark.
class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftFlag> Flags) {
    for (TShiftFlag Flag : Flags) Include(Flag);
  }
  constexpr bool Contains(TShiftFlag Flag) const { return (FBits >> static_cast<int>(Flag)) & 1u; }
  constexpr void Include(TShiftFlag Flag) {
    FBits = static_cast<std::uint8_t>(FBits | (1u << static_cast<int>(Flag)));
  }
  constexpr void Exclude(TShiftFlag Flag) {
    FBits = static_cast<std::uint8_t>(FBits & ~(1u << static_cast<int>(Flag)));
  }
  // True while any mouse button is held.
  constexpr bool AnyButton() const {
    return Contains(TShiftFlag::ssLeft) || Contains(TShiftFlag::ssRight) ||
           Contains(TShiftFlag::ssMiddle);
  }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;

 private:
  std::uint8_t FBits = 0;
};
