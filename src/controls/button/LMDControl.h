// TLMDControl: the windowless control the button family builds on, with enter and exit hooks
// and a notice of what a change of bounds changed.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Control.h"

// What a change of bounds changed.
enum class TLMDBoundsChange : std::uint8_t { bcPosition, bcSize };

// A set of TLMDBoundsChange.
class TLMDBoundsChanges {
 public:
  constexpr TLMDBoundsChanges() = default;
  constexpr bool Contains(TLMDBoundsChange Change) const { return (FBits & Bit(Change)) != 0; }
  constexpr void Include(TLMDBoundsChange Change) {
    FBits = static_cast<std::uint8_t>(FBits | Bit(Change));
  }
  constexpr bool Empty() const { return FBits == 0; }

 private:
  static constexpr unsigned Bit(TLMDBoundsChange Change) {
    return 1u << static_cast<unsigned>(Change);
  }
  std::uint8_t FBits = 0;
};

using TLMDBoundsChangeEvent = std::function<void(TObject* Sender, TLMDBoundsChanges Changes)>;

class TLMDControl : public TControl {
 public:
  explicit TLMDControl(TComponent* Owner) : TControl(Owner) {}
  const char* ClassName() const override { return "TLMDControl"; }

  // Reports through BoundsChange what really changed, unless the control is loading.
  void SetBounds(int Left, int Top, int Width, int Height) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TLMDBoundsChangeEvent OnBoundsChange;

 protected:
  virtual void BoundsChange(TLMDBoundsChanges Changes);
  // The pointer came over the control, or left it; they fire OnMouseEnter and OnMouseExit.
  virtual void MouseEnter();
  virtual void MouseExit();
  // Where the change notices of owned settings objects end: the control is repainted, unless it
  // is loading.
  virtual void GetChange(TObject* Sender);

  void MouseEntered() override { MouseEnter(); }
  void MouseLeft() override { MouseExit(); }
};
