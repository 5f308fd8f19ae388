// TKitApplication: the pool following the framework's timer service, and timer idents lent from
// the slot table.
#include "controls/core/KitApplication.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/TimerService.h"

namespace {

// The application objects alive, in the order they were made. Made before the first of them,
// so that it outlives the program's own object, which lives until the end.
std::vector<TKitApplication*>& LiveApplications() {
  static std::vector<TKitApplication*> Live;
  return Live;
}

}  // namespace

TKitApplication* TKitApplication::Latest() {
  const std::vector<TKitApplication*>& Live = LiveApplications();
  return Live.empty() ? nullptr : Live.back();
}

TKitApplication::TKitApplication() {
  LiveApplications().push_back(this);
  FTimerPool.OnNeedsTicksChange = [this](TObject*) { FollowTimerService(); };
  FTimerPool.OnRestart = [](TObject*) {
    if (TTimerService* Service = RunningTimerService()) Service->RestartTick();
  };
}

TKitApplication::~TKitApplication() {
  // The tick lets go of the pool while this object is still whole.
  FTimerPool.ClearTimers();
  FTimerPool.OnNeedsTicksChange = nullptr;
  FTimerPool.OnRestart = nullptr;
  std::vector<TKitApplication*>& Live = LiveApplications();
  Live.erase(std::remove(Live.begin(), Live.end(), this), Live.end());
}

void TKitApplication::FollowTimerService() {
  TTimerService* Service = RunningTimerService();
  if (!Service) return;
  if (FTimerPool.NeedsTicks()) {
    FTimerPool.OnError = [](TObject*, std::exception_ptr Error) {
      TTimerService* Shown = RunningTimerService();
      try {
        std::rethrow_exception(Error);
      } catch (const std::exception& E) {
        if (Shown) Shown->ShowException(E);
      }
    };
    Service->SetTickHandler([this] { FTimerPool.Tick(); });
  } else {
    Service->SetTickHandler(nullptr);
  }
  Service->SetTicking(FTimerPool.NeedsTicks());
}

std::uint16_t TKitApplication::AddTimer(std::uint16_t Interval, TNotifyEvent Handler) {
  for (int Slot = 0; Slot < TimerSlotCount; ++Slot) {
    if (FSlotUsed[Slot]) continue;
    const auto Ident = static_cast<std::uint16_t>(FirstTimerIdent + Slot + 1);
    FTimerPool.AddTimer(Ident, Interval, std::move(Handler));
    FSlotUsed[Slot] = true;
    return Ident;
  }
  return 0;
}

std::uint16_t TKitApplication::AddTimerExt(std::uint16_t Interval, bool Enabled, int CallCount,
                                           TNotifyEvent Handler) {
  const std::uint16_t Ident = AddTimer(Interval, std::move(Handler));
  if (Ident != 0) {
    TKitTimerItem* Item = FTimerPool.GetTimer(Ident);
    Item->SetCallCount(CallCount);
    Item->SetEnabled(Enabled);
  }
  return Ident;
}

void TKitApplication::RemoveTimer(std::uint16_t Ident) {
  if (Ident <= FirstTimerIdent || Ident > FirstTimerIdent + TimerSlotCount) return;
  FTimerPool.RemoveTimer(Ident);
  FSlotUsed[Ident - FirstTimerIdent - 1] = false;
}
