// What each kind of target does when its button is clicked: files, folders, addresses and the
// exit, the Linux program's own keys, the question before a start, and the error box when a
// target cannot be opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "MenuWindowFixture.h"

namespace {

class EntryActionsTest : public TMenuWindowFixture {
 protected:
  void Click(TForm1& Form, int Index) { Form.btnTemplateClick(ButtonOf(Form, Index)); }
};

TEST_F(EntryActionsTest, EachKindOfTargetIsAvailableByItsOwnRule) {
  const std::string Folder = Dir.MakeDir("docs");
  const std::string File = Dir.Write("readme.txt", "text");
  auto* Form = MenuOf({"ExePath=https://example.org/start", "ExePath=MAILTO:team@example.org",
                       "ExePath=" + Folder, "ExePath=" + File, "ExePath=$exit$",
                       "ExePath=" + Dir.File("gone"), "ExePath=", "ExePath=" + Dir.File("docs\\")});
  const std::vector<bool> Expected = {true, true, true, true, true, false, false, true};
  for (std::size_t I = 0; I < Expected.size(); ++I)
    EXPECT_EQ(ButtonOf(*Form, static_cast<int>(I))->Enabled(), Expected[I]) << "entry " << I + 1;
}

TEST_F(EntryActionsTest, AddressesGoToTheShellAsWrittenAndFoldersOpenInThemselves) {
  const std::string Folder = Dir.MakeDir("Docs");
  auto* Form = MenuOf({"ExePath=Https://example.org/a b?c=\"d\"\nExeCommandLine=ignored",
                       "ExePath=" + Dir.File("docs") + "\nExeCommandLine=ignored"});
  Click(*Form, 0);
  Click(*Form, 1);
  ASSERT_EQ(Launches.size(), 2u);
  EXPECT_EQ(Launches[0].FileName, "Https://example.org/a b?c=\"d\"");
  EXPECT_EQ(Launches[0].Parameters, "");
  EXPECT_EQ(Launches[1].FileName, Folder) << "found without regard to letter case";
  EXPECT_EQ(Launches[1].Parameters, "");
  EXPECT_EQ(Launches[1].Directory, Folder);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(EntryActionsTest, TheExitClosesTheMenuAfterItsMessageAndStartsNothing) {
  auto* Form = MenuOf({"ExePath=$Exit$\nPreRunMessage=Goodbye\nAfterRunMessage=Never"});
  Click(*Form, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog Menu"}));
  EXPECT_EQ(Dialogs, (std::vector<std::string>{"Goodbye"}));
  EXPECT_TRUE(App.Terminated()) << "whatever TerminateAfterStart says";
}

TEST_F(EntryActionsTest, AnExitWithoutAMessageClosesTheMenuAtOnce) {
  auto* Form = MenuOf({"ExePath=$EXIT$"});
  Click(*Form, 0);
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(App.Terminated());
}

TEST_F(EntryActionsTest, AConfirmedStartAsksAndOnlyYesStarts) {
  const std::string Tool = Dir.Write("tool.sh", "#!/bin/sh\n");
  auto* Form = MenuOf({"ExePath=" + Tool +
                       "\nPreRunMessage=Install now?\nPreRunConfirm=1\nAfterRunMessage=Done\n"
                       "TerminateAfterStart=1"});
  AnswerDialogs(vkEscape);
  Click(*Form, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog Menu"})) << "No: nothing started, no After";
  EXPECT_FALSE(App.Terminated());

  Log.clear();
  AnswerDialogs(vkReturn);
  Click(*Form, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog Menu", "launch", "dialog Menu"}));
  EXPECT_TRUE(App.Terminated());
}

TEST_F(EntryActionsTest, TheQuestionHasYesAndNoAndClosingItIsNo) {
  const std::string Tool = Dir.Write("tool.sh", "#!/bin/sh\n");
  auto* Form = MenuOf({"ExePath=" + Tool + "\nPreRunMessage=Sure?\nPreRunConfirm=1"});
  System.OnWait = [this] {
    for (THeadlessWindow* Window : System.Windows())
      if (Window->Visible && Window->Options.Dialog) {
        for (int I = 0; I < App.ComponentCount(); ++I)
          if (auto* Question = dynamic_cast<TMessageForm*>(App.Components(I))) {
            ASSERT_EQ(Question->Buttons().size(), 2u);
            EXPECT_EQ(Question->Buttons()[0]->Caption(), "&Yes");
            EXPECT_EQ(Question->Buttons()[1]->Caption(), "&No");
          }
        TWindowEvent Close;
        Close.Kind = TWindowEvent::TKind::wkClose;
        Close.Window = Window;
        System.Post(Close);
        return;
      }
  };
  Click(*Form, 0);
  EXPECT_TRUE(Launches.empty());
}

TEST_F(EntryActionsTest, TheLinuxKeysTakeThePlaceOfTheWindowsOnes) {
  const std::string Setup = Dir.Write("setup.exe", "MZ");
  const std::string Install = Dir.Write("install.sh", "#!/bin/sh\n");
  auto* Form = MenuOf({"ExePath=" + Setup + "\nExeCommandLine=/S\nLinuxExePath=" + Install,
                       "ExePath=" + Setup + "\nExeCommandLine=/S\nLinuxExePath=" + Install +
                           "\nLinuxCommandLine=--quiet",
                       "ExePath=" + Install + "\nExeCommandLine=/S\nLinuxCommandLine=--all",
                       "ExePath=" + Setup + "\nExeCommandLine=/S\nLinuxExePath=\nLinuxCommandLine=",
                       "ExePath=" + Setup + "\nLinuxExePath=" + Dir.File("missing.sh")});
  for (int I = 0; I < 5; ++I)
    if (ButtonOf(*Form, I)->Enabled()) Click(*Form, I);
  EXPECT_FALSE(ButtonOf(*Form, 4)->Enabled()) << "the Linux target is missing";
  ASSERT_EQ(Launches.size(), 4u);
  EXPECT_EQ(Launches[0].FileName, Install);
  EXPECT_EQ(Launches[0].Parameters, "") << "the Windows program's switches are not passed on";
  EXPECT_EQ(Launches[1].Parameters, "--quiet");
  EXPECT_EQ(Launches[2].FileName, Install);
  EXPECT_EQ(Launches[2].Parameters, "--all");
  EXPECT_EQ(Launches[3].FileName, Setup);
  EXPECT_EQ(Launches[3].Parameters, "/S");
}

TEST_F(EntryActionsTest, ARefusedStartIsToldAndTheMenuStays) {
  const std::string Tool = Dir.Write("tool.exe", "MZ");
  auto* Form = MenuOf({"ExePath=" + Tool + "\nAfterRunMessage=After\nTerminateAfterStart=1"});
  System.RefuseWith = "it is a Windows program, and wine is not installed";
  Click(*Form, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"launch", "dialog Menu"}));
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_EQ(Dialogs[0],
            "Cannot open " + Tool + "\nIt is a Windows program, and wine is not installed.");
  EXPECT_FALSE(App.Terminated());
  EXPECT_TRUE(ButtonOf(*Form, 0)->Enabled()) << "the target is still there";
}

TEST_F(EntryActionsTest, ATargetGoneSinceStartUpIsToldAndItsButtonDisabled) {
  const std::string Tool = Dir.Write("tool.sh", "#!/bin/sh\n");
  const std::string Folder = Dir.MakeDir("folder");
  auto* Form = MenuOf({"ExePath=" + Tool, "ExePath=" + Folder});
  ASSERT_EQ(std::remove(Tool.c_str()), 0);
  ASSERT_EQ(std::remove(Folder.c_str()), 0);
  Click(*Form, 0);
  Click(*Form, 1);
  EXPECT_TRUE(Launches.empty());
  ASSERT_EQ(Dialogs.size(), 2u);
  EXPECT_EQ(Dialogs[0], "Cannot open " + Tool + "\nIt is no longer there.");
  EXPECT_EQ(Dialogs[1], "Cannot open " + Folder + "\nIt is no longer there.");
  EXPECT_FALSE(ButtonOf(*Form, 0)->Enabled());
  EXPECT_FALSE(ButtonOf(*Form, 1)->Enabled());
}

}  // namespace
