// ostrel-inspect: the JSON and text reports, and the program's arguments and exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "MenuReport.h"
#include "framework/Bitmap.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace {

TProgramRun RunInspect(const std::string& Arguments) {
  return RunProgram(OSTREL_INSPECT_EXE, Arguments);
}

class InspectTest : public testing::Test {
 protected:
  void SetUp() override {
    Dir.Write("setup.exe", "MZ");
    Dir.Write("menu.ini",
              "[Main]\nAppName=Caf\xE9 \"Disc\"\nAppTaskName=\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E\n"
              "ProgCount=2\n"
              "[Prog_1]\nX=1\nY=2\nWidth=30\nHeight=40\nButtonText=Go\\there\n"
              "FontInfo=Arial,12,B,0,clRed,204\nHighlightColor=clLime\nExePath=" +
                  Dir.File("setup.exe") +
                  "\nExeCommandLine=/s\tx\nTerminateAfterStart=0\n"
                  "[Prog_2]\nExePath=missing.exe\n");
  }
  TTempDir Dir;
};

TEST_F(InspectTest, JsonHasEveryFieldAndDecodedTexts) {
  TOstrelInfo Menu(*MenuFileOf(Dir.Path()));
  std::string Json = MenuReportJson(Menu);
  EXPECT_NE(Json.find("\"FileName\": \"" + Dir.File("menu.ini") + "\""), std::string::npos);
  EXPECT_NE(Json.find("\"MenuDirectory\": \"" + Dir.Path() + "/\""), std::string::npos);
  EXPECT_NE(Json.find("\"Background\": \"" + Dir.File("menu.bmp") + "\""), std::string::npos);
  EXPECT_NE(Json.find("\"Icon\": \"\""), std::string::npos);
  EXPECT_NE(Json.find("\"IconError\": \"\""), std::string::npos);
  EXPECT_NE(Json.find("\"AppName\": \"Caf\xC3\xA9 \\\"Disc\\\"\""), std::string::npos);
  EXPECT_NE(Json.find("\"AppTaskName\": \"\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E\""), std::string::npos);
  EXPECT_NE(Json.find("\"ProgCount\": 2"), std::string::npos);
  EXPECT_NE(Json.find("\"ButtonText\": \"Go\\\\there\""), std::string::npos);
  EXPECT_NE(Json.find("\"FontInfo\": \"Arial,12,B,0,clRed,204\""), std::string::npos);
  EXPECT_NE(Json.find("\"HighlightColor\": \"clLime\""), std::string::npos);
  EXPECT_NE(Json.find("\"TopContourColor\": \"clBlack\""), std::string::npos);
  EXPECT_NE(Json.find("\"ExeCommandLine\": \"/s\\tx\""), std::string::npos);
  EXPECT_NE(Json.find("\"TerminateAfterStart\": false"), std::string::npos);
  EXPECT_NE(Json.find("\"TerminateAfterStart\": true"), std::string::npos);
  EXPECT_NE(Json.find("\"Available\": true"), std::string::npos);
  EXPECT_NE(Json.find("\"Available\": false"), std::string::npos);
  for (const char* Key : {"X", "Y", "Width", "Height", "BottomContourColor", "ExePath",
                          "PreRunMessage", "AfterRunMessage", "Entries"})
    EXPECT_NE(Json.find("\"" + std::string(Key) + "\": "), std::string::npos) << Key;
}

// Run from another folder, the tool looks targets up from the menu's, as the program does.
TEST_F(InspectTest, JsonSaysWhatEachButtonDoesOnThisSystem) {
  Dir.MakeDir("docs");
  Dir.Write("install.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini",
            "[Main]\nProgCount=4\n[Prog_1]\nExePath=$Exit$\nPreRunMessage=Bye?\n"
            "PreRunConfirm=1\n[Prog_2]\nExePath=HTTPS://example.org\n[Prog_3]\nExePath=docs\n"
            "[Prog_4]\nExePath=setup.exe\nExeCommandLine=/S\nLinuxExePath=install.sh\n"
            "LinuxCommandLine=--all\n");
  const TProgramRun Run = RunInspect("--json " + Dir.Path());
  ASSERT_EQ(Run.ExitCode, 0) << Run.Output;
  const std::string& Json = Run.Output;
  std::size_t At = 0;
  for (const char* Action : {"exit", "url", "folder", "file"}) {
    At = Json.find(std::string("\"Action\": \"") + Action + "\"", At);
    ASSERT_NE(At, std::string::npos) << Action << " in order\n" << Json;
  }
  EXPECT_NE(Json.find("\"PreRunConfirm\": true"), std::string::npos);
  EXPECT_NE(Json.find("\"Target\": \"install.sh\""), std::string::npos);
  EXPECT_NE(Json.find("\"TargetParameters\": \"--all\""), std::string::npos);
  EXPECT_NE(Json.find("\"ExePath\": \"setup.exe\""), std::string::npos);
  EXPECT_EQ(Json.find("\"Available\": false"), std::string::npos) << Json;
}

TEST_F(InspectTest, AnIconThatCannotBeUsedIsReported) {
  Dir.Write("menu.ini", "[Main]\nIcon=pics\\none.ico\n");
  TOstrelInfo Menu(*MenuFileOf(Dir.Path()));
  EXPECT_NE(MenuReportJson(Menu).find("\"IconError\": \"Cannot open file " +
                                      Dir.File("pics/none.ico") + "\""),
            std::string::npos);
  Dir.Write("bad.ico", "not an icon");
  Dir.Write("menu.ini", "[Main]\nIcon=bad.ico\n");
  TOstrelInfo Bad(*MenuFileOf(Dir.Path()));
  EXPECT_NE(
      MenuReportJson(Bad).find("\"IconError\": \"Icon image is not valid.\\n" +
                               Dir.File("bad.ico") + ": not an ICO, BMP, PNG or JPEG picture\""),
      std::string::npos)
      << MenuReportJson(Bad);
}

TEST_F(InspectTest, ProgramPrintsJsonOrAListing) {
  TProgramRun Json = RunInspect("--json " + Dir.Path());
  EXPECT_EQ(Json.ExitCode, 0);
  EXPECT_EQ(Json.Output.front(), '{');
  EXPECT_NE(Json.Output.find("\"Entries\": ["), std::string::npos);

  TProgramRun Text = RunInspect(Dir.File("menu.ini"));
  EXPECT_EQ(Text.ExitCode, 0);
  EXPECT_NE(Text.Output.find("Entry 1 [Prog_2]"), std::string::npos);
  EXPECT_NE(Text.Output.find("Available"), std::string::npos);
}

TEST_F(InspectTest, BadPathsAndArgumentsExitWithTwo) {
  TProgramRun Missing = RunInspect(Dir.File("nothing-here"));
  EXPECT_EQ(Missing.ExitCode, 2);
  EXPECT_NE(Missing.Output.find("neither a folder nor a file"), std::string::npos);
  EXPECT_EQ(RunInspect("").ExitCode, 2);
  EXPECT_EQ(RunInspect("--bogus " + Dir.Path()).ExitCode, 2);
  EXPECT_EQ(RunInspect(Dir.Path() + " " + Dir.Path()).ExitCode, 2);
}

TEST_F(InspectTest, CheckExitsWithOneOnAnErrorAndZeroOnWarningsOnly) {
  // This menu has no background: an error, pointed at [Main] as Background is not given.
  TProgramRun Broken = RunInspect("--check " + Dir.Path());
  EXPECT_EQ(Broken.ExitCode, 1) << Broken.Output;
  EXPECT_NE(Broken.Output.find(Dir.File("menu.ini") + ":1: error: the background"),
            std::string::npos)
      << Broken.Output;
  EXPECT_NE(Broken.Output.find("1 error, "), std::string::npos);

  TTempDir Fine;
  TBitmap(40, 30).SaveToFile(Fine.File("menu.bmp"));
  Fine.Write("menu.ini",
             "[Main]\nProgCount=1\n[Prog_1]\nWidth=10\nHeight=10\nExePath=gone.sh\n"
             "TerminateAfterStart=0\n");
  TProgramRun Warned = RunInspect("--check --json " + Fine.Path());
  EXPECT_EQ(Warned.ExitCode, 0) << Warned.Output;
  EXPECT_NE(Warned.Output.find("\"line\": 6"), std::string::npos) << Warned.Output;
  EXPECT_NE(Warned.Output.find("gone.sh` does not exist"), std::string::npos);

  EXPECT_EQ(RunInspect("--check --render x.png " + Fine.Path()).ExitCode, 2);
}

TEST_F(InspectTest, ListingTellsWhenEntriesAreCapped) {
  TTempDir Big;
  Big.Write("menu.ini", "[Main]\nProgCount=2147483647\n");
  TOstrelInfo Menu(*MenuFileOf(Big.Path()));
  EXPECT_NE(MenuReportText(Menu).find("only the first 10000 entries"), std::string::npos);
}

}  // namespace
