// The monitor and work area a new window is placed in.
#include "platform/MonitorChoice.h"

#include <gtest/gtest.h>

namespace {

const TRect Screen{0, 0, 3200, 1200};
const std::vector<TRect> TwoMonitors{Bounds(0, 0, 1280, 1024), Bounds(1280, 0, 1920, 1200)};

TEST(MonitorChoiceTest, TheMonitorHoldingThePointerIsChosen) {
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {10, 10}, {}, Screen), TwoMonitors[0]);
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {1279, 1023}, {}, Screen), TwoMonitors[0]);
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {1280, 0}, {}, Screen), TwoMonitors[1]);
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {3199, 1199}, {}, Screen), TwoMonitors[1]);
}

TEST(MonitorChoiceTest, APointerOnNoMonitorTakesTheNearest) {
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {100, 1100}, {}, Screen), TwoMonitors[0]);
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {1300, 1100}, {}, Screen), TwoMonitors[1]);
}

TEST(MonitorChoiceTest, WithoutMonitorsTheWholeScreenIsTaken) {
  EXPECT_EQ(PointerWorkArea({}, {5, 5}, {}, Screen), Screen);
  EXPECT_EQ(PointerWorkArea({TRect{}}, {5, 5}, {}, Screen), Screen) << "an empty monitor";
}

TEST(MonitorChoiceTest, TheWorkAreaCutsTheMonitorItOverlaps) {
  // A panel 30 pixels high along the top of the whole desktop, one 40 wide at the right.
  const TRect WorkArea{0, 30, 3160, 1200};
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {10, 500}, WorkArea, Screen), Rect(0, 30, 1280, 1024));
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {2000, 500}, WorkArea, Screen),
            Rect(1280, 30, 3160, 1200));
  EXPECT_EQ(PointerWorkArea({}, {10, 500}, WorkArea, Screen), WorkArea);
}

TEST(MonitorChoiceTest, AWorkAreaOffTheMonitorLeavesTheWholeMonitor) {
  EXPECT_EQ(PointerWorkArea(TwoMonitors, {10, 10}, Bounds(1300, 0, 500, 500), Screen),
            TwoMonitors[0]);
}

}  // namespace
