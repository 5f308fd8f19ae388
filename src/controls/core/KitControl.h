// TKitControl: the windowless control the button family builds on, with enter and exit hooks
// and a notice of what a change of bounds changed.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Control.h"

// What a change of bounds changed.
enum class TKitBoundsChange : std::uint8_t { bcPosition, bcSize };

// A set of TKitBoundsChange.
class TKitBoundsChanges {
 public:
  constexpr TKitBoundsChanges() = default;
  constexpr bool Contains(TKitBoundsChange Change) const { return (FBits & Bit(Change)) != 0; }
  constexpr void Include(TKitBoundsChange Change) {
    FBits = static_cast<std::uint8_t>(FBits | Bit(Change));
  }
  constexpr bool Empty() const { return FBits == 0; }

 private:
  static constexpr unsigned Bit(TKitBoundsChange Change) {
    return 1u << static_cast<unsigned>(Change);
  }
  std::uint8_t FBits = 0;
};

using TKitBoundsChangeEvent = std::function<void(TObject* Sender, TKitBoundsChanges Changes)>;

class TKitControl : public TControl {
 public:
  explicit TKitControl(TComponent* Owner) : TControl(Owner) {}
  const char* ClassName() const override { return "TKitControl"; }

  // Reports through BoundsChange what really changed, unless the control is loading.
  void SetBounds(int Left, int Top, int Width, int Height) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TKitBoundsChangeEvent OnBoundsChange;

 protected:
  virtual void BoundsChange(TKitBoundsChanges Changes);
  // The pointer came over the control, or left it; they fire OnMouseEnter and OnMouseExit.
  virtual void MouseEnter();
  virtual void MouseExit();
  // Where the change notices of owned settings objects end: the control is repainted, unless it
  // is loading.
  virtual void GetChange(TObject* Sender);

  void MouseEntered() override { MouseEnter(); }
  void MouseLeft() override { MouseExit(); }
};
