// TKitApplication: the controls' application object as far as timers go: the process's timer
// pool and the table of idents it lends out.
#pragma once

#include <array>
#include <cstdint>

#include "controls/core/KitTimerPool.h"
#include "core/Object.h"

// Owns the pool at a 50 ms base and hands out its timers under the idents 64769 to 65018, one
// per slot of a fixed table of 250. The pool follows the framework's timer service: while it
// holds timers the running application ticks it and shows the errors its handlers raise. Every
// object is listed while it lives, so that one made by its owner after the program's own (a
// test's, with a pool of its own) is the one that the buttons' timers go to until it is gone.
class TKitApplication : public TObject {
 public:
  static constexpr std::uint16_t TimerBaseInterval = 50;
  static constexpr int TimerSlotCount = 250;
  // Slot s, from 1, lends the ident FirstTimerIdent + s.
  static constexpr std::uint16_t FirstTimerIdent = 0xFD00;

  TKitApplication();
  ~TKitApplication() override;
  TKitApplication(const TKitApplication&) = delete;
  TKitApplication& operator=(const TKitApplication&) = delete;

  const char* ClassName() const override { return "TKitApplication"; }

  // A new enabled, unlimited timer in the first free slot; 0 when every slot is taken. The pool's
  // errors (an interval that is not a positive multiple of 50 ms) pass through and leave the
  // slot free.
  std::uint16_t AddTimer(std::uint16_t Interval, TNotifyEvent Handler);
  // AddTimer, then the call count and Enabled are set.
  std::uint16_t AddTimerExt(std::uint16_t Interval, bool Enabled, int CallCount,
                            TNotifyEvent Handler);
  // Removes the timer and frees its slot; idents this object does not lend are left alone.
  void RemoveTimer(std::uint16_t Ident);
  TKitTimerItem* GetTimer(std::uint16_t Ident) const { return FTimerPool.GetTimer(Ident); }

  TKitTimerPool& TimerPool() { return FTimerPool; }

  // The application object made last of those that still live; nullptr while none does.
  static TKitApplication* Latest();

 private:
  // Asks the running application's tick for the pool, or lets it go, as the pool needs it.
  void FollowTimerService();

  TKitTimerPool FTimerPool{TimerBaseInterval};
  std::array<bool, TimerSlotCount> FSlotUsed{};
};
