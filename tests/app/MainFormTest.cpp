// The menu window on the headless display: built from menu.ini beside the executable, its
// buttons, start-up failures, and what a click does.
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MenuWindowFixture.h"
#include "app/Launcher.h"
#include "core/Exception.h"
#include "framework/Application.h"
#include "platform/Shell.h"
#include "platform/headless/HeadlessDriver.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace {

using MainFormTest = TMenuWindowFixture;

TEST_F(MainFormTest, TheWindowTakesTheBackgroundsSizeAndTheMenusTexts) {
  WriteBackground(64, 48);
  Dir.Write("menu.ini",
            "[Main]\nAppName=Disc\nAppTaskName=Task\nProgCount=3\n"
            "[Prog_1]\nX=5\nY=6\nWidth=50\nHeight=20\nButtonText=&One\nExePath=" +
                Dir.Write("one.sh", "#!/bin/sh\n") +
                "\nHighlightColor=clRed\n[Prog_2]\nExePath=missing.exe\n[Prog_3]\nExePath=" +
                Dir.MakeDir("folder") + "\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
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
  EXPECT_TRUE(Form->RunPanel->Controls(2)->Enabled()) << "a folder opens in the file manager";
  EXPECT_EQ(Form->RunPanel->Controls(1)->Owner(), First);
}

// Under a Chinese locale the program in ".../中/" reads ".../中/menu.ini", not its parent's.
TEST_F(MainFormTest, TheMenuIsReadFromTheProgramsOwnFolderUnderAnyLocale) {
  const char* Saved = std::getenv("LC_ALL");
  const std::string Old = Saved ? Saved : "";
  ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
  WriteBackground(30, 30);
  Dir.Write("menu.ini", "[Main]\nAppName=Parent\nProgCount=0\n");
  Dir.Write("\xE4\xB8\xAD/menu.ini", "[Main]\nAppName=Own\nProgCount=0\n");
  WriteBackground(20, 20, "\xE4\xB8\xAD/menu.bmp");
  App.SetExeName(Dir.File("\xE4\xB8\xAD/ostrel"));
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  EXPECT_EQ(Form->Caption(), "Own");
  EXPECT_EQ(Form->ClientWidth(), 20);
  if (Saved)
    ::setenv("LC_ALL", Old.c_str(), 1);
  else
    ::unsetenv("LC_ALL");
}

TEST_F(MainFormTest, NoEntriesLeavesTheDesignedButton) {
  WriteBackground(32, 32);
  Dir.Write("menu.ini", "[Main]\nProgCount=0\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  EXPECT_EQ(Form->btnTemplate->BoundsRect(), Bounds(7, 6, 233, 24));
  EXPECT_TRUE(Form->btnTemplate->Enabled());
  Form->btnTemplateClick(Form->btnTemplate);
  EXPECT_TRUE(Launches.empty());
}

TEST_F(MainFormTest, AMissingBackgroundStopsStartUpWithItsFullPath) {
  Dir.Write("menu.ini", "[Main]\nBackground=pics\\none.bmp\n");
  try {
    App.CreateForm<TForm1>(MenuFolder());
    FAIL() << "no exception";
  } catch (const EFOpenError& Error) {
    EXPECT_EQ(std::string(Error.what()), "Cannot open file " + Dir.File("pics/none.bmp"));
    EXPECT_EQ(ErrorBoxText(Error.what()), "Cannot open file " + Dir.File("pics/none.bmp") + ".");
  }
  EXPECT_EQ(App.Title(), "ostrel") << "the default title, as AppTaskName is not applied yet";
}

TEST_F(MainFormTest, APictureWiderThanTheScreenIsShownWholeAndSmaller) {
  WriteBackground(System.ScreenWidth + 300, 20);
  Dir.Write("menu.ini", "[Main]\nProgCount=0\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  EXPECT_EQ(Form->ClientWidth(), System.ScreenWidth);
  EXPECT_EQ(Form->ClientHeight(), 15);
  Form->Show();
  EXPECT_EQ(Form->BackBuffer().Width(), System.ScreenWidth);
}

// The face is held once beside the back buffer: the panel's background copy shares the picture's
// pixels, and neither the first frame nor a hover repaint makes a copy of them.
TEST_F(MainFormTest, TheFirstFrameKeepsThePictureOnceBesideTheBackBuffer) {
  constexpr int W = 301, H = 203;  // a size no other picture of the test has
  WriteBackground(W, H);
  Dir.Write("menu.ini",
            "[Main]\nProgCount=2\n[Prog_1]\nX=5\nY=6\nWidth=80\nHeight=20\nButtonText=One\n"
            "ExePath=" +
                Dir.Write("one.sh", "#!/bin/sh\n") +
                "\n[Prog_2]\nX=5\nY=40\nWidth=80\nHeight=20\nButtonText=Two\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  Form->UpdateWindow();
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 2) << "the picture and the back buffer";

  THeadlessWindow* Window = System.Windows().front();
  TWindowEvent Move;
  Move.Kind = TWindowEvent::TKind::wkPointerMove;
  Move.Window = Window;
  Move.X = 20;
  Move.Y = 15;
  System.Post(Move);
  App.ProcessMessages();
  EXPECT_TRUE(Form->btnTemplate->MouseOver());
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(W, H), 2) << "after a hover repaint";
}

// The icon is optional: a missing or broken one leaves the program's own, and the menu starts.
TEST_F(MainFormTest, AnIconThatCannotBeReadLeavesTheProgramsIcon) {
  WriteBackground(32, 32);
  Dir.Write("broken.ico", "not an icon");
  TIcon Own;
  // One 1 x 1 image of 32 bits whose directory entry gives no size.
  Own.LoadFromBytes(TestData("icons/unsized-entry.ico"));
  for (const char* Name : {"none.ico", "broken.ico"}) {
    SCOPED_TRACE(Name);
    App.Icon.Assign(Own);
    Dir.Write("menu.ini", std::string("[Main]\nIcon=") + Name + "\nProgCount=0\n");
    auto* Form = App.CreateForm<TForm1>(MenuFolder());
    EXPECT_TRUE(Form->Icon.Empty());
    ASSERT_EQ(App.Icon.ImageCount(), 1);
    EXPECT_EQ(&App.Icon.Image(0), &Own.Image(0));
  }
}

// The menu's icon replaces the program's own on the application and the window.
TEST_F(MainFormTest, TheMenusIconIsLoadedAndShownOnTheWindow) {
  WriteBackground(32, 32);
  // One 1 x 1 image of 32 bits: a blue pixel, opaque.
  Dir.Write("pics/disc.ico", TestData("icons/blue-pixel.ico"));
  Dir.Write("menu.ini", "[Main]\nIcon=pics\\disc.ico\nProgCount=0\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  ASSERT_FALSE(Form->Icon.Empty());
  ASSERT_EQ(App.Icon.ImageCount(), 1);
  auto* Window = dynamic_cast<THeadlessWindow*>(Form->NativeWindow());
  ASSERT_NE(Window, nullptr);
  ASSERT_FALSE(Window->Icons.empty());
  EXPECT_EQ(Window->Icons.front().Width, 1);
  ASSERT_EQ(Window->Icons.front().Pixels.size(), 1u);
  EXPECT_EQ(Window->Icons.front().Pixels[0] & 0x00FFFFFFu, 0x0000FFu);
}

// Every button past the first is made from the designed one: its style, relief and highlight
// behaviour come along, and its click goes to the same handler.
TEST_F(MainFormTest, ExtraButtonsCopyTheDesignedButtonsSettings) {
  WriteBackground(64, 64);
  const std::string Tool = Dir.Write("tool.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini", "[Main]\nProgCount=2\n[Prog_1]\nExePath=" + Tool +
                            "\nTerminateAfterStart=0\n[Prog_2]\nY=30\nExePath=" + Tool +
                            "\nExeCommandLine=second\nTerminateAfterStart=0\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  auto* First = Form->btnTemplate;
  auto* Second = dynamic_cast<TKitSpeedButton*>(Form->RunPanel->Controls(1));
  ASSERT_NE(Second, nullptr);
  EXPECT_EQ(Second->Style(), First->Style());
  EXPECT_EQ(Second->Style(), TKitUserButtonStyle::ubsExplorer);
  EXPECT_TRUE(Second->EnterColorChange());
  EXPECT_EQ(Second->FontFX().Style(), TKitThreeDStyle::tdSunkenShadow);
  EXPECT_EQ(Second->FontFX().LightColor(), First->FontFX().LightColor());
  EXPECT_EQ(Second->FontFX().ShadowColor(), First->FontFX().ShadowColor());
  Second->Click();
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].Parameters, "second");
}

// ostrel MENU_FOLDER: that folder's menu.ini and files, whatever lies beside the executable. A
// relative name counts from the folder the program was started in.
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
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
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
  EXPECT_EQ(App.CreateForm<TForm1>(MenuFolder())->Caption(), "Beside the program");
}

TEST_F(MainFormTest, AnInvalidBackgroundIsNoBitmap) {
  Dir.Write("menu.bmp", "not a picture");
  EXPECT_THROW(App.CreateForm<TForm1>(MenuFolder()), EInvalidGraphic);
}

TEST_F(MainFormTest, AClickShowsTheMessagesAroundTheLaunchAndEndsTheMenu) {
  WriteBackground(40, 40);
  const std::string Target = Dir.Write("tool.sh", "#!/bin/sh\n");
  Dir.Write("menu.ini",
            "[Main]\nAppTaskName=Menu\n[Prog_1]\nWidth=10\nHeight=10\nExePath=" + Target +
                "\nExeCommandLine=/s \"a b\"\nPreRunMessage=Before\n"
                "AfterRunMessage=After\nTerminateAfterStart=1\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
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
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  AnswerDialogs();
  Form->btnTemplateClick(Form->RunPanel->Controls(0));
  Form->btnTemplateClick(Form->RunPanel->Controls(1));
  ASSERT_EQ(::chdir(Saved), 0);
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_NE(Dialogs[0].find("longer than the 259 characters"), std::string::npos) << Dialogs[0];
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].FileName, Dir.File("bin/tool.sh"));
  EXPECT_EQ(Launches[0].Directory, Dir.File("bin/"));
  EXPECT_FALSE(App.Terminated());
}

// What shows as available is what a click starts: one path for both, one length rule in
// characters, and only regular files.
TEST_F(MainFormTest, AvailableTargetsAreTheOnesAClickStarts) {
  WriteBackground(40, 40);
  std::string Cyrillic;
  for (int I = 0; I < 80; ++I) Cyrillic += "\xD1\x8F";
  const std::string Long =
      Dir.Write(Cyrillic.substr(0, 80) + "/" + Cyrillic + ".sh", "#!/bin/sh\n");
  ASSERT_GE(Long.size(), MaxPath);
  Dir.Write("real/target.sh", "#!/bin/sh\n");
  Dir.MakeDir("real/sub");
  ASSERT_EQ(::symlink(Dir.File("real/sub").c_str(), Dir.File("lnk").c_str()), 0);
  ASSERT_EQ(::mkfifo(Dir.File("fifo").c_str(), 0600), 0);
  Dir.Write("menu.ini", "[Main]\nProgCount=3\n[Prog_1]\nTerminateAfterStart=0\nExePath=" + Long +
                            "\n[Prog_2]\nTerminateAfterStart=0\nExePath=" + Dir.Path() +
                            "/lnk\\..\\target.sh\n[Prog_3]\nExePath=" + Dir.File("fifo") + "\n");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  for (int I = 0; I < 3; ++I)
    if (Form->RunPanel->Controls(I)->Enabled()) Form->btnTemplateClick(Form->RunPanel->Controls(I));
  EXPECT_TRUE(Form->RunPanel->Controls(0)->Enabled());
  EXPECT_FALSE(Form->RunPanel->Controls(1)->Enabled()) << "only real/sub/../target.sh exists";
  EXPECT_FALSE(Form->RunPanel->Controls(2)->Enabled()) << "a FIFO is no target";
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_EQ(Launches[0].FileName, Long);

  Dir.Write("target.sh", "#!/bin/sh\n");
  auto* Again = App.CreateForm<TForm1>(MenuFolder());
  EXPECT_TRUE(Again->RunPanel->Controls(1)->Enabled());
  Again->btnTemplateClick(Again->RunPanel->Controls(1));
  ASSERT_EQ(Launches.size(), 2u);
  EXPECT_EQ(Launches[1].FileName, Dir.File("target.sh"));
}

}  // namespace

// The caption's effect copies: TopContourColor is the light copy, drawn down and to the right
// of the face; BottomContourColor the shadow copy, drawn up and to the left.
TEST_F(MainFormTest, TopContourIsTheLightCopyBelowRightAndBottomContourTheShadowAboveLeft) {
  auto* Form = MenuOf(
      {"X=0\nY=0\nWidth=120\nHeight=40\nButtonText=HIT\nExePath=" + Dir.Write("a.txt", "text") +
       "\nFontInfo=Arial,20,B,0,clWhite,0\nTopContourColor=clRed\n"
       "BottomContourColor=clBlue"},
      120, 40);
  App.ProcessMessages();
  TRect Red{120, 40, 0, 0}, Blue{120, 40, 0, 0};
  auto Extend = [](TRect& Box, int X, int Y) {
    Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
           std::max(Box.Bottom, Y + 1)};
  };
  for (int Y = 0; Y < 40; ++Y)
    for (int X = 0; X < 120; ++X) {
      const std::uint32_t Pixel = Form->BackBuffer().Pixel(X, Y) & 0xFFFFFFu;
      if (Pixel == 0xFF0000u) Extend(Red, X, Y);
      if (Pixel == 0x0000FFu) Extend(Blue, X, Y);
    }
  ASSERT_FALSE(Red.IsEmpty());
  ASSERT_FALSE(Blue.IsEmpty());
  EXPECT_GT(Red.Left, Blue.Left);
  EXPECT_GT(Red.Top, Blue.Top);
  EXPECT_GT(Red.Right, Blue.Right);
  EXPECT_GT(Red.Bottom, Blue.Bottom);
}
