// The built menu program in a folder of its own, driven through the display as a user drives it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "e2e/EndToEndFixture.h"

namespace {

TEST_F(EndToEndTest, WindowFitsTheBackgroundAndIsCentred) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(Capture("xdotool getwindowname " + std::to_string(W)).Output, AppName + "\n");
  XWindowAttributes Attributes{};
  ASSERT_TRUE(XGetWindowAttributes(Probe, W, &Attributes));
  EXPECT_EQ(Attributes.width, MenuWidth);
  EXPECT_EQ(Attributes.height, MenuHeight);
  int Left = 0, Top = 0;
  ::Window Child = 0;
  XTranslateCoordinates(Probe, W, DefaultRootWindow(Probe), 0, 0, &Left, &Top, &Child);
  // The frame around the client area moves it by a few pixels, the title bar down a little more.
  EXPECT_NEAR(Left + MenuWidth / 2, 1024 / 2, 8);
  EXPECT_NEAR(Top + MenuHeight / 2, 768 / 2, 24);
}

TEST_F(EndToEndTest, ClickStartsTheTargetWithItsParametersInItsFolder) {
  WriteMenu(
      {{"&Run", WriteTarget("run.sh", "ran"), "\"two words\" second", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(ReadAll(Folder.File("ran")), Folder.Path() + "/tools\ntwo words\nsecond\n");
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, MessagesComeBeforeAndAfterTheStart) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "Before the start.", "After the start.",
              false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  const ::Window Before = WaitDialog();
  ASSERT_NE(Before, 0u) << "no message before the start";
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0) << "the target started before the message";
  PressReturn(Before);
  ASSERT_TRUE(MarkerWritten("ran"));
  const ::Window After = WaitDialog(Before);
  ASSERT_NE(After, 0u) << "no message after the start";
  PressReturn(After);
  EXPECT_TRUE(Gone(After, AppTaskName));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, TerminateAfterStartEndsTheProgram) {
  WriteMenu({{"E&xit", WriteTarget("run.sh", "ran"), "", "", "", true, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  EXPECT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingBackgroundShowsTheErrorBoxAndEnds) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}}, "absent.bmp");
  Menu = std::make_unique<TMenuProcess>(Folder.Path(), Server->Name());
  std::vector<::Window> Boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(Boxes = WindowsNamed("Ostrel")).empty(); }))
      << ReadAll(Folder.File("ostrel.log"));
  EXPECT_TRUE(WindowsNamed(AppName).empty());
  PressReturn(Boxes.front());
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingTargetGivesADisabledButton) {
  WriteMenu({{"&Absent", "tools\\absent.sh", "", "Never shown.", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  // The program handles the clicks in order: once the second has started its target, the first
  // would have shown its message.
  Click(W, SecondButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_TRUE(WindowsNamed(AppTaskName).empty());
}

TEST_F(EndToEndTest, AltAndTheAcceleratorClicksTheButton) {
  WriteMenu({{"Other", WriteTarget("other.sh", "other"), "", "", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowfocus --sync " + std::to_string(W) + " key alt+r");
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_NE(access(Folder.File("other").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, CloseRequestEndsTheProgram) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  XEvent Event{};
  Event.xclient.type = ClientMessage;
  Event.xclient.window = W;
  Event.xclient.message_type = AtomOf(Probe, "WM_PROTOCOLS");
  Event.xclient.format = 32;
  Event.xclient.data.l[0] = static_cast<long>(AtomOf(Probe, "WM_DELETE_WINDOW"));
  Event.xclient.data.l[1] = CurrentTime;
  XSendEvent(Probe, W, False, NoEventMask, &Event);
  XFlush(Probe);
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, AltF4EndsTheProgram) {
  if (!HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowactivate --sync " + std::to_string(W) + " key alt+F4");
  EXPECT_EQ(Menu->WaitExit(), 0);
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, HoverChangesTheButton) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  // The pointer stays off the window until it is shown, so that no button starts highlighted.
  Xdotool("mousemove 0 0");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FreeX) + " " +
          std::to_string(FreeY));
  const std::vector<unsigned long> Plain = Area(W, FirstButton);
  ASSERT_FALSE(Plain.empty());
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FirstButton.CenterX()) +
          " " + std::to_string(FirstButton.CenterY()));
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) != Plain; }));
}

}  // namespace
