// TKitTimerPool: logical timers multiplexed over one periodic tick, which is needed only while the
// pool holds timers.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "controls/core/KitTimerItem.h"
#include "core/Object.h"

// Called for a firing timer that has no handler of its own, with the timer's ident and the
// number of this firing since the timer was last enabled.
using TKitTimerEvent = std::function<void(TObject* Sender, std::uint16_t Ident, int Count)>;
// Called with an error that a timer's handler raised during a tick.
using TKitTimerErrorEvent = std::function<void(TObject* Sender, std::exception_ptr Error)>;

// The pool keeps its timers in order of creation and fires them from Tick, which whoever drives
// the pool calls once per base interval while NeedsTicks is true; time is counted in those ticks
// only. Tick number n fires every enabled timer whose interval, in ticks, divides n.
//
// The driving seam:
//   NeedsTicks          true from the first AddTimer until the last timer is removed; a
//                       disabled timer still holds the tick, so enabling it needs no restart
//   OnNeedsTicksChange  called each time NeedsTicks changes; it may raise to refuse the tick
//                       when it is about to start, and then the AddTimer that asked for it
//                       fails with that error and adds nothing
//   Tick                the periodic tick; a tick that arrives while one is handled (from a
//                       nested message loop in a handler) is dropped
//
// Errors raised by handlers: the tick still offers every other due timer its firing and counts
// itself, so the pool stays whole. Then each error goes to OnError in turn; without OnError the
// first error is raised out of Tick and any further ones of the same tick are dropped.
class TKitTimerPool : public TObject {
 public:
  // A base interval of 0 ms is taken as the default, 1000 ms.
  explicit TKitTimerPool(std::uint16_t MinInterval = 1000);
  // Stops the tick, reporting it through OnNeedsTicksChange, which must not raise then.
  ~TKitTimerPool() override;
  TKitTimerPool(const TKitTimerPool&) = delete;
  TKitTimerPool& operator=(const TKitTimerPool&) = delete;

  const char* ClassName() const override { return "TKitTimerPool"; }

  // The tick's period in milliseconds, fixed when the pool is created.
  std::uint16_t MinInterval() const { return FMinInterval; }

  // Appends an enabled, unlimited timer and returns its index. Raises Exception "List index out
  // of bounds (<ident>)" when Ident is taken, and "Interval not compatible with MinInterval
  // property!" when Interval is not a positive multiple of the base interval. Every addition
  // restarts the tick count, and so the phase of every timer of the pool.
  int AddTimer(std::uint16_t Ident, std::uint16_t Interval, TNotifyEvent Handler);
  // AddTimer, then sets the call count and Enabled.
  int AddTimerExt(std::uint16_t Ident, std::uint16_t Interval, bool Enabled, int CallCount,
                  TNotifyEvent Handler);
  // Destroys the timer with Ident, if there is one; allowed from inside any timer's handler.
  void RemoveTimer(std::uint16_t Ident);
  void ClearTimers();

  TKitTimerItem* GetTimer(std::uint16_t Ident) const;
  // The timer's index in the list, or -1.
  int IndexOf(std::uint16_t Ident) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  int EnabledCount() const;

  bool NeedsTicks() const { return FActive; }
  void Tick();

  TKitTimerEvent OnTimer;
  TNotifyEvent OnNeedsTicksChange;
  // Called after an addition restarted the tick count, so that whoever drives the tick can
  // start its period anew too: the new timer first fires a whole interval after it was added.
  TNotifyEvent OnRestart;
  TKitTimerErrorEvent OnError;

 private:
  void Delete(int Index);
  void SetActive(bool Value);

  std::uint16_t FMinInterval;
  std::vector<std::unique_ptr<TKitTimerItem>> FItems;
  bool FActive = false;
  std::int32_t FTickCount = 1;
  bool FBusy = false;
  // The walk of the tick being handled: the index being fired and the end of the timers that
  // existed when the tick began. Removals during the walk shift both.
  int FWalkIndex = 0;
  int FWalkEnd = 0;
};
