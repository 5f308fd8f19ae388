// TKitTimerItem: one logical timer of a timer pool, with its period, call limit and handler.
#pragma once

#include <cstdint>

#include "core/Object.h"

class TKitTimerPool;

// A periodic timer that fires on its pool's ticks. Only the pool creates and destroys it: it lives
// in the pool's item list from the pool's AddTimer to its RemoveTimer, disabled or not.
class TKitTimerItem : public TObject {
 public:
  TKitTimerItem(const TKitTimerItem&) = delete;
  TKitTimerItem& operator=(const TKitTimerItem&) = delete;

  const char* ClassName() const override { return "TKitTimerItem"; }

  std::uint16_t Ident() const { return FIdent; }

  // Firings after which the timer disables itself; -1 is unlimited. A value below -1 is taken as
  // -1, and 0 disables the timer at once.
  int CallCount() const { return FCallCount; }
  void SetCallCount(int Value);

  bool Enabled() const { return FEnabled; }
  // A change starts the firings over from 0. A timer whose call count is 0 stays disabled.
  void SetEnabled(bool Value);

  // The period in milliseconds, a multiple of the pool's base interval.
  std::uint16_t Interval() const { return FInterval; }
  // 0 is taken as the base interval; a value that is not a multiple of it is ignored. A change
  // starts the firings over from 0.
  void SetInterval(std::uint16_t Value);

  // Called with the pool as sender on each firing. Without it the pool's OnTimer is called.
  TNotifyEvent OnTimer;

 private:
  friend class TKitTimerPool;

  TKitTimerItem(TKitTimerPool& Owner, std::uint16_t Ident);

  // Whether the pool's tick number TickCount is one on which this timer fires.
  bool Due(std::int32_t TickCount) const { return TickCount % FTicksPerFiring == 0; }
  void Fire();

  TKitTimerPool& FOwner;
  std::uint16_t FIdent;
  int FCallCount = -1;
  int FCounter = 0;
  bool FEnabled = true;
  std::uint16_t FInterval = 1000;
  std::uint16_t FTicksPerFiring;
};
