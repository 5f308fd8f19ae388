// TKitTimerItem: the setters' rules and what one firing does.
#include "controls/core/KitTimerItem.h"

#include <limits>

#include "controls/core/KitTimerPool.h"

TKitTimerItem::TKitTimerItem(TKitTimerPool& Owner, std::uint16_t Ident)
    : FOwner(Owner), FIdent(Ident), FTicksPerFiring(FInterval / Owner.MinInterval()) {}

void TKitTimerItem::SetCallCount(int Value) {
  if (Value < -1) Value = -1;
  if (Value == FCallCount) return;
  FCallCount = Value;
  if (FCallCount == 0) SetEnabled(false);
}

void TKitTimerItem::SetEnabled(bool Value) {
  if (Value == FEnabled || (Value && FCallCount == 0)) return;
  FEnabled = Value;
  FCounter = 0;
}

void TKitTimerItem::SetInterval(std::uint16_t Value) {
  const std::uint16_t Base = FOwner.MinInterval();
  if (Value == 0) Value = Base;
  if (Value == FInterval || Value % Base != 0) return;
  FInterval = Value;
  FTicksPerFiring = Value / Base;
  FCounter = 0;
}

void TKitTimerItem::Fire() {
  FCounter = FCounter == std::numeric_limits<int>::max() ? 0 : FCounter + 1;
  // Disabling starts the counter over, so the firing's number is kept for the pool's handler: the
  // last firing of a limited timer is reported as number CallCount, not 0.
  const int Count = FCounter;
  if (FCounter == FCallCount) SetEnabled(false);
  // A handler may remove its own timer, which destroys this item and its OnTimer; the handler is
  // therefore called through a copy, and nothing of the item is touched after the call.
  if (OnTimer) {
    const TNotifyEvent Handler = OnTimer;
    Handler(&FOwner);
  } else if (FOwner.OnTimer) {
    const TKitTimerEvent Handler = FOwner.OnTimer;
    Handler(&FOwner, FIdent, Count);
  }
}
