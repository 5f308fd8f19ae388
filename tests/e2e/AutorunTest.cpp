// The Linux autorun script on a medium mounted without execute permission: the desktop runs it
// with sh, and it starts a private copy of the program on the medium's menu.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/X11TestDisplay.h"
#include "support/DisplayTools.h"
#include "support/TempDir.h"

const int WaitLimitMs = 10000;

namespace {

TEST(Autorun, StartsACopyOfTheProgramWhenTheMediumCannotRunIt) {
  TTempDir Scratch;
  const std::string Medium = Scratch.MakeDir("medium");
  TScopedMount Mount("mount -t tmpfs -o noexec,size=64m ostrel-medium", Medium);
  if (!Mount.Mounted())
    GTEST_SKIP() << "no noexec tmpfs can be mounted here (needs root): autorun.sh is untested";
  ASSERT_TRUE(XvfbInstalled());
  TXvfb Server("1024x768x24");
  ASSERT_FALSE(Server.Name().empty()) << "Xvfb did not start";
  TScopedEnv DisplayEnv("DISPLAY", Server.Name());

  ASSERT_TRUE(RunQuietly("cp " + Quoted(OSTREL_EXE) + " " + Quoted(Medium + "/ostrel") + " && cp " +
                         Quoted(OSTREL_AUTORUN) + " " + Quoted(Medium)));
  WriteBackground(Medium + "/menu.bmp", 200, 100);
  std::ofstream(Medium + "/menu.ini") << "[Main]\nAppName=Autorun Medium\nProgCount=0\n";
  ASSERT_NE(access((Medium + "/ostrel").c_str(), X_OK), 0)
      << "the medium lets its program run: the test would prove nothing";

  const std::string Log = Scratch.File("autorun.log");
  TStartedProgram Script(Scratch.Path(), Log, [&] {
    execlp("sh", "sh", (Medium + "/autorun.sh").c_str(), static_cast<char*>(nullptr));
  });
  std::vector<::Window> Windows;
  ASSERT_TRUE(WaitUntil([&] { return !(Windows = WindowsNamed("Autorun Medium")).empty(); }))
      << Capture("cat " + Quoted(Log)).Output;
  const TCommandResult Pid = Capture("xdotool getwindowpid " + std::to_string(Windows[0]));
  ASSERT_TRUE(Pid.Ok);
  const std::string Exe =
      Capture("readlink /proc/" + Pid.Output.substr(0, Pid.Output.size() - 1) + "/exe").Output;
  EXPECT_EQ(Exe.rfind(Medium, 0), std::string::npos) << "runs from the medium: " << Exe;
  EXPECT_NE(Exe.find("/ostrel."), std::string::npos) << "not the private copy: " << Exe;
  const std::string Copy = Exe.substr(0, Exe.rfind('/'));
  kill(std::stoi(Pid.Output), SIGTERM);
  ASSERT_TRUE(Script.WaitExit().has_value()) << "the script did not end with the menu";
  EXPECT_NE(access(Copy.c_str(), F_OK), 0) << "the private copy stays behind: " << Copy;
}

}  // namespace
