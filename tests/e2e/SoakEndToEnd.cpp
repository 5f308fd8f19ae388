// Up to two minutes of random moves, clicks and drags over a menu of the demo's shape: the
// program lives on, starts each click that landed on an enabled button once, and keeps its memory.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "e2e/EndToEndFixture.h"

namespace {

constexpr std::uint32_t Seed = 20261208;
constexpr int MaxActions = 600;
constexpr int MaxSeconds = 120;
// How far resident memory may grow over the soak.
constexpr long MarginKiB = 1024;

// The demo's column of buttons, fitted to the tests' background; the third has no target.
constexpr TButtonPlace Places[] = {{40, 20, 260, 32},
                                   {40, 60, 260, 32},
                                   {40, 100, 260, 32},
                                   {40, 140, 260, 32},
                                   {40, 200, 260, 32}};
constexpr int EntryCount = 5;
constexpr int MissingEntry = 2;

bool Contains(const TButtonPlace& P, int X, int Y) {
  return X >= P.X && X < P.X + P.Width && Y >= P.Y && Y < P.Y + P.Height;
}

// A release ends a click on the pressed button when it is over it, the bottom edge included.
bool HoldsForRelease(const TButtonPlace& P, int X, int Y) {
  return X >= P.X && X < P.X + P.Width && Y >= P.Y && Y <= P.Y + P.Height;
}

// The enabled button a press at (X, Y) goes to, or -1.
int PressedEntry(int X, int Y) {
  for (int I = 0; I < EntryCount; ++I)
    if (I != MissingEntry && Contains(Places[I], X, Y)) return I;
  return -1;
}

// The soak's length: OSTREL_SOAK_SECONDS when it is a number from 1 to the default.
int SoakSeconds() {
  const char* Text = std::getenv("OSTREL_SOAK_SECONDS");
  const int Value = Text ? std::atoi(Text) : 0;
  return Value >= 1 && Value <= MaxSeconds ? Value : MaxSeconds;
}

// VmRSS of a process in KiB, or -1.
long ResidentKiB(pid_t Pid) {
  std::ifstream StatusFile("/proc/" + std::to_string(Pid) + "/status");
  for (std::string Line; std::getline(StatusFile, Line);)
    if (Line.rfind("VmRSS:", 0) == 0) return std::atol(Line.c_str() + 6);
  return -1;
}

// How many lines of the marker file name each entry.
std::vector<int> MarkerCounts(const std::string& FileName) {
  std::vector<int> Counts(EntryCount);
  std::ifstream Markers(FileName);
  for (std::string Line; std::getline(Markers, Line);) {
    const int Entry = std::atoi(Line.c_str());
    if (Entry >= 0 && Entry < EntryCount) ++Counts[static_cast<std::size_t>(Entry)];
  }
  return Counts;
}

int Sum(const std::vector<int>& Counts) {
  int Total = 0;
  for (int Count : Counts) Total += Count;
  return Total;
}

TEST_F(EndToEndTest, SoakOfRandomMovesAndClicksStartsEachLandedClickOnce) {
  const std::string Markers = Folder.File("markers");
  const char* const Texts[] = {"&Read me", "Run the &tool", "&Install (missing)", "R&&D notes",
                               "E&xit"};
  std::vector<TEntry> Entries;
  for (int I = 0; I < EntryCount; ++I) {
    std::string Target = "tools\\absent.sh";
    if (I != MissingEntry) {
      const std::string Name = "mark" + std::to_string(I) + ".sh";
      const std::string Path =
          Folder.Write("tools/" + Name,
                       "#!/bin/sh\necho " + std::to_string(I) + " >> " + Quoted(Markers) + "\n");
      chmod(Path.c_str(), 0755);
      Target = "tools\\" + Name;
    }
    Entries.push_back({Texts[I], Target, "", "", "", false, Places[I]});
  }
  WriteMenu(Entries);
  Xdotool("mousemove 0 0");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const long StartKiB = ResidentKiB(Menu->Pid());
  ASSERT_GT(StartKiB, 0);

  std::mt19937 Random(Seed);
  auto Between = [&](int Low, int High) {
    return std::uniform_int_distribution<int>(Low, High)(Random);
  };
  // A point inside the window, near a button's edges half of the time.
  auto Point = [&](int& X, int& Y) {
    if (Between(0, 1) == 0) {
      const TButtonPlace& P = Places[Between(0, EntryCount - 1)];
      X = std::clamp(Between(P.X - 2, P.X + P.Width + 2), 0, MenuWidth - 1);
      Y = std::clamp(Between(P.Y - 2, P.Y + P.Height + 2), 0, MenuHeight - 1);
    } else {
      X = Between(0, MenuWidth - 1);
      Y = Between(0, MenuHeight - 1);
    }
  };
  const std::string Window = " --window " + std::to_string(W) + " ";
  auto At = [&](int X, int Y) {
    return "mousemove" + Window + "-- " + std::to_string(X) + " " + std::to_string(Y) + " ";
  };

  std::vector<int> Expected(EntryCount);
  int Actions = 0, Clicks = 0;
  const int Seconds = SoakSeconds();
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
  for (; Actions < MaxActions && std::chrono::steady_clock::now() < Deadline; ++Actions) {
    const int Roll = Between(0, 99);
    int X = 0, Y = 0;
    if (Roll < 35) {
      Xdotool(At(Between(-30, MenuWidth + 30), Between(-30, MenuHeight + 30)));
    } else if (Roll < 80) {
      Point(X, Y);
      const bool Double = Roll >= 70;
      Xdotool(At(X, Y) + (Double ? "click --repeat 2 --delay 40 1" : "click 1"));
      const int Entry = PressedEntry(X, Y);
      Clicks += Double ? 2 : 1;
      if (Entry >= 0) Expected[static_cast<std::size_t>(Entry)] += Double ? 2 : 1;
    } else {
      // A drag: pressed in the window, released anywhere near it.
      Point(X, Y);
      const int ToX = Between(-30, MenuWidth + 30), ToY = Between(-30, MenuHeight + 30);
      Xdotool(At(X, Y) + "mousedown 1 " + At(ToX, ToY) + "mouseup 1");
      const int Entry = PressedEntry(X, Y);
      ++Clicks;
      if (Entry >= 0 && HoldsForRelease(Places[Entry], ToX, ToY))
        ++Expected[static_cast<std::size_t>(Entry)];
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(Between(0, 80)));
  }

  ASSERT_TRUE(Menu->Running()) << ReadAll(Folder.File("ostrel.log"));
  // The targets run on their own; once the count is reached, a moment more shows any extra.
  WaitUntil([&] { return Sum(MarkerCounts(Markers)) >= Sum(Expected); }, 20000);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::vector<int> Counted = MarkerCounts(Markers);
  EXPECT_EQ(Counted, Expected);
  EXPECT_EQ(Counted[MissingEntry], 0);
  const long EndKiB = ResidentKiB(Menu->Pid());
  EXPECT_TRUE(Menu->Running());

  std::printf(
      "soak: seed %u, %d actions in at most %d s, %d clicks, %d on enabled buttons, "
      "%d markers; VmRSS %ld KiB after start-up, %ld KiB after the soak\n",
      Seed, Actions, Seconds, Clicks, Sum(Expected), Sum(Counted), StartKiB, EndKiB);
  RecordProperty("RssStartKiB", static_cast<int>(StartKiB));
  RecordProperty("RssEndKiB", static_cast<int>(EndKiB));
  EXPECT_LE(EndKiB - StartKiB, MarginKiB) << "resident memory grew over the soak";
}

}  // namespace
