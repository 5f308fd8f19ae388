// Tests of the shell's "open" action on POSIX: parameter splitting, how targets are opened,
// and real detached starts that must hand every argument over literally.
#include "platform/Driver.h"
#include "platform/Shell.h"
#include "platform/posix/BatchCommand.h"
#include "platform/posix/PosixShell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"

namespace {

using TArgs = std::vector<std::string>;

// Sets PATH for one test and puts the old value back afterwards.
class TScopedPath {
 public:
  explicit TScopedPath(const std::string& Value) {
    if (const char* Old = std::getenv("PATH")) FOld = Old;
    ::setenv("PATH", Value.c_str(), 1);
  }
  ~TScopedPath() {
    if (FOld)
      ::setenv("PATH", FOld->c_str(), 1);
    else
      ::unsetenv("PATH");
  }
  TScopedPath(const TScopedPath&) = delete;
  TScopedPath& operator=(const TScopedPath&) = delete;

 private:
  std::optional<std::string> FOld;
};

std::string WriteExecutable(const TTempDir& Dir, const std::string& Name,
                            const std::string& Bytes) {
  std::string Path = Dir.Write(Name, Bytes);
  ::chmod(Path.c_str(), 0755);
  return Path;
}

const std::string TrivialScript = "#!/bin/sh\nexit 0\n";

// A folder holding stand-ins for wine and xdg-open, for PATH to point at.
std::string MakeTools(const TTempDir& Dir, bool WithWine, bool WithOpener) {
  std::string Tools = Dir.MakeDir("tools");
  if (WithWine) WriteExecutable(Dir, "tools/wine", TrivialScript);
  if (WithOpener) WriteExecutable(Dir, "tools/xdg-open", TrivialScript);
  return Tools;
}

// A script that records its working directory (one line) and then its arguments, each ended
// by a NUL so that arguments holding line breaks stay apart. It writes a side file and renames
// it, so a reader never sees half a record.
std::string RecorderScript(const std::string& RecordFile) {
  return "#!/bin/sh\nPATH=/usr/bin:/bin\n{ pwd -P; for A in \"$@\"; do printf '%s\\0' \"$A\"; "
         "done; } > '" +
         RecordFile + ".part' && mv '" + RecordFile + ".part' '" + RecordFile + "'\n";
}

struct TRecord {
  std::string WorkingDirectory;
  TArgs Arguments;
};

// Waits for a file a started program writes, polling for at most about five seconds: the
// program runs on its own, and nothing tells us when it is done.
std::optional<std::string> WaitForFile(const std::string& FileName) {
  for (int Round = 0; Round < 500; ++Round) {
    if (std::filesystem::exists(FileName)) return ReadAll(FileName);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

std::optional<TRecord> WaitForRecord(const std::string& RecordFile) {
  std::optional<std::string> Bytes = WaitForFile(RecordFile);
  if (!Bytes) return std::nullopt;
  std::size_t LineEnd = Bytes->find('\n');
  if (LineEnd == std::string::npos) return std::nullopt;
  TRecord Record;
  Record.WorkingDirectory = Bytes->substr(0, LineEnd);
  std::size_t Pos = LineEnd + 1;
  while (Pos < Bytes->size()) {
    std::size_t End = Bytes->find('\0', Pos);
    if (End == std::string::npos) return std::nullopt;
    Record.Arguments.push_back(Bytes->substr(Pos, End - Pos));
    Pos = End + 1;
  }
  return Record;
}

// True when this process has no child left to reap, running or finished.
bool HasNoChildren() {
  return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

std::string RealPath(const std::string& Path) {
  return std::filesystem::canonical(Path).string();
}

// ---- SplitParameters ----

TEST(ShellSplitTest, BlanksSeparateAndRunsOfThemCountOnce) {
  EXPECT_EQ(SplitParameters("/s /v"), (TArgs{"/s", "/v"}));
  EXPECT_EQ(SplitParameters("  a \t\t b  "), (TArgs{"a", "b"}));
  EXPECT_EQ(SplitParameters(""), TArgs{});
  EXPECT_EQ(SplitParameters(" \t  "), TArgs{});
}

TEST(ShellSplitTest, QuotesGroupAndAreRemoved) {
  EXPECT_EQ(SplitParameters("\"two words\" one"), (TArgs{"two words", "one"}));
  EXPECT_EQ(SplitParameters("pre\"in side\"post"), (TArgs{"prein sidepost"}));
  EXPECT_EQ(SplitParameters("a \"\" b"), (TArgs{"a", "", "b"}));
  EXPECT_EQ(SplitParameters("\"\""), (TArgs{""}));
}

TEST(ShellSplitTest, AnUnterminatedQuoteRunsToTheEnd) {
  EXPECT_EQ(SplitParameters("a \"b c  "), (TArgs{"a", "b c  "}));
  EXPECT_EQ(SplitParameters("\""), (TArgs{""}));
}

TEST(ShellSplitTest, ADoubledQuoteInsideQuotesIsOneLiteralQuote) {
  EXPECT_EQ(SplitParameters("\"say \"\"hi\"\" now\""), (TArgs{"say \"hi\" now"}));
  // Outside quotes the pair opens and closes an empty group.
  EXPECT_EQ(SplitParameters("a\"\"b"), (TArgs{"ab"}));
}

TEST(ShellSplitTest, BackslashesMatterOnlyBeforeAQuote) {
  EXPECT_EQ(SplitParameters("C:\\dir\\file.txt"), (TArgs{"C:\\dir\\file.txt"}));
  EXPECT_EQ(SplitParameters("a\\\\b"), (TArgs{"a\\\\b"}));
  EXPECT_EQ(SplitParameters("trail\\"), (TArgs{"trail\\"}));
  EXPECT_EQ(SplitParameters("\"C:\\dir\\\\\" next"), (TArgs{"C:\\dir\\", "next"}));
}

TEST(ShellSplitTest, BackslashesBeforeAQuoteHalveAndAnOddOneMakesTheQuoteLiteral) {
  EXPECT_EQ(SplitParameters("a\\\"b"), (TArgs{"a\"b"}));               // 1 + quote
  EXPECT_EQ(SplitParameters("a\\\\\"b c\""), (TArgs{"a\\b c"}));       // 2 + quote
  EXPECT_EQ(SplitParameters("a\\\\\\\"b c"), (TArgs{"a\\\"b", "c"}));  // 3 + quote
  EXPECT_EQ(SplitParameters("\\\\\\\\\"x y\""), (TArgs{"\\\\x y"}));   // 4 + quote
  EXPECT_EQ(SplitParameters("\"in \\\"quoted\\\" text\""), (TArgs{"in \"quoted\" text"}));
}

TEST(ShellSplitTest, ShellMetacharactersAndLineBreaksAreOrdinaryCharacters) {
  EXPECT_EQ(
      SplitParameters("a;b c|d $(rm) `id` >out <in & *.txt 'q' ~ $HOME"),
      (TArgs{"a;b", "c|d", "$(rm)", "`id`", ">out", "<in", "&", "*.txt", "'q'", "~", "$HOME"}));
  EXPECT_EQ(SplitParameters("one\ntwo \"x\r\ny\""), (TArgs{"one\ntwo", "x\r\ny"}));
}

// ---- PlanLaunch ----

TEST(ShellPlanTest, AProgramWithItsExecuteBitRunsItselfWithSplitParameters) {
  TTempDir Dir;
  std::string Script = WriteExecutable(Dir, "app/run.sh", TrivialScript);
  std::string Binary = WriteExecutable(Dir, "app/tool",
                                       std::string("\x7f"
                                                   "ELF\x02\x01",
                                                   6));
  TScopedPath Path(MakeTools(Dir, true, true));

  auto Request = PlanLaunch(Script, "-x \"a b\"", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Script);
  EXPECT_EQ(Request->Arguments, (TArgs{"-x", "a b"}));
  EXPECT_EQ(Request->WorkingDirectory, Dir.File("app"));

  Request = PlanLaunch(Binary, "", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Binary);
  EXPECT_EQ(Request->Arguments, TArgs{});
}

TEST(ShellPlanTest, AFileWithoutProgramImageOrExecuteBitIsADocument) {
  TTempDir Dir;
  std::string Tools = MakeTools(Dir, true, true);
  TScopedPath Path(Tools);
  // A script without its execute bit, and a text file with one, as media without Unix
  // permissions give every file.
  std::string Script = Dir.Write("script.sh", TrivialScript);
  std::string Text = WriteExecutable(Dir, "readme.txt", "plain text\n");

  for (const std::string& Target : {Script, Text}) {
    auto Request = PlanLaunch(Target, "ignored parameters", "");
    ASSERT_TRUE(Request) << Target;
    EXPECT_EQ(Request->Program, Tools + "/xdg-open");
    EXPECT_EQ(Request->Arguments, TArgs{Target});
    EXPECT_EQ(Request->WorkingDirectory, Dir.Path());
  }
}

TEST(ShellPlanTest, AFolderIsShownByTheOpener) {
  TTempDir Dir;
  std::string Tools = MakeTools(Dir, false, true);
  TScopedPath Path(Tools);
  auto Request = PlanLaunch(Tools, "", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Tools + "/xdg-open");
  EXPECT_EQ(Request->Arguments, TArgs{Tools});
}

TEST(ShellPlanTest, NothingOpensADocumentWithoutTheOpener) {
  TTempDir Dir;
  std::string Text = Dir.Write("readme.txt", "text");
  TScopedPath Path(MakeTools(Dir, true, false));
  EXPECT_FALSE(PlanLaunch(Text, "", ""));
}

TEST(ShellPlanTest, WindowsProgramsRunThroughWineWhateverTheirBitsAndLetterCase) {
  TTempDir Dir;
  std::string Tools = MakeTools(Dir, true, true);
  TScopedPath Path(Tools);
  std::string Exe = WriteExecutable(Dir, "Setup.EXE", "MZ");
  std::string Com = Dir.Write("tool.com", "MZ");

  auto Request = PlanLaunch(Exe, "/s \"C:\\Program Files\\x\"", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Tools + "/wine");
  EXPECT_EQ(Request->Arguments, (TArgs{Exe, "/s", "C:\\Program Files\\x"}));
  EXPECT_EQ(Request->WorkingDirectory, Dir.Path());

  Request = PlanLaunch(Com, "", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Arguments, TArgs{Com});
}

TEST(ShellPlanTest, BatchFilesAndInstallersGoToTheirWindowsProgramsByWindowsName) {
  TTempDir Dir;
  std::string Tools = MakeTools(Dir, true, true);
  TScopedPath Path(Tools);
  std::string Batch = Dir.Write("Sub Dir/Run.Bat", "@echo off");
  std::string Package = Dir.Write("Sub Dir/App.MSI", "package");
  std::string Windows = "Z:" + Dir.Path() + "/Sub Dir/";
  std::replace(Windows.begin(), Windows.end(), '/', '\\');

  auto Request = PlanLaunch(Batch, "x y", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Tools + "/wine");
  EXPECT_EQ(Request->Arguments, (TArgs{"cmd", "/c", "@", Windows + "Run.Bat ", "x", "y"}));

  Request = PlanLaunch(Package, "/qn", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Arguments, (TArgs{"msiexec", "/i", Windows + "App.MSI", "/qn"}));
  EXPECT_EQ(Request->WorkingDirectory, Dir.File("Sub Dir"));
}

// cmd would take & | < > ( ) ^ and % in a word wine passes as it is for its own; a word with a
// blank reaches cmd in quotes, where they are plain characters.
TEST(ShellPlanTest, BatchParametersAreEscapedForCmdAndQuotesRefused) {
  EXPECT_EQ(BatchArguments("Z:\\a&b.bat", {"p&2", "x^y", "50%", "(a|b)<c>", "two & ^ words", ""}),
            (TArgs{"cmd", "/c", "@", "Z:\\a&b.bat ", "p^&2", "x^^y", "50%%", "^(a^|b^)^<c^>",
                   "two & ^ words", ""}));
  EXPECT_FALSE(BatchArguments("Z:\\a.bat", {"say \"hi\""}));
  EXPECT_FALSE(BatchArguments("Z:\\a\".bat", {}));
}

TEST(ShellPlanTest, WithoutWineWindowsFilesAreNotOpenedAtAll) {
  TTempDir Dir;
  TScopedPath Path(MakeTools(Dir, false, true));
  for (const char* Name : {"a.exe", "b.bat", "c.msi", "d.com"})
    EXPECT_FALSE(PlanLaunch(WriteExecutable(Dir, Name, "MZ"), "", "")) << Name;
}

TEST(ShellPlanTest, PathSearchTakesTheFirstExecutableInAnAbsoluteFolder) {
  TTempDir Dir;
  std::string Exe = Dir.Write("a.exe", "MZ");
  Dir.Write("first/wine", "not executable");
  std::string Second = WriteExecutable(Dir, "second/wine", TrivialScript);
  WriteExecutable(Dir, "relative/wine", TrivialScript);
  TScopedCurrentDir Cwd(Dir.Path());

  {
    TScopedPath Path("relative::" + Dir.File("first") + ":" + Dir.File("second"));
    auto Request = PlanLaunch(Exe, "", "");
    ASSERT_TRUE(Request);
    EXPECT_EQ(Request->Program, Second);
  }
  TScopedPath Path("relative:.:" + Dir.File("first"));
  EXPECT_FALSE(PlanLaunch(Exe, "", ""));
}

TEST(ShellPlanTest, MenuSpellingsFindTheFile) {
  TTempDir Dir;
  std::string Script = WriteExecutable(Dir, "Mein Menü/Programme/Über Start.sh", TrivialScript);
  TScopedPath Path(MakeTools(Dir, false, false));

  auto Request = PlanLaunch(Dir.Path() + "\\mein menü\\PROGRAMME\\Über start.SH", "", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, Script);
  EXPECT_EQ(Request->WorkingDirectory, Dir.File("Mein Menü/Programme"));

  TScopedCurrentDir Cwd(Dir.File("Mein Menü"));
  Request = PlanLaunch("programme\\..\\Programme\\Über Start.sh", "", "");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->Program, RealPath(Script));
}

TEST(ShellPlanTest, TheGivenWorkingDirectoryIsUsedWhenItExists) {
  TTempDir Dir;
  std::string Script = WriteExecutable(Dir, "bin/run.sh", TrivialScript);
  std::string Work = Dir.MakeDir("Work Folder");

  auto Request = PlanLaunch(Script, "", Dir.Path() + "\\work folder\\");
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->WorkingDirectory, Work + "/");

  Request = PlanLaunch(Script, "", Dir.File("missing"));
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->WorkingDirectory, Dir.File("bin"));

  // A file is no working directory either.
  Request = PlanLaunch(Script, "", Script);
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->WorkingDirectory, Dir.File("bin"));
}

TEST(ShellPlanTest, MissingTargetsAndOtherFileTypesAreNotOpened) {
  TTempDir Dir;
  TScopedPath Path(MakeTools(Dir, true, true));
  EXPECT_FALSE(PlanLaunch("", "", ""));
  EXPECT_FALSE(PlanLaunch(Dir.File("missing.sh"), "", ""));
  EXPECT_FALSE(PlanLaunch(Dir.File("missing.exe"), "", ""));
  EXPECT_FALSE(PlanLaunch("/dev/null", "", ""));
}

TEST(ShellPlanTest, AFullPathMustFitTheClassicBuffer) {
  TTempDir Dir;
  // Folder names chosen so that the target's full path is 259 and 260 characters long.
  const std::size_t Fixed =
      Dir.Path().size() + std::string("/").size() + std::string("/p.sh").size();
  ASSERT_TRUE(Fixed < MaxPath - 1 && MaxPath - Fixed <= 255) << "temporary folder unsuited";
  std::string Fits =
      WriteExecutable(Dir, std::string(MaxPath - 1 - Fixed, 'f') + "/p.sh", TrivialScript);
  std::string TooLong =
      WriteExecutable(Dir, std::string(MaxPath - Fixed, 'g') + "/p.sh", TrivialScript);
  ASSERT_EQ(Fits.size(), MaxPath - 1);
  ASSERT_EQ(TooLong.size(), MaxPath);

  EXPECT_TRUE(PlanLaunch(Fits, "", ""));
  EXPECT_FALSE(PlanLaunch(TooLong, "", ""));
}

// ---- Real starts ----

TEST(ShellStartTest, EveryArgumentArrivesLiterallyInTheGivenFolder) {
  TTempDir Dir;
  std::string Record = Dir.File("record");
  std::string Script = WriteExecutable(Dir, "bin/record.sh", RecorderScript(Record));
  std::string Work = Dir.MakeDir("work");
  std::string Marker = Dir.File("marker");

  Driver().ShellOpen(Script,
                     "plain \"two words\" semi;colon pipe|bar \"$(touch " + Marker + ")\" `touch " +
                         Marker + "` line\nbreak \"say \\\"hi\\\"\" back\\slash & >" + Marker +
                         " '*'",
                     Work);
  EXPECT_TRUE(HasNoChildren());

  auto Result = WaitForRecord(Record);
  ASSERT_TRUE(Result);
  EXPECT_EQ(Result->WorkingDirectory, RealPath(Work));
  EXPECT_EQ(
      Result->Arguments,
      (TArgs{"plain", "two words", "semi;colon", "pipe|bar", "$(touch " + Marker + ")", "`touch",
             Marker + "`", "line\nbreak", "say \"hi\"", "back\\slash", "&", ">" + Marker, "'*'"}));
  EXPECT_FALSE(std::filesystem::exists(Marker));
  EXPECT_TRUE(HasNoChildren());
}

TEST(ShellStartTest, ATargetWithBlanksAndNonAsciiLettersStartsInItsOwnFolder) {
  TTempDir Dir;
  std::string Record = Dir.File("record");
  WriteExecutable(Dir, "Mein Menü/Über Start.sh", RecorderScript(Record));

  Driver().ShellOpen(Dir.Path() + "\\mein menü\\Über START.sh", "", Dir.File("missing"));
  auto Result = WaitForRecord(Record);
  ASSERT_TRUE(Result);
  EXPECT_EQ(Result->WorkingDirectory, RealPath(Dir.File("Mein Menü")));
  EXPECT_EQ(Result->Arguments, TArgs{});
  EXPECT_TRUE(HasNoChildren());
}

TEST(ShellStartTest, AWindowsProgramStartsThroughWineFoundOnPath) {
  TTempDir Dir;
  std::string Record = Dir.File("record");
  WriteExecutable(Dir, "tools/wine", RecorderScript(Record));
  std::string Exe = Dir.Write("cd/Setup.exe", "MZ");
  TScopedPath Path(Dir.File("tools"));

  Driver().ShellOpen(Exe, "/lang \"de de\"", "");
  auto Result = WaitForRecord(Record);
  ASSERT_TRUE(Result);
  EXPECT_EQ(Result->WorkingDirectory, RealPath(Dir.File("cd")));
  EXPECT_EQ(Result->Arguments, (TArgs{Exe, "/lang", "de de"}));
  EXPECT_TRUE(HasNoChildren());
}

TEST(ShellStartTest, StartsThatCannotLoadReportFailureAndLeaveNoChild) {
  TTempDir Dir;
  std::string Document = Dir.Write("notes.txt", "text");
  std::string Record = Dir.File("record");
  std::string Script = WriteExecutable(Dir, "run.sh", RecorderScript(Record));

  // Each failure comes back as the errno of the step that failed in the child.
  EXPECT_EQ(StartDetached({Dir.File("missing"), {}, Dir.Path()}), ENOENT);
  EXPECT_EQ(StartDetached({Document, {"a"}, Dir.Path()}), EACCES);
  EXPECT_EQ(StartDetached({Script, {}, Dir.File("no such folder")}), ENOENT);
  ::chmod(Document.c_str(), 0755);
  EXPECT_EQ(StartDetached({Document, {"a"}, Dir.Path()}), ENOEXEC);
  EXPECT_TRUE(HasNoChildren());
  EXPECT_EQ(StartDetached({Script, {"ran"}, Dir.Path()}), 0);
  EXPECT_TRUE(HasNoChildren());
  // The folder must outlive the program, which reads its script from it.
  auto Result = WaitForRecord(Record);
  ASSERT_TRUE(Result);
  EXPECT_EQ(Result->Arguments, TArgs{"ran"});
}

TEST(ShellStartTest, TheProgramReadsNullAndGetsNoOtherDescriptorOfOurs) {
  TTempDir Dir;
  std::string Record = Dir.File("record");
  std::string Script =
      WriteExecutable(Dir, "fds.sh",
                      "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                      "{ readlink /proc/$$/fd/0; ls /proc/$$/fd; } > '" +
                          Record + ".part' && mv '" + Record + ".part' '" + Record + "'\n");
  // A descriptor opened without close-on-exec, as libraries still do.
  const int Leaked = 100;
  int Fd = ::open(Dir.Path().c_str(), O_RDONLY);
  ASSERT_GE(Fd, 0);
  ASSERT_EQ(::dup2(Fd, Leaked), Leaked);
  ::close(Fd);

  Driver().ShellOpen(Script, "", "");
  ::close(Leaked);
  std::optional<std::string> Listing = WaitForFile(Record);
  ASSERT_TRUE(Listing);
  std::istringstream Lines(*Listing);
  std::string Stdin;
  std::getline(Lines, Stdin);
  EXPECT_EQ(Stdin, "/dev/null");
  for (std::string Line; std::getline(Lines, Line);) EXPECT_NE(Line, std::to_string(Leaked));
}

TEST(ShellStartTest, OpeningWhatCannotBeOpenedIsSilent) {
  TTempDir Dir;
  TScopedPath Path(Dir.MakeDir("empty"));
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  Driver().ShellOpen(Dir.File("missing.sh"), "x", "");
  Driver().ShellOpen(Dir.Write("a.exe", "MZ"), "", "");
  Driver().ShellOpen(Dir.Write("a.txt", "text"), "", "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(HasNoChildren());
}

}  // namespace
