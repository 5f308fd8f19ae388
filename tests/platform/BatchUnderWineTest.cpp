// A batch file started the way the menu starts it on Linux, under the real wine: its path and
// parameters hold the characters cmd gives a meaning to, and reach it as written.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/PosixShell.h"
#include "support/TempDir.h"

namespace {

// Each parameter without its quotes, one a line, read with delayed expansion so that nothing in
// them is taken for a command.
constexpr const char* Recorder =
    "@echo off\r\n"
    "set \"a1=%~1\"\r\nset \"a2=%~2\"\r\nset \"a3=%~3\"\r\nset \"a4=%~4\"\r\nset \"a5=%~5\"\r\n"
    "setlocal EnableDelayedExpansion\r\n"
    "> \"%~dp0record.part\" echo 1=!a1!\r\n"
    ">> \"%~dp0record.part\" echo 2=!a2!\r\n"
    ">> \"%~dp0record.part\" echo 3=!a3!\r\n"
    ">> \"%~dp0record.part\" echo 4=!a4!\r\n"
    ">> \"%~dp0record.part\" echo 5=!a5!\r\n"
    "move /y \"%~dp0record.part\" \"%~dp0record.txt\" > nul\r\n";

std::optional<std::vector<std::string>> WaitForLines(const std::string& FileName) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
  while (std::chrono::steady_clock::now() < Deadline) {
    std::ifstream In(FileName);
    if (In) {
      std::vector<std::string> Lines;
      for (std::string Line; std::getline(In, Line);) {
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        Lines.push_back(Line);
      }
      return Lines;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

TEST(BatchUnderWineTest, PathAndParametersReachTheBatchFileAsWritten) {
  if (std::system("command -v wine > /dev/null 2>&1") != 0) GTEST_SKIP() << "wine is not installed";
  TTempDir Dir;
  // A prefix of the test's own unless one is given: making it takes a while, once.
  if (!std::getenv("WINEPREFIX")) ::setenv("WINEPREFIX", Dir.MakeDir("prefix").c_str(), 1);
  ::setenv("WINEDEBUG", "-all", 1);
  const std::string Batch = Dir.Write("run dir/a&b ^c %d.bat", Recorder);
  const std::optional<TLaunchRequest> Request =
      PlanLaunch(Batch, "p&2 x^y 50% \"two & ^ words\" (a|b)<c>", "");
  ASSERT_TRUE(Request);
  ASSERT_EQ(StartDetached(*Request), 0);
  const std::optional<std::vector<std::string>> Lines =
      WaitForLines(Dir.File("run dir/record.txt"));
  ASSERT_TRUE(Lines) << "the batch file left no record";
  EXPECT_EQ(*Lines,
            (std::vector<std::string>{"1=p&2", "2=x^y", "3=50%", "4=two & ^ words", "5=(a|b)<c>"}));
}

}  // namespace
