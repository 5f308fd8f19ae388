// The menu window on the headless display: built from menu.ini beside the executable, its
// buttons, start-up failures, and what a click does.
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "app/Launcher.h"
#include "framework/Application.h"
#include "framework/Exception.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "support/TempDir.h"

namespace {

struct TLaunch {
  std::string FileName, Parameters, Directory;
};

class MainFormTest : public testing::Test {
 protected:
  void SetUp() override {
    App.SetExeName(Dir.File("ostrel"));
    App.OnException = [this](const std::exception& E) { Errors.push_back(E.what()); };
    SetShellOpenProc([this](const std::string& F, const std::string& P, const std::string& D) {
      Launches.push_back({F, P, D});
      Log.push_back("launch");
    });
  }
  void TearDown() override { SetShellOpenProc(nullptr); }

  void WriteBackground(int Width, int Height, const std::string& Name = "menu.bmp") {
    TBitmap Picture(Width, Height);
    Picture.SaveToFile(Dir.File(Name));
  }
  // Every dialog that opens is logged with its window caption and closed with Enter.
  void AnswerDialogs() {
    System.OnWait = [this] {
      for (THeadlessWindow* Window : System.Windows())
        if (Window->Visible && Window->Options.Dialog) {
          Log.push_back("dialog " + Window->Caption);
          TWindowEvent Key;
          Key.Kind = TWindowEvent::TKind::wkKeyDown;
          Key.Window = Window;
          Key.Key = vkReturn;
          System.Post(Key);
          return;
        }
    };
  }

  TTempDir Dir;
  THeadlessWindowSystem System;
  TApplication App{System};
  std::vector<TLaunch> Launches;
  std::vector<std::string> Log;
  std::vector<std::string> Errors;
};

TEST_F(MainFormTest, TheWindowTakesTheBackgroundsSizeAndTheMenusTexts) {
  WriteBackground(64, 48);
  Dir.Write("menu.ini",
            "[Main]\nAppName=Disc\nAppTaskName=Task\nProgCount=3\n"
            "[Prog_1]\nX=5\nY=6\nWidth=50\nHeight=20\nButtonText=&One\nExePath=" +
                Dir.Write("one.sh", "#!/bin/sh\n") +
                "\nHighlightColor=clRed\n[Prog_2]\nExePath=missing.exe\n[Prog_3]\nExePath=" +
                Dir.MakeDir("folder") + "\n");
  auto* Form = App.CreateForm<TForm1>();
  EXPECT_EQ(Form->ClientWidth(), 64);
  EXPECT_EQ(Form->ClientHeight(), 48);
  EXPECT_EQ(Form->Caption(), "Disc");
  EXPECT_EQ(App.Title(), "Task");
  EXPECT_EQ(Form->RunPanel->Width(), 64);
  ASSERT_EQ(Form->RunPanel->ControlCount(), 3);
  auto* First = Form->btnTemplate;
  EXPECT_EQ(First->BoundsRect(), Bounds(5, 6, 50, 20));
  EXPECT_EQ(First->Caption(), "&One");
  EXPECT_EQ(First->EnterColor(), clRed);
  EXPECT_TRUE(First->Enabled());
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Form->RunPanel->Controls(I)->Tag, I);
  EXPECT_FALSE(Form->RunPanel->Controls(1)->Enabled());
  EXPECT_FALSE(Form->RunPanel->Controls(2)->Enabled()) << "a folder is no target";
  EXPECT_EQ(Form->RunPanel->Controls(1)->Owner(), First);
}

TEST_F(MainFormTest, NoEntriesLeavesTheDesignedButton) {
  WriteBackground(32, 32);
  Dir.Write("menu.ini", "[Main]\nProgCount=0\n");
  auto* Form = App.CreateForm<TForm1>();
  EXPECT_EQ(Form->btnTemplate->BoundsRect(), Bounds(7, 6, 233, 24));
  EXPECT_TRUE(Form->btnTemplate->Enabled());
  Form->btnTemplateClick(Form->btnTemplate);
  EXPECT_TRUE(Launches.empty());
}

TEST_F(MainFormTest, AMissingBackgroundStopsStartUpWithItsFullPath) {
  Dir.Write("menu.ini", "[Main]\nBackground=pics\\none.bmp\n");
  try {
    App.CreateForm<TForm1>();
    FAIL() << "no exception";
  } catch (const EFOpenError& Error) {
    EXPECT_EQ(std::string(Error.what()), "Cannot open file " + Dir.File("pics/none.bmp"));
    EXPECT_EQ(ErrorBoxText(Error.what()), "Cannot open file " + Dir.File("pics/none.bmp") + ".");
  }
  EXPECT_EQ(App.Title(), "ostrel") << "the default title, as AppTaskName is not applied yet";
}

// ostrel MENU_FOLDER: that folder's menu.ini and files, whatever lies beside the executable. A
// relative name counts from the current folder, as relative targets do, which the program
// never changes: the medium's autorun script starts it in the menu folder.
TEST_F(MainFormTest, AMenuFolderArgumentTakesThePlaceOfTheExecutablesFolder) {
  WriteBackground(64, 48);
  Dir.Write("menu.ini", "[Main]\nAppName=Beside the program\n");
  TTempDir Medium;
  Medium.MakeDir("disc");
  TBitmap(80, 40).SaveToFile(Medium.File("disc/menu.bmp"));
  Medium.Write("disc/menu.ini",
               "[Main]\nAppName=On the medium\nProgCount=1\n"
               "[Prog_1]\nExePath=run.sh\n");
  Medium.Write("disc/run.sh", "#!/bin/sh\n");
  TScopedCurrentDir InMenu(Medium.File("disc"));
  App.SetParams({"."});
  auto* Form = App.CreateForm<TForm1>();
  EXPECT_EQ(Form->Caption(), "On the medium");
  EXPECT_EQ(Form->ClientWidth(), 80);
  Form->btnTemplate->Click();
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].FileName, Medium.File("disc/run.sh"));
}

TEST_F(MainFormTest, WithoutArgumentsTheMenuBesideTheExecutableShows) {
  WriteBackground(64, 48);
  Dir.Write("menu.ini", "[Main]\nAppName=Beside the program\n");
  App.SetParams({});
  EXPECT_EQ(App.CreateForm<TForm1>()->Caption(), "Beside the program");
}

TEST_F(MainFormTest, AnInvalidBackgroundIsNoBitmap) {
  Dir.Write("menu.bmp", "not a picture");
  EXPECT_THROW(App.CreateForm<TForm1>(), EInvalidGraphic);
}

TEST_F(MainFormTest, AClickShowsTheMessagesAroundTheLaunchAndEndsTheMenu) {
  WriteBackground(40, 40);
  const std::string Target = Dir.Write("tool.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini",
            "[Main]\nAppTaskName=Menu\n[Prog_1]\nWidth=10\nHeight=10\nExePath=" + Target +
                "\nExeCommandLine=/s \"a b\"\nPreRunMessage=Before\n"
                "AfterRunMessage=After\nTerminateAfterStart=1\n");
  auto* Form = App.CreateForm<TForm1>();
  Form->Show();
  AnswerDialogs();
  Form->btnTemplateClick(Form->btnTemplate);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog Menu", "launch", "dialog Menu"}));
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].FileName, Target);
  EXPECT_EQ(Launches[0].Parameters, "/s \"a b\"");
  EXPECT_EQ(Launches[0].Directory, Dir.Path() + "/");
  EXPECT_TRUE(App.Terminated());
}

TEST_F(MainFormTest, RelativeTargetsAreTakenFromTheCurrentDirectoryAndLongOnesRefused) {
  WriteBackground(40, 40);
  Dir.Write("bin/tool.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini",
            "[Main]\nProgCount=2\n[Prog_1]\nExePath=bin\\tool.sh\n"
            "TerminateAfterStart=0\n[Prog_2]\nExePath=" +
                std::string(300, 'x') + "\nTerminateAfterStart=0\n");
  char Saved[4096];
  ASSERT_NE(::getcwd(Saved, sizeof Saved), nullptr);
  ASSERT_EQ(::chdir(Dir.Path().c_str()), 0);
  auto* Form = App.CreateForm<TForm1>();
  Form->btnTemplateClick(Form->RunPanel->Controls(0));
  Form->btnTemplateClick(Form->RunPanel->Controls(1));
  ASSERT_EQ(::chdir(Saved), 0);
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].FileName, Dir.File("bin/tool.sh"));
  EXPECT_EQ(Launches[0].Directory, Dir.File("bin/"));
  EXPECT_FALSE(App.Terminated());
}

}  // namespace
