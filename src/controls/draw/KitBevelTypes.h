// The kinds of bevel and frame, the set of frame sides, and the width limits they share.
#pragma once

#include <cstdint>
#include <initializer_list>

// Which kind of frame a bevel draws.
enum class TKitBevelMode : std::uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };

// A 3D frame of the custom mode. bvShadow is the drop shadow, which the inner and outer frame
// always share.
enum class TKitBevelStyle : std::uint8_t {
  bvNone,
  bvLowered,
  bvRaised,
  bvFrameLowered,
  bvFrameRaised,
  bvNormal,
  bvShadow
};

// The named frames of the standard frame routine.
enum class TKitBorderStyle : std::uint8_t {
  lsNone,
  lsSingle,
  lsLowered,
  lsRaised,
  lsRaisedspb,
  lsLoweredspb,
  lsRaisedExt,
  lsLoweredExt,
  lsFrameInset,
  lsFrameOffset,
  lsWindowBorder,
  lsSingleRaised,
  lsSingleLowered,
  lsDoubleRaised,
  lsDoubleLowered
};

// The edge kind of the edge mode.
enum class TKitEdgeStyle : std::uint8_t {
  etRaisedInner,
  etRaisedOuter,
  etSunkenInner,
  etSunkenOuter,
  etBump,
  etEtched,
  etRaised,
  etSunken
};

enum class TKitFrameSide : std::uint8_t { fsBottom, fsLeft, fsRight, fsTop };

// A set of TKitFrameSide.
class TKitFrameSides {
 public:
  constexpr TKitFrameSides() = default;
  constexpr TKitFrameSides(std::initializer_list<TKitFrameSide> Sides) {
    for (TKitFrameSide Side : Sides) Include(Side);
  }
  constexpr bool Contains(TKitFrameSide Side) const { return (FBits & Bit(Side)) != 0; }
  constexpr void Include(TKitFrameSide Side) {
    FBits = static_cast<std::uint8_t>(FBits | Bit(Side));
  }
  constexpr void Exclude(TKitFrameSide Side) {
    FBits = static_cast<std::uint8_t>(FBits & ~Bit(Side));
  }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TKitFrameSides, TKitFrameSides) = default;

 private:
  static constexpr unsigned Bit(TKitFrameSide Side) { return 1u << static_cast<unsigned>(Side); }
  std::uint8_t FBits = 0;
};

// Frame widths and border spaces are small ranges in the stored form; setters clamp a value
// outside them to the nearer end rather than wrapping it.
inline constexpr int MaxBevelWidth = 50;
inline constexpr int MaxBorderWidth = 255;
