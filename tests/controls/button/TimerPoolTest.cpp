// The timer pool and the application's timer idents: slots, intervals counted in ticks, call
// counts, restarts, changes to the list from inside handlers, the tick's start and stop, errors.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/core/KitApplication.h"
#include "controls/core/KitApplicationInstance.h"
#include "controls/core/KitTimerPool.h"
#include "core/Exception.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

constexpr std::uint16_t Slot1 = 0xFD01;
constexpr std::uint16_t Slot2 = 0xFD02;
constexpr std::uint16_t Slot3 = 0xFD03;

// Drives an application's pool as the message loop would, numbering the ticks from 1 and
// logging which timer fired on which tick.
class TimerPoolTest : public ::testing::Test {
 protected:
  struct TFiring {
    int Tick;
    std::string Name;
    bool operator==(const TFiring&) const = default;
  };

  TKitTimerPool& Pool() { return App.TimerPool(); }

  TNotifyEvent Logger(const std::string& Name) {
    return [this, Name](TObject*) { Log.push_back({TickNumber, Name}); };
  }

  void Ticks(int Count) {
    for (int Index = 0; Index < Count; ++Index) {
      ++TickNumber;
      Pool().Tick();
    }
  }

  std::vector<int> TicksOf(const std::string& Name) const {
    std::vector<int> Result;
    for (const TFiring& Firing : Log) {
      if (Firing.Name == Name) Result.push_back(Firing.Tick);
    }
    return Result;
  }

  TKitApplication App;
  int TickNumber = 0;
  std::vector<TFiring> Log;
};

// The message of a reported error.
std::string MessageOf(const std::exception_ptr& Error) {
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception& E) {
    return E.what();
  }
}

// --- Idents and slots ----------------------------------------------------------------------

TEST_F(TimerPoolTest, IdentsComeFromTheFirstFreeSlot) {
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot1);
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot2);
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot3);
  App.RemoveTimer(Slot2);
  EXPECT_EQ(App.GetTimer(Slot2), nullptr);
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot2);
  App.RemoveTimer(Slot1);
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot1);
  EXPECT_EQ(Pool().Count(), 3);
}

TEST_F(TimerPoolTest, OutOfTimersReturnsZeroAndChangesNothing) {
  for (int Slot = 1; Slot <= 250; ++Slot) {
    ASSERT_EQ(App.AddTimer(100, nullptr), 0xFD00 + Slot);
  }
  EXPECT_EQ(App.AddTimer(100, nullptr), 0);
  EXPECT_EQ(App.AddTimerExt(100, true, 3, nullptr), 0);
  EXPECT_EQ(Pool().Count(), 250);
  EXPECT_EQ(Pool().IndexOf(0), -1);

  App.RemoveTimer(0xFD00 + 77);
  EXPECT_EQ(App.AddTimer(100, nullptr), 0xFD00 + 77);
  EXPECT_EQ(App.AddTimer(100, nullptr), 0);
}

TEST_F(TimerPoolTest, RemovingAnIdentNotLentLeavesEverythingAlone) {
  Pool().AddTimer(0xFD00, 100, nullptr);
  Pool().AddTimer(0xFDFB, 100, nullptr);
  App.RemoveTimer(0xFD00);
  App.RemoveTimer(0xFDFB);
  App.RemoveTimer(0);
  EXPECT_EQ(Pool().Count(), 2);
  Pool().RemoveTimer(1234);
  EXPECT_EQ(Pool().Count(), 2);
}

TEST_F(TimerPoolTest, DuplicateIdentNamesTheIdent) {
  Pool().AddTimer(Slot1, 100, nullptr);
  try {
    App.AddTimer(100, nullptr);
    FAIL() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "List index out of bounds (64769)");
  }
  EXPECT_EQ(Pool().Count(), 1);
}

TEST_F(TimerPoolTest, IncompatibleIntervalsRaiseAndLeaveTheSlotFree) {
  for (std::uint16_t Interval : {0, 30, 75, 120, 65535}) {
    try {
      App.AddTimer(Interval, nullptr);
      ADD_FAILURE() << Interval << " was taken";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Interval not compatible with MinInterval property!");
    }
  }
  EXPECT_EQ(Pool().Count(), 0);
  EXPECT_FALSE(Pool().NeedsTicks());
  EXPECT_EQ(App.AddTimer(65500, nullptr), Slot1);
}

// --- Intervals and call counts ---------------------------------------------------------------

TEST_F(TimerPoolTest, IntervalsAreCountedInTicksAfterTheLastAddition) {
  App.AddTimer(50, Logger("every"));
  App.AddTimer(100, Logger("second"));
  App.AddTimer(150, Logger("third"));
  Ticks(6);
  EXPECT_EQ(TicksOf("every"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(TicksOf("second"), (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(TicksOf("third"), (std::vector<int>{3, 6}));
  // Within one tick the timers fire in the order they were added.
  EXPECT_EQ(Log.back(), (TFiring{6, "third"}));
  EXPECT_EQ(Log[Log.size() - 2], (TFiring{6, "second"}));
}

TEST_F(TimerPoolTest, EveryAdditionRestartsThePhaseOfAllTimers) {
  App.AddTimer(100, Logger("first"));
  Ticks(1);
  App.AddTimer(1000, nullptr);
  Ticks(5);
  EXPECT_EQ(TicksOf("first"), (std::vector<int>{3, 5}));
}

TEST_F(TimerPoolTest, ChangedIntervalTakesEffectOnTheNextDueTick) {
  const std::uint16_t Ident = App.AddTimer(100, Logger("timer"));
  TKitTimerItem* Item = App.GetTimer(Ident);
  Item->SetInterval(120);
  EXPECT_EQ(Item->Interval(), 100);
  Item->SetInterval(200);
  Ticks(8);
  Item->SetInterval(0);
  EXPECT_EQ(Item->Interval(), 50);
  Ticks(2);
  EXPECT_EQ(TicksOf("timer"), (std::vector<int>{4, 8, 9, 10}));
}

TEST_F(TimerPoolTest, LimitedTimerStaysListedAndDisabledWhileTheTickGoesOn) {
  const std::uint16_t Ident = App.AddTimerExt(100, true, 3, Logger("limited"));
  Ticks(10);
  EXPECT_EQ(TicksOf("limited"), (std::vector<int>{2, 4, 6}));
  TKitTimerItem* Item = App.GetTimer(Ident);
  ASSERT_NE(Item, nullptr);
  EXPECT_FALSE(Item->Enabled());
  EXPECT_EQ(Pool().Count(), 1);
  EXPECT_EQ(Pool().EnabledCount(), 0);
  EXPECT_TRUE(Pool().NeedsTicks());

  // Enabling it again grants three more firings.
  Item->SetEnabled(true);
  Ticks(10);
  EXPECT_EQ(TicksOf("limited"), (std::vector<int>{2, 4, 6, 12, 14, 16}));
}

TEST_F(TimerPoolTest, PoolHandlerCountsFiringsSinceEnabled) {
  std::vector<int> Counts;
  std::vector<std::uint16_t> Idents;
  Pool().OnTimer = [&](TObject* Sender, std::uint16_t Ident, int Count) {
    EXPECT_EQ(Sender, &Pool());
    Idents.push_back(Ident);
    Counts.push_back(Count);
  };
  const std::uint16_t Ident = App.AddTimerExt(50, true, 4, nullptr);
  Ticks(2);
  App.GetTimer(Ident)->SetEnabled(false);
  Ticks(1);
  App.GetTimer(Ident)->SetEnabled(true);
  Ticks(6);
  // The last firing of the limit is reported as number 4, although disabling resets the count.
  EXPECT_EQ(Counts, (std::vector<int>{1, 2, 1, 2, 3, 4}));
  EXPECT_EQ(Idents, std::vector<std::uint16_t>(6, Ident));
}

TEST_F(TimerPoolTest, OwnHandlerTakesPrecedenceOverThePoolHandler) {
  int PoolCalls = 0;
  Pool().OnTimer = [&](TObject*, std::uint16_t, int) { ++PoolCalls; };
  App.AddTimer(50, Logger("own"));
  Ticks(3);
  EXPECT_EQ(TicksOf("own").size(), 3u);
  EXPECT_EQ(PoolCalls, 0);
}

TEST_F(TimerPoolTest, CallCountOfZeroDisablesUntilTheCountChanges) {
  const std::uint16_t Ident = App.AddTimerExt(50, true, 0, Logger("never"));
  TKitTimerItem* Item = App.GetTimer(Ident);
  EXPECT_FALSE(Item->Enabled());
  Item->SetEnabled(true);
  EXPECT_FALSE(Item->Enabled());
  Ticks(3);
  EXPECT_TRUE(Log.empty());

  Item->SetCallCount(-7);
  EXPECT_EQ(Item->CallCount(), -1);
  Item->SetEnabled(true);
  Ticks(2);
  EXPECT_EQ(TicksOf("never"), (std::vector<int>{4, 5}));
}

TEST_F(TimerPoolTest, DisabledTimerSkipsTicksAndRestartsItsCountWhenEnabled) {
  const std::uint16_t Ident = App.AddTimerExt(50, false, 2, Logger("timer"));
  Ticks(2);
  EXPECT_TRUE(Log.empty());
  App.GetTimer(Ident)->SetEnabled(true);
  Ticks(1);
  App.GetTimer(Ident)->SetEnabled(false);
  App.GetTimer(Ident)->SetEnabled(true);
  Ticks(4);
  EXPECT_EQ(TicksOf("timer"), (std::vector<int>{3, 4, 5}));
}

TEST_F(TimerPoolTest, DefaultPoolCountsInSeconds) {
  TKitTimerPool Seconds;
  EXPECT_EQ(Seconds.MinInterval(), 1000);
  EXPECT_THROW(Seconds.AddTimer(1, 500, nullptr), Exception);
  EXPECT_EQ(Seconds.AddTimer(1, 3000, nullptr), 0);
  EXPECT_EQ(Seconds.AddTimer(2, 1000, nullptr), 1);
}

// --- Changes from inside handlers ------------------------------------------------------------

TEST_F(TimerPoolTest, HandlerRemovingItsOwnTimerLetsTheOthersFire) {
  App.AddTimer(50, Logger("before"));
  std::uint16_t Self = 0;
  const std::string Name = "self";
  Self = App.AddTimer(50, [&, Name](TObject*) {
    // Detached and removed as the speed button does it, then the closure's own data is used.
    App.GetTimer(Self)->OnTimer = nullptr;
    App.RemoveTimer(Self);
    Log.push_back({TickNumber, Name});
  });
  App.AddTimer(50, Logger("after"));
  Ticks(2);
  EXPECT_EQ(TicksOf("before"), (std::vector<int>{1, 2}));
  EXPECT_EQ(TicksOf("self"), (std::vector<int>{1}));
  EXPECT_EQ(TicksOf("after"), (std::vector<int>{1, 2}));
  EXPECT_EQ(Pool().Count(), 2);
}

TEST_F(TimerPoolTest, HandlerRemovingOtherTimersShiftsTheWalk) {
  const std::uint16_t First = App.AddTimer(50, Logger("first"));
  std::uint16_t Last = 0;
  App.AddTimer(50, [&](TObject*) {
    Log.push_back({TickNumber, "remover"});
    App.RemoveTimer(First);
    App.RemoveTimer(Last);
  });
  App.AddTimer(50, Logger("middle"));
  Last = App.AddTimer(50, Logger("last"));
  Ticks(2);
  EXPECT_EQ(TicksOf("first"), (std::vector<int>{1}));
  EXPECT_EQ(TicksOf("remover"), (std::vector<int>{1, 2}));
  EXPECT_EQ(TicksOf("middle"), (std::vector<int>{1, 2}));
  EXPECT_TRUE(TicksOf("last").empty());
}

TEST_F(TimerPoolTest, HandlerClearingThePoolEndsTheTickAndTheNeed) {
  App.AddTimer(50, [&](TObject*) { Pool().ClearTimers(); });
  App.AddTimer(50, Logger("later"));
  Ticks(2);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Pool().Count(), 0);
  EXPECT_FALSE(Pool().NeedsTicks());
}

TEST_F(TimerPoolTest, TimerAddedByAHandlerFirstFiresAFullIntervalLater) {
  bool Added = false;
  App.AddTimer(50, [&](TObject*) {
    if (Added) return;
    Added = true;
    App.AddTimer(100, Logger("added"));
    App.AddTimer(50, Logger("quick"));
  });
  Ticks(5);
  EXPECT_EQ(TicksOf("added"), (std::vector<int>{3, 5}));
  EXPECT_EQ(TicksOf("quick"), (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(TimerPoolTest, TicksArrivingDuringAHandlerAreDropped) {
  int Nested = 0;
  App.AddTimer(100, [&](TObject*) {
    // A modal message box's loop goes on ticking while this handler waits for it.
    for (int Index = 0; Index < 3; ++Index) Pool().Tick();
    ++Nested;
  });
  App.AddTimer(50, Logger("every"));
  Ticks(4);
  EXPECT_EQ(Nested, 2);
  EXPECT_EQ(TicksOf("every"), (std::vector<int>{1, 2, 3, 4}));
}

// --- The tick's start and stop ---------------------------------------------------------------

TEST_F(TimerPoolTest, TickIsNeededExactlyWhileTimersExist) {
  std::vector<bool> Changes;
  Pool().OnNeedsTicksChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &Pool());
    Changes.push_back(Pool().NeedsTicks());
  };
  EXPECT_FALSE(Pool().NeedsTicks());
  const std::uint16_t First = App.AddTimer(100, nullptr);
  const std::uint16_t Second = App.AddTimerExt(100, false, -1, nullptr);
  App.GetTimer(First)->SetEnabled(false);
  EXPECT_TRUE(Pool().NeedsTicks());
  EXPECT_EQ(Changes, (std::vector<bool>{true}));
  App.RemoveTimer(First);
  EXPECT_EQ(Changes, (std::vector<bool>{true}));
  App.RemoveTimer(Second);
  EXPECT_EQ(Changes, (std::vector<bool>{true, false}));
  App.RemoveTimer(Second);
  Pool().ClearTimers();
  EXPECT_EQ(Changes, (std::vector<bool>{true, false}));

  App.AddTimer(100, nullptr);
  App.AddTimer(100, nullptr);
  Pool().ClearTimers();
  EXPECT_EQ(Changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(TimerPoolTest, DestroyingAnActivePoolStopsTheTick) {
  std::vector<bool> Changes;
  {
    TKitTimerPool Local(50);
    Local.OnNeedsTicksChange = [&](TObject* Sender) {
      Changes.push_back(static_cast<TKitTimerPool*>(Sender)->NeedsTicks());
    };
    Local.AddTimer(7, 50, nullptr);
  }
  EXPECT_EQ(Changes, (std::vector<bool>{true, false}));
}

TEST_F(TimerPoolTest, RefusedTickFailsTheAdditionAndLeavesThePoolEmpty) {
  bool Refuse = true;
  Pool().OnNeedsTicksChange = [&](TObject*) {
    if (Refuse && Pool().NeedsTicks()) throw EOutOfResources("Not enough timers available");
  };
  EXPECT_THROW(App.AddTimer(100, Logger("refused")), EOutOfResources);
  EXPECT_EQ(Pool().Count(), 0);
  EXPECT_FALSE(Pool().NeedsTicks());
  Refuse = false;
  EXPECT_EQ(App.AddTimer(100, nullptr), Slot1);
  EXPECT_TRUE(Pool().NeedsTicks());
  // The pool reports its stop again when the fixture destroys it, after Refuse is gone.
  Pool().OnNeedsTicksChange = nullptr;
}

// --- Errors raised by handlers ---------------------------------------------------------------

TEST_F(TimerPoolTest, RaisingHandlerIsRethrownOnceThePoolIsWhole) {
  App.AddTimer(50, [&](TObject*) {
    Log.push_back({TickNumber, "raiser"});
    throw Exception("handler failed");
  });
  App.AddTimer(100, Logger("other"));
  for (int Index = 0; Index < 4; ++Index) {
    ++TickNumber;
    try {
      Pool().Tick();
      ADD_FAILURE() << "no error on tick " << TickNumber;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "handler failed");
    }
  }
  // Every failed tick still fired the other timer when due and counted itself.
  EXPECT_EQ(TicksOf("raiser"), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(TicksOf("other"), (std::vector<int>{2, 4}));
}

TEST_F(TimerPoolTest, ErrorHookGetsEveryErrorOfTheTickInOrder) {
  std::vector<std::string> Reported;
  Pool().OnError = [&](TObject* Sender, std::exception_ptr Error) {
    EXPECT_EQ(Sender, &Pool());
    Reported.push_back(MessageOf(Error));
    // The hook may show a modal box whose loop ticks on; those ticks are handled.
    Pool().Tick();
  };
  App.AddTimerExt(50, true, 1, [](TObject*) { throw EOutOfResources("first"); });
  App.AddTimerExt(50, true, 1, [](TObject*) { throw std::runtime_error("second"); });
  App.AddTimer(100, Logger("other"));
  Ticks(1);
  EXPECT_EQ(Reported, (std::vector<std::string>{"first", "second"}));
  // Tick 1 was not due for "other": it fired in the first report's nested tick, the pool's
  // second.
  EXPECT_EQ(TicksOf("other"), (std::vector<int>{1}));
}

}  // namespace

// --- The application's tick under the pool ---------------------------------------------------

// The tick is the application's; an addition starts its period anew, so a timer added between
// two ticks still waits its whole interval.
TEST(TimerPoolTickTest, ATimerAddedBetweenTicksFirstFiresAWholeIntervalLater) {
  THeadlessDriver System;
  TKitApplication Kit;
  TApplication App{System};
  std::vector<std::int64_t> Early, Late;
  const std::uint16_t First = Kit.AddTimer(100, [&](TObject*) { Early.push_back(System.Clock); });
  std::uint16_t Second = 0;
  for (System.Clock = 0; System.Clock <= 250; System.Clock += 10) {
    if (System.Clock == 30)
      Second = Kit.AddTimer(100, [&](TObject*) { Late.push_back(System.Clock); });
    App.HandleMessage(false);
  }
  Kit.RemoveTimer(First);
  Kit.RemoveTimer(Second);
  EXPECT_EQ(Late, (std::vector<std::int64_t>{130, 230}));
  EXPECT_EQ(Early, (std::vector<std::int64_t>{130, 230})) << "every timer's phase restarts";
}

// --- Which application object the buttons use ------------------------------------------------

TEST(KitApplicationTest, TheLatestLiveObjectIsTheOneInUseUntilItIsGone) {
  auto First = std::make_unique<TKitApplication>();
  EXPECT_EQ(&KitApplication(), First.get());
  auto Second = std::make_unique<TKitApplication>();
  EXPECT_EQ(&KitApplication(), Second.get());
  Second.reset();
  EXPECT_EQ(&KitApplication(), First.get());
  // Gone out of the order they were made in, the one still alive is still in use.
  Second = std::make_unique<TKitApplication>();
  First.reset();
  EXPECT_EQ(&KitApplication(), Second.get());
  Second.reset();
  EXPECT_EQ(TKitApplication::Latest(), nullptr);
}
