// TKitTimerPool: adding and removing timers, the tick's start and stop, and the walk of one tick.
#include "controls/core/KitTimerPool.h"

#include <limits>
#include <string>
#include <utility>

#include "core/Exception.h"

TKitTimerPool::TKitTimerPool(std::uint16_t MinInterval)
    : FMinInterval(MinInterval == 0 ? 1000 : MinInterval) {}

TKitTimerPool::~TKitTimerPool() {
  FItems.clear();
  SetActive(false);
}

int TKitTimerPool::AddTimer(std::uint16_t Ident, std::uint16_t Interval, TNotifyEvent Handler) {
  if (IndexOf(Ident) >= 0)
    throw Exception("List index out of bounds (" + std::to_string(Ident) + ")");
  if (Interval < FMinInterval || Interval % FMinInterval != 0) {
    throw Exception("Interval not compatible with MinInterval property!");
  }
  std::unique_ptr<TKitTimerItem> Item(new TKitTimerItem(*this, Ident));
  Item->SetInterval(Interval);
  Item->OnTimer = std::move(Handler);
  FItems.push_back(std::move(Item));
  try {
    SetActive(true);
  } catch (...) {
    FItems.pop_back();
    FActive = false;
    throw;
  }
  // Inside a tick the count is set one short, because the tick's own step then brings it to 1:
  // the next tick is the first after the restart either way.
  FTickCount = FBusy ? 0 : 1;
  if (OnRestart) OnRestart(this);
  return Count() - 1;
}

int TKitTimerPool::AddTimerExt(std::uint16_t Ident, std::uint16_t Interval, bool Enabled,
                               int CallCount, TNotifyEvent Handler) {
  const int Index = AddTimer(Ident, Interval, std::move(Handler));
  FItems[Index]->SetCallCount(CallCount);
  FItems[Index]->SetEnabled(Enabled);
  return Index;
}

void TKitTimerPool::RemoveTimer(std::uint16_t Ident) {
  const int Index = IndexOf(Ident);
  if (Index < 0) return;
  Delete(Index);
  if (FItems.empty()) SetActive(false);
}

void TKitTimerPool::ClearTimers() {
  while (!FItems.empty()) Delete(Count() - 1);
  SetActive(false);
}

TKitTimerItem* TKitTimerPool::GetTimer(std::uint16_t Ident) const {
  const int Index = IndexOf(Ident);
  return Index < 0 ? nullptr : FItems[Index].get();
}

int TKitTimerPool::IndexOf(std::uint16_t Ident) const {
  for (int Index = 0; Index < Count(); ++Index) {
    if (FItems[Index]->Ident() == Ident) return Index;
  }
  return -1;
}

int TKitTimerPool::EnabledCount() const {
  int Result = 0;
  for (const auto& Item : FItems) {
    if (Item->Enabled()) ++Result;
  }
  return Result;
}

void TKitTimerPool::Tick() {
  if (FBusy) return;
  const std::int32_t Now = FTickCount;
  std::vector<std::exception_ptr> Errors;
  FBusy = true;
  FWalkEnd = Count();
  for (FWalkIndex = 0; FWalkIndex < FWalkEnd; ++FWalkIndex) {
    TKitTimerItem& Item = *FItems[FWalkIndex];
    if (!Item.Enabled() || !Item.Due(Now)) continue;
    try {
      Item.Fire();
    } catch (...) {
      Errors.push_back(std::current_exception());
    }
  }
  FTickCount = FTickCount == std::numeric_limits<std::int32_t>::max() ? 0 : FTickCount + 1;
  FBusy = false;
  for (const std::exception_ptr& Error : Errors) {
    if (!OnError) std::rethrow_exception(Error);
    OnError(this, Error);
  }
}

void TKitTimerPool::Delete(int Index) {
  FItems.erase(FItems.begin() + Index);
  if (!FBusy) return;
  if (Index < FWalkEnd) --FWalkEnd;
  if (Index <= FWalkIndex) --FWalkIndex;
}

void TKitTimerPool::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (OnNeedsTicksChange) OnNeedsTicksChange(this);
}
