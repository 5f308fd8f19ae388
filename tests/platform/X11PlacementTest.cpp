// Where the X11 window system places windows and at what scale, read from a real display: its
// RandR monitor, the desktop's _NET_WORKAREA, the X resources' Xft.dpi and OSTREL_SCALE, and no
// frame where no window manager answers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>

#include "X11TestDisplay.h"

namespace {

class X11PlacementTest : public TX11SessionTest {
 protected:
  void TearDown() override {
    // The display is shared with the other suites: what a test set on it goes.
    for (const char* Name : {"_NET_WORKAREA", "_NET_CURRENT_DESKTOP", "RESOURCE_MANAGER"})
      XDeleteProperty(Probe(), DefaultRootWindow(Probe()), AtomOf(Probe(), Name));
    XSync(Probe(), False);
    TX11SessionTest::TearDown();
  }

  void SetCardinals(const char* Name, const std::vector<long>& Values) {
    XChangeProperty(Probe(), DefaultRootWindow(Probe()), AtomOf(Probe(), Name), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(Values.data()),
                    static_cast<int>(Values.size()));
    XSync(Probe(), False);
  }

  // Reads what events there are, as the program's loop does between two starts of its windows.
  void ReadEvents() {
    TWindowEvent Event;
    while (System().NextEvent(Event, 0)) {
    }
  }

  // A new connection of the window system, which reads the X resources as it opens.
  std::unique_ptr<TSession> Reopened() {
    auto Fresh = std::make_unique<TSession>();
    EXPECT_TRUE(Fresh->System) << Fresh->Error;
    return Fresh;
  }
};

TEST_F(X11PlacementTest, WithoutAWorkAreaTheWholeMonitorIsUsed) {
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 768));
}

TEST_F(X11PlacementTest, TheCurrentDesktopsWorkAreaCutsTheMonitor) {
  // Two desktops; the second is current and has a panel of 40 pixels at the bottom.
  SetCardinals("_NET_WORKAREA", {0, 30, 1024, 738, 0, 0, 1024, 728});
  SetCardinals("_NET_CURRENT_DESKTOP", {1});
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 728));
  SetCardinals("_NET_CURRENT_DESKTOP", {0});
  ReadEvents();
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 30, 1024, 768));
  SetCardinals("_NET_CURRENT_DESKTOP", {5});
  ReadEvents();
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 768)) << "no area for that desktop";
}

// A start asks for the work area to choose its scale and again to place its window: the second
// answer costs the display nothing, and the next event read asks the desktop again.
TEST_F(X11PlacementTest, TheWorkAreaIsAskedAgainOnlyOnceEventsHaveBeenRead) {
  SetCardinals("_NET_WORKAREA", {0, 0, 1024, 700});
  SetCardinals("_NET_CURRENT_DESKTOP", {0});
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 700));
  SetCardinals("_NET_WORKAREA", {0, 0, 1024, 600});
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 700));
  ReadEvents();
  EXPECT_EQ(System().PointerWorkArea(), Rect(0, 0, 1024, 600));
}

TEST_F(X11PlacementTest, WithoutAWindowManagerThereIsNoFrameAndNoWait) {
  EXPECT_EQ(System().FrameExtents(false), TFrameExtents{});
  EXPECT_EQ(System().FrameExtents(true), TFrameExtents{});
}

TEST_F(X11PlacementTest, XftDpiGivesTheScaleUnlessOstrelScaleSaysOtherwise) {
  TScopedEnv NoOverride("OSTREL_SCALE", std::nullopt);
  EXPECT_EQ(System().DesktopScale(), 1.0);
  const std::string Resources = "Xft.antialias:\t1\nXft.dpi:\t192\n";
  XChangeProperty(Probe(), DefaultRootWindow(Probe()), XA_RESOURCE_MANAGER, XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(Resources.data()),
                  static_cast<int>(Resources.size()));
  XSync(Probe(), False);
  EXPECT_EQ(Reopened()->System->DesktopScale(), 2.0);
  TScopedEnv Override("OSTREL_SCALE", "1.5");
  EXPECT_EQ(Reopened()->System->DesktopScale(), 1.5);
  TScopedEnv Invalid("OSTREL_SCALE", "7");
  EXPECT_EQ(Reopened()->System->DesktopScale(), 2.0);
}

}  // namespace
