// Click after click under a window manager, by mouse and by Alt and the letter, every button
// with messages shows its message before its start and its message after it, and one Return
// closes each.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "e2e/EndToEndFixture.h"

namespace {

constexpr std::uint32_t Seed = 20261209;
constexpr int Rounds = 100;

TEST_F(EndToEndTest, EveryClickShowsItsMessagesAroundItsStart) {
  if (!HasWindowManager())
    GTEST_SKIP() << "openbox is not installed: the soak needs a window manager";
  const TButtonPlace Places[] = {FirstButton, SecondButton};
  const std::string Markers[] = {"one", "two"};
  const char* Letters[] = {"o", "t"};
  WriteMenu({{"&One", WriteTarget("one.sh", Markers[0]), "", "Before one.", "After one.", false,
              Places[0]},
             {"&Two", WriteTarget("two.sh", Markers[1]), "", "Before two.", "After two.", false,
              Places[1]}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  std::mt19937 Random(Seed);
  for (int Round = 0; Round < Rounds; ++Round) {
    const int Entry = static_cast<int>(Random() % 2);
    const bool ByKey = Random() % 2 == 0;
    const std::string Marker = Folder.File(Markers[Entry]);
    std::remove(Marker.c_str());
    if (ByKey)
      Xdotool("windowactivate --sync " + std::to_string(W) + " key alt+" + Letters[Entry]);
    else
      Click(W, Places[Entry]);
    const std::string Where =
        "round " + std::to_string(Round) + (ByKey ? ", by key" : ", by mouse");
    const ::Window Before = WaitDialog();
    ASSERT_NE(Before, 0u) << Where << ": no message before the start";
    EXPECT_NE(access(Marker.c_str(), F_OK), 0) << Where << ": started before its message closed";
    PressReturn(Before);
    ASSERT_TRUE(MarkerWritten(Markers[Entry])) << Where << ": Return did not start the target";
    const ::Window After = WaitDialog(Before);
    ASSERT_NE(After, 0u) << Where << ": no message after the start";
    PressReturn(After);
    ASSERT_TRUE(Gone(After, AppTaskName)) << Where << ": Return did not close the message";
    ASSERT_TRUE(WindowsNamed(AppTaskName).empty()) << Where << ": a message is left open";
  }
  EXPECT_TRUE(Menu->Running());
}

}  // namespace
