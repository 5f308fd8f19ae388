// The menu with the keyboard alone, on the display with its window manager: the window has the
// keyboard when it shows, Tab and the arrows move the focus, Enter and Space start, and an
// accelerator typed in a Russian layout clicks its Cyrillic button.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "e2e/EndToEndFixture.h"

namespace {

constexpr TButtonPlace ThirdButton{20, 120, 200, 32};

class KeyboardEndToEnd : public EndToEndTest {
 protected:
  // Three buttons in a column, each writing its own marker.
  ::Window StartThreeButtonMenu() {
    WriteMenu({{"&First", WriteTarget("first.sh", "first"), "", "", "", false, FirstButton},
               {"&Second", WriteTarget("second.sh", "second"), "", "", "", false, SecondButton},
               {"&Third", WriteTarget("third.sh", "third"), "", "", "", false, ThirdButton}});
    return StartMenu();
  }

  // The window the keyboard goes to is W, without anybody activating it.
  bool HasKeyboard(::Window W) {
    return WaitUntil(
        [&] { return Capture("xdotool getwindowfocus").Output == std::to_string(W) + "\n"; });
  }

  bool NoMarker(const std::string& Marker) {
    return access(Folder.File(Marker).c_str(), F_OK) != 0;
  }
};

TEST_F(KeyboardEndToEnd, TabTabEnterStartsTheSecondTarget) {
  const ::Window W = StartThreeButtonMenu();
  ASSERT_NE(W, 0u);
  ASSERT_TRUE(HasKeyboard(W)) << "the shown window takes the keyboard";
  Xdotool("key Tab Tab Return");
  ASSERT_TRUE(MarkerWritten("second"));
  EXPECT_TRUE(NoMarker("first"));
  EXPECT_TRUE(NoMarker("third"));
}

TEST_F(KeyboardEndToEnd, TheArrowsMoveTheFocusAndSpaceStarts) {
  const ::Window W = StartThreeButtonMenu();
  ASSERT_NE(W, 0u);
  ASSERT_TRUE(HasKeyboard(W));
  // The first arrow focuses the first button; End the last; Up the one above it.
  Xdotool("key Down End Up space");
  ASSERT_TRUE(MarkerWritten("second"));
  EXPECT_TRUE(NoMarker("first"));
  EXPECT_TRUE(NoMarker("third"));
}

TEST_F(KeyboardEndToEnd, TheFocusedButtonShowsItsCueOnlyAfterAKey) {
  Xdotool("mousemove 0 0");
  const ::Window W = StartThreeButtonMenu();
  ASSERT_NE(W, 0u);
  ASSERT_TRUE(HasKeyboard(W));
  const auto Resting = Area(W, FirstButton);
  Xdotool("key Tab");
  ASSERT_TRUE(WaitUntil([&] { return Area(W, FirstButton) != Resting; }));
  Xdotool("key Tab");
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) == Resting; }));
}

// The layout makes the character: with a Russian layout the key that types "и" clicks "&Игры".
TEST_F(KeyboardEndToEnd, AltAndALetterOfARussianLayoutClicksItsButton) {
  if (!OnPath("setxkbmap")) GTEST_SKIP() << "setxkbmap is not installed";
  WriteMenu({{"&\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", WriteTarget("games.sh", "games"), "", "", "",
              false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  ASSERT_TRUE(HasKeyboard(W));
  ASSERT_TRUE(Capture("setxkbmap ru").Ok);
  Xdotool("key alt+Cyrillic_i");
  const bool Clicked = MarkerWritten("games");
  Capture("setxkbmap us");
  ASSERT_TRUE(Clicked);
  EXPECT_TRUE(NoMarker("ran"));
}

}  // namespace
