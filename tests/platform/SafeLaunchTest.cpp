// Hostile parameters and awkward target names through the shell, the launcher and the menu:
// arguments arrive literally, nothing else runs, and only what may start starts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/Launcher.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "platform/Shell.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/posix/PosixShell.h"
#include "support/HeadlessDialogs.h"
#include "support/TempDir.h"

namespace {

using TArgs = std::vector<std::string>;

// A program that writes its working directory on one line and then each argument ended by a
// NUL, into a side file renamed over Record, so a reader never sees half of it.
std::string WriteRecorder(const TTempDir& Dir, const std::string& Name, const std::string& Record) {
  const std::string Path =
      Dir.Write(Name,
                "#!/bin/sh\nPATH=/usr/bin:/bin\n{ pwd -P; for A in \"$@\"; do printf "
                "'%s\\0' \"$A\"; done; } > '" +
                    Record + ".part' && mv '" + Record + ".part' '" + Record + "'\n");
  ::chmod(Path.c_str(), 0755);
  return Path;
}

struct TRecord {
  std::string WorkingDirectory;
  TArgs Arguments;
};

// Waits for what a started program writes, for at most about five seconds: it runs on its own
// and nothing tells when it is done.
std::optional<TRecord> WaitForRecord(const std::string& Record) {
  for (int Round = 0; Round < 500 && !std::filesystem::exists(Record); ++Round)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!std::filesystem::exists(Record)) return std::nullopt;
  const std::string Bytes = ReadAll(Record);
  const std::size_t LineEnd = Bytes.find('\n');
  if (LineEnd == std::string::npos) return std::nullopt;
  TRecord Result{Bytes.substr(0, LineEnd), {}};
  for (std::size_t Pos = LineEnd + 1; Pos < Bytes.size();) {
    const std::size_t End = Bytes.find('\0', Pos);
    if (End == std::string::npos) return std::nullopt;
    Result.Arguments.push_back(Bytes.substr(Pos, End - Pos));
    Pos = End + 1;
  }
  return Result;
}

// A parameter text and the arguments the classic splitting rule makes of it. "@" stands for
// the path of a canary file that only a command run by a shell would create.
struct THostileCase {
  const char* Parameters;
  TArgs Arguments;
};

std::string WithCanary(std::string Text, const std::string& Canary) {
  for (std::size_t At = Text.find('@'); At != std::string::npos; At = Text.find('@', At)) {
    Text.replace(At, 1, Canary);
    At += Canary.size();
  }
  return Text;
}

const std::vector<THostileCase>& HostileCases() {
  static const std::vector<THostileCase> Cases = {
      {"a\"b c\"d \"\" \"say \"\"hi\"\"\" \\\"q", {"ab cd", "", "say \"hi\"", "\"q"}},
      {"  lead\t\ttab  trail  ", {"lead", "tab", "trail"}},
      {"x;touch @ ; touch @", {"x;touch", "@", ";", "touch", "@"}},
      {"x|touch @ || touch @", {"x|touch", "@", "||", "touch", "@"}},
      {"x && touch @ & touch @", {"x", "&&", "touch", "@", "&", "touch", "@"}},
      {"$(touch @) \"$(touch @)\"", {"$(touch", "@)", "$(touch @)"}},
      {"`touch @` \"`touch @`\"", {"`touch", "@`", "`touch @`"}},
      {"$HOME ${PATH} $0 $* $$ \"$HOME\"", {"$HOME", "${PATH}", "$0", "$*", "$$", "$HOME"}},
      {"* ?.sh [a-z]* ~ ~/x", {"*", "?.sh", "[a-z]*", "~", "~/x"}},
      {">@ > @ <@ 2>&1 >>@", {">@", ">", "@", "<@", "2>&1", ">>@"}},
      {"line\nbreak \"two\nlines\" cr\rret", {"line\nbreak", "two\nlines", "cr\rret"}},
      {"'single quoted' \\\\\"x y\"", {"'single", "quoted'", "\\x y"}},
  };
  return Cases;
}

TEST(SafeLaunchTest, HostileParametersArriveAsLiteralArgumentsAndRunNothing) {
  TTempDir Dir;
  // Files for a glob to find, were anything to expand one.
  Dir.Write("work/a.sh", "");
  Dir.Write("work/b.txt", "");
  const std::string Work = Dir.File("work");
  const std::string Canary = Dir.File("canary");
  int Round = 0;
  for (const THostileCase& Case : HostileCases()) {
    const std::string Record = Dir.File("record" + std::to_string(Round++));
    const std::string Program =
        WriteRecorder(Dir, "bin/rec" + std::to_string(Round) + ".sh", Record);
    const std::string Parameters = WithCanary(Case.Parameters, Canary);
    TArgs Expected;
    for (const std::string& Argument : Case.Arguments)
      Expected.push_back(WithCanary(Argument, Canary));
    ASSERT_EQ(SplitParameters(Parameters), Expected) << Parameters;

    const std::optional<TLaunchRequest> Plan = PlanLaunch(Program, Parameters, Work);
    ASSERT_TRUE(Plan) << Parameters;
    EXPECT_EQ(Plan->Program, Program);
    EXPECT_EQ(Plan->Arguments, Expected);

    PosixShellOpen(Program, Parameters, Work);
    const std::optional<TRecord> Got = WaitForRecord(Record);
    ASSERT_TRUE(Got) << Parameters;
    EXPECT_EQ(Got->WorkingDirectory, std::filesystem::canonical(Work).string());
    EXPECT_EQ(Got->Arguments, Expected) << Parameters;
    EXPECT_FALSE(std::filesystem::exists(Canary)) << "a shell ran: " << Parameters;
  }
  // A command after ";" or "&&" would run only after the program, so look once more at the end.
  EXPECT_FALSE(std::filesystem::exists(Canary));
  // Nothing but the records and the scripts appeared: no redirection created a file.
  int Files = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
    if (Entry.is_regular_file()) ++Files;
  EXPECT_EQ(Files, Round);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Work),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(SafeLaunchTest, StartDetachedPassesEveryByteButNulUntouched) {
  TTempDir Dir;
  const std::string Record = Dir.File("record");
  const std::string Program = WriteRecorder(Dir, "rec.sh", Record);
  std::string AllBytes;
  for (int C = 1; C < 256; ++C) AllBytes += static_cast<char>(C);
  const TArgs Arguments = {AllBytes, "", " ", "-n", "--", "\"\"", "\\"};
  ASSERT_EQ(StartDetached({Program, Arguments, Dir.Path()}), 0);
  const std::optional<TRecord> Got = WaitForRecord(Record);
  ASSERT_TRUE(Got);
  EXPECT_EQ(Got->Arguments, Arguments);
}

TEST(SafeLaunchTest, TargetsWithBlanksAndNonAsciiNamesStartInTheirFolder) {
  TTempDir Dir;
  const std::string Folder = "Programme mit Leerzeichen/Ünïcödé — 名前";
  const std::string Record = Dir.File("record");
  const std::string Program = WriteRecorder(Dir, Folder + "/Starte mich ß.sh", Record);
  const std::string Parameters = "\"ä ö\" ü";

  PosixShellOpen(Program, Parameters, "");
  std::optional<TRecord> Got = WaitForRecord(Record);
  ASSERT_TRUE(Got);
  EXPECT_EQ(Got->WorkingDirectory, std::filesystem::canonical(Dir.File(Folder)).string());
  EXPECT_EQ(Got->Arguments, (TArgs{"ä ö", "ü"}));
  std::filesystem::remove(Record);

  // The menu's own spelling: backslashes, through the launcher and its full-path rule.
  std::string MenuSpelling = Program;
  for (char& C : MenuSpelling)
    if (C == '/') C = '\\';
  THeadlessDriver Driver;
  Driver.OnShellOpen = [](const THeadlessLaunch& Launch) {
    PosixShellOpen(Launch.FileName, Launch.Parameters, Launch.Directory);
  };
  LaunchTarget(Driver, MenuSpelling, Parameters);
  Got = WaitForRecord(Record);
  ASSERT_TRUE(Got);
  EXPECT_EQ(Got->Arguments, (TArgs{"ä ö", "ü"}));
}

TEST(SafeLaunchTest, TheLauncherOpensNothingWhoseFullPathReachesTheClassicBuffer) {
  TTempDir Dir;
  const std::string Record = Dir.File("record");
  const std::size_t Fixed =
      Dir.Path().size() + std::string("/").size() + std::string("/p.sh").size();
  ASSERT_TRUE(Fixed < MaxPath - 1 && MaxPath - Fixed <= 255) << "temporary folder unsuited";
  const std::string Fits =
      WriteRecorder(Dir, std::string(MaxPath - 1 - Fixed, 'f') + "/p.sh", Record);
  const std::string TooLong =
      WriteRecorder(Dir, std::string(MaxPath - Fixed, 'g') + "/p.sh", Record);
  ASSERT_EQ(Fits.size(), MaxPath - 1);
  ASSERT_EQ(TooLong.size(), MaxPath);

  std::vector<std::string> Opened;
  THeadlessDriver Driver;
  Driver.OnShellOpen = [&](const THeadlessLaunch& Launch) { Opened.push_back(Launch.FileName); };
  LaunchTarget(Driver, TooLong, "");
  LaunchTarget(Driver, "", "");  // would be the current folder, opened in a file manager
  LaunchTarget(Driver, Fits, "");
  EXPECT_EQ(Opened, TArgs{Fits});

  Driver.OnShellOpen = [](const THeadlessLaunch& Launch) {
    PosixShellOpen(Launch.FileName, Launch.Parameters, Launch.Directory);
  };
  LaunchTarget(Driver, TooLong, "long");
  LaunchTarget(Driver, Fits, "fits");
  const std::optional<TRecord> Got = WaitForRecord(Record);
  ASSERT_TRUE(Got);
  EXPECT_EQ(Got->Arguments, TArgs{"fits"});
}

// The menu window on the headless display with the real shell behind its buttons.
class SafeLaunchMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    App.SetExeName(Dir.File("ostrel"));
    TBitmap Picture(200, 200);
    Picture.SaveToFile(Dir.File("menu.bmp"));
  }

  // Clicks the entry's button with the mouse, as the user does.
  void ClickButton(TForm1& Form, int Index) {
    const TControl* Button = Form.RunPanel->Controls(Index);
    for (TWindowEvent::TKind Kind :
         {TWindowEvent::TKind::wkPointerMove, TWindowEvent::TKind::wkButtonDown,
          TWindowEvent::TKind::wkButtonUp}) {
      TWindowEvent Event;
      Event.Kind = Kind;
      Event.Window = Form.NativeWindow();
      Event.X = Button->Left() + Button->Width() / 2;
      Event.Y = Button->Top() + Button->Height() / 2;
      System.Post(Event);
    }
    App.ProcessMessages();
  }
  void PressAlt(TForm1& Form, char32_t Letter) {
    TWindowEvent Event;
    Event.Kind = TWindowEvent::TKind::wkKeyDown;
    Event.Window = Form.NativeWindow();
    Event.Character = Letter;
    Event.Modifiers = emAlt;
    System.Post(Event);
    App.ProcessMessages();
  }

  TTempDir Dir;
  THeadlessDriver System;
  TApplication App{System};
};

TEST_F(SafeLaunchMenuTest, OnlyEnabledEntriesWithAFittingPathStartTheirTarget) {
  const std::string Record = Dir.File("record");
  WriteRecorder(Dir, "run.sh", Record);
  // Were an entry's handler to run with an empty target, the current folder would go to the
  // desktop's opener; this one leaves a mark instead.
  const std::string Opened = Dir.File("opened");
  WriteRecorder(Dir, "tools/xdg-open", Opened);
  const std::size_t Fixed =
      Dir.Path().size() + std::string("/").size() + std::string("/p.sh").size();
  ASSERT_TRUE(Fixed < MaxPath - 1 && MaxPath - Fixed <= 255) << "temporary folder unsuited";
  const std::string TooLong =
      WriteRecorder(Dir, std::string(MaxPath - Fixed, 'g') + "/p.sh", Record);
  ASSERT_EQ(TooLong.size(), MaxPath);
  auto Entry = [](int Number, const std::string& Rest) {
    return "[Prog_" + std::to_string(Number) + "]\nX=0\nY=" + std::to_string(Number * 30) +
           "\nWidth=100\nHeight=20\nTerminateAfterStart=0\n" + Rest;
  };
  Dir.Write("menu.ini", "[Main]\nProgCount=4\n" +
                            Entry(1, "ButtonText=&Missing\nExePath=absent.sh\nExeCommandLine=x\n") +
                            Entry(2, "ButtonText=&Empty\nExeCommandLine=x\n") +
                            Entry(3, "ButtonText=&Long\nExePath=" + TooLong + "\n") +
                            Entry(4, "ButtonText=&Run\nExePath=run.sh\nExeCommandLine=ran\n"));
  TArgs Shell;
  System.OnShellOpen = [&](const THeadlessLaunch& Launch) {
    Shell.push_back(Launch.FileName);
    PosixShellOpen(Launch.FileName, Launch.Parameters, Launch.Directory);
  };
  const std::string SavedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", Dir.File("tools").c_str(), 1);
  const std::filesystem::path SavedDir = std::filesystem::current_path();
  std::filesystem::current_path(Dir.Path());

  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  // A path past the limit is not shown as available: it would not be started.
  const bool Enabled[] = {false, false, false, true};
  for (int Index = 0; Index < 4; ++Index)
    EXPECT_EQ(Form->RunPanel->Controls(Index)->Enabled(), Enabled[Index]) << Index;
  for (int Index = 0; Index < 3; ++Index) ClickButton(*Form, Index);
  for (char32_t Letter : {U'm', U'e', U'l'}) PressAlt(*Form, Letter);
  // Called for the disabled button all the same, the handler says why it opens nothing.
  int Boxes = 0;
  System.OnWait = [&] {
    if (THeadlessWindow* Box = VisibleDialog(System)) {
      ++Boxes;
      PostKey(System, Box, vkReturn);
    }
  };
  Form->btnTemplateClick(Form->RunPanel->Controls(2));
  EXPECT_EQ(Boxes, 1);
  EXPECT_TRUE(Shell.empty()) << Shell.front();
  ClickButton(*Form, 3);
  const std::optional<TRecord> Got = WaitForRecord(Record);

  std::filesystem::current_path(SavedDir);
  ::setenv("PATH", SavedPath.c_str(), 1);
  EXPECT_EQ(Shell, TArgs{Dir.File("run.sh")});
  ASSERT_TRUE(Got);
  EXPECT_EQ(Got->Arguments, TArgs{"ran"});
  EXPECT_EQ(Got->WorkingDirectory, std::filesystem::canonical(Dir.Path()).string());
  EXPECT_FALSE(std::filesystem::exists(Opened));
}

}  // namespace
