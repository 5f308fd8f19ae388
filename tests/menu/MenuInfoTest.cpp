// Loading the menu description: defaults, entry sections, ProgCount extremes and bad files.
#include "menu/MenuInfo.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <thread>

#include "menu/EntryAction.h"
#include "platform/Driver.h"
#include "settings/ColorEncoding.h"
#include "settings/FontEncoding.h"
#include "settings/PrivateProfile.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace {

class MenuInfoTest : public testing::Test {
 protected:
  std::string Menu(const std::string& Text) { return Dir.Write("menu.ini", Text); }
  std::string DirWithSep() const { return Dir.Path() + PathDelim; }
  TTempDir Dir;
};

void ExpectDefaultEntry(const TProgInfo& Entry) {
  EXPECT_EQ(Entry.X, 0);
  EXPECT_EQ(Entry.Y, 0);
  EXPECT_EQ(Entry.Width, 0);
  EXPECT_EQ(Entry.Height, 0);
  EXPECT_EQ(Entry.ButtonText, "");
  EXPECT_EQ(FontToString(Entry.FontInfo), "MS Sans Serif,8,,0,clWindowText,1");
  EXPECT_EQ(Entry.HighlightColor, clBlack);
  EXPECT_EQ(Entry.TopContourColor, clBlack);
  EXPECT_EQ(Entry.BottomContourColor, clBlack);
  EXPECT_EQ(Entry.ExePath, "");
  EXPECT_EQ(Entry.ExeCommandLine, "");
  EXPECT_EQ(Entry.PreRunMessage, "");
  EXPECT_EQ(Entry.AfterRunMessage, "");
  EXPECT_TRUE(Entry.TerminateAfterStart);
  EXPECT_FALSE(TargetAvailable(Entry.ExePath));
}

TEST_F(MenuInfoTest, MissingFileGivesOneDefaultEntry) {
  TOstrelInfo Info(Dir.File("menu.ini"));
  EXPECT_EQ(Info.FileName(), Dir.File("menu.ini"));
  EXPECT_EQ(Info.MenuDir(), DirWithSep());
  EXPECT_EQ(Info.BackgroundPath(), DirWithSep() + "menu.bmp");
  EXPECT_EQ(Info.IconPath(), "");
  EXPECT_EQ(Info.AppName(), "");
  EXPECT_EQ(Info.AppTaskName(), "");
  EXPECT_EQ(Info.ProgCount(), 1);
  ASSERT_EQ(Info.EntryCount(), 1);
  ExpectDefaultEntry(*Info.ProgInfo(0));
}

TEST_F(MenuInfoTest, ReadsMainAndEveryEntryKey) {
  TOstrelInfo Info(Menu(TestData("menu/every-key.ini")));
  EXPECT_EQ(Info.BackgroundPath(), DirWithSep() + "pics\\back.bmp");
  EXPECT_EQ(Info.IconPath(), DirWithSep() + "menu.ico");
  EXPECT_EQ(Info.AppName(), "Demo Disc");
  EXPECT_EQ(Info.AppTaskName(), "Demo");
  ASSERT_EQ(Info.EntryCount(), 2);
  const TProgInfo& First = *Info.ProgInfo(0);
  EXPECT_EQ(First.X, 10);
  EXPECT_EQ(First.Y, 20);
  EXPECT_EQ(First.Width, 200);
  EXPECT_EQ(First.Height, 30);
  EXPECT_EQ(First.ButtonText, "&Install");
  EXPECT_EQ(FontToString(First.FontInfo), "Arial,12,BI,1,clRed,204");
  EXPECT_EQ(First.HighlightColor, clLime);
  EXPECT_EQ(First.TopContourColor, 0x00102030);
  EXPECT_EQ(First.BottomContourColor, clRed);
  EXPECT_EQ(First.ExePath, "setup.exe");
  EXPECT_EQ(First.ExeCommandLine, "/s \"a b\"");
  EXPECT_EQ(First.PreRunMessage, "Before");
  EXPECT_EQ(First.AfterRunMessage, "After");
  EXPECT_FALSE(First.TerminateAfterStart);
  EXPECT_EQ(Info.ProgInfo(1)->ButtonText, "Second");
  EXPECT_EQ(Info.ProgInfo(2), nullptr);
  EXPECT_EQ(Info.ProgInfo(-1), nullptr);
}

TEST_F(MenuInfoTest, OnlyPlainEntryNumbersAreSections) {
  TOstrelInfo Info(
      Menu("[Main]\nProgCount=1\n[Prog_0]\nButtonText=zero\n[Prog_01]\n"
           "ButtonText=padded\n"));
  ASSERT_EQ(Info.EntryCount(), 1);
  EXPECT_EQ(Info.ProgInfo(0)->ButtonText, "");
}

TEST_F(MenuInfoTest, EmptyValuesAreNotMissing) {
  TOstrelInfo Info(
      Menu("[Main]\nBackground=\nIcon=\nProgCount=\n[Prog_1]\nX=\n"
           "TerminateAfterStart=\nHighlightColor=\nFontInfo=\nButtonText=\n"));
  EXPECT_EQ(Info.BackgroundPath(), DirWithSep());
  EXPECT_EQ(Info.IconPath(), "");
  EXPECT_EQ(Info.ProgCount(), 1);
  ASSERT_EQ(Info.EntryCount(), 1);
  ExpectDefaultEntry(*Info.ProgInfo(0));
}

TEST_F(MenuInfoTest, BooleanWordsAreNoIntegers) {
  TOstrelInfo Info(
      Menu("[Main]\nProgCount=3\n[Prog_1]\nTerminateAfterStart=false\n"
           "[Prog_2]\nTerminateAfterStart=0\n[Prog_3]\nTerminateAfterStart=-1\n"));
  EXPECT_TRUE(Info.ProgInfo(0)->TerminateAfterStart);
  EXPECT_FALSE(Info.ProgInfo(1)->TerminateAfterStart);
  EXPECT_TRUE(Info.ProgInfo(2)->TerminateAfterStart);
}

TEST_F(MenuInfoTest, ProgCountOfZeroOrLessGivesNoEntries) {
  for (const char* Count : {"0", "-1", "-2147483648", "$80000000"}) {
    TOstrelInfo Info(Menu(std::string("[Main]\nProgCount=") + Count + "\n[Prog_1]\nX=5\n"));
    EXPECT_LE(Info.ProgCount(), 0) << Count;
    EXPECT_EQ(Info.EntryCount(), 0) << Count;
    EXPECT_EQ(Info.ProgInfo(0), nullptr);
  }
}

TEST_F(MenuInfoTest, ProgCountBeyondTheSectionsGivesDefaultEntries) {
  TOstrelInfo Info(Menu("[Main]\nProgCount=3\n[Prog_1]\nX=5\n"));
  ASSERT_EQ(Info.EntryCount(), 3);
  EXPECT_EQ(Info.ProgInfo(0)->X, 5);
  ExpectDefaultEntry(*Info.ProgInfo(1));
  ExpectDefaultEntry(*Info.ProgInfo(2));
}

TEST_F(MenuInfoTest, HugeProgCountIsKeptButEntriesAreCapped) {
  TOstrelInfo Info(Menu("[Main]\nProgCount=2147483647\n[Prog_10000]\nX=9\n[Prog_10001]\nX=8\n"));
  EXPECT_EQ(Info.ProgCount(), 2147483647);
  ASSERT_EQ(Info.EntryCount(), TOstrelInfo::MaxEntries);
  EXPECT_EQ(Info.ProgInfo(9999)->X, 9);
  EXPECT_EQ(Info.ProgInfo(10000), nullptr);
}

TEST_F(MenuInfoTest, ProgCountAtTheEntryLimitIsAllEntriesAndOneMoreIsCut) {
  const std::string Last = "\n[Prog_10000]\nX=9\n[Prog_10001]\nX=8\n";
  TOstrelInfo AtLimit(Menu("[Main]\nProgCount=10000" + Last));
  ASSERT_EQ(AtLimit.EntryCount(), TOstrelInfo::MaxEntries);
  EXPECT_EQ(AtLimit.ProgInfo(TOstrelInfo::MaxEntries - 1)->X, 9);
  TOstrelInfo PastLimit(Menu("[Main]\nProgCount=10001" + Last));
  EXPECT_EQ(PastLimit.ProgCount(), TOstrelInfo::MaxEntries + 1);
  ASSERT_EQ(PastLimit.EntryCount(), TOstrelInfo::MaxEntries);
  EXPECT_EQ(PastLimit.ProgInfo(TOstrelInfo::MaxEntries - 1)->X, 9);
  EXPECT_EQ(PastLimit.ProgInfo(TOstrelInfo::MaxEntries), nullptr);
}

TEST_F(MenuInfoTest, FontInfoMissingKeepsTheFrameworkDefault) {
  TOstrelInfo Info(
      Menu("[Main]\nProgCount=2\n[Prog_1]\nFontInfo=Arial,12,B,0,nocolour,204\n"
           "[Prog_2]\nX=1\n"));
  EXPECT_EQ(FontToString(Info.ProgInfo(0)->FontInfo), "Arial,12,B,0,clWindowText,1");
  EXPECT_EQ(FontToString(Info.ProgInfo(1)->FontInfo), "MS Sans Serif,8,,0,clWindowText,1");
}

TEST_F(MenuInfoTest, AFolderInPlaceOfTheFileGivesDefaults) {
  Dir.MakeDir("menu.ini");
  TOstrelInfo Info(Dir.File("menu.ini"));
  EXPECT_EQ(Info.ProgCount(), 1);
  EXPECT_EQ(Info.BackgroundPath(), DirWithSep() + "menu.bmp");
}

TEST_F(MenuInfoTest, FourMegabyteLineAndNulBytesAreHarmless) {
  std::string Text = "[Main]\nAppName=" + std::string(4 << 20, 'x') + "\nProgCount=2\n";
  Text += std::string("[Prog_1]\nButtonText=a\0b\nX=4\n", 28);
  TOstrelInfo Info(Menu(Text));
  EXPECT_EQ(Info.AppName(), std::string(2047, 'x'));
  EXPECT_EQ(Info.ProgCount(), 2);
  EXPECT_EQ(Info.ProgInfo(0)->ButtonText, "a");
  EXPECT_EQ(Info.ProgInfo(0)->X, 4);
}

TEST_F(MenuInfoTest, AvailabilityNeedsAnExistingFileOrFolder) {
  std::string Target = Dir.Write("Setup.EXE", "MZ");
  Dir.MakeDir("folder");
  EXPECT_TRUE(TargetAvailable(Target));
  EXPECT_TRUE(TargetAvailable(Dir.File("setup.exe")));  // letter case of a copied medium
  EXPECT_TRUE(TargetAvailable(Dir.File("Folder")));     // opened in the file manager
  EXPECT_FALSE(TargetAvailable(Dir.File("missing.exe")));
  EXPECT_FALSE(TargetAvailable(""));
#ifndef _WIN32
  EXPECT_TRUE(TargetAvailable(Dir.Path() + "\\Setup.EXE"));
#endif
}

// Another program rewrites menu.ini all the while a large menu loads: the load takes one version
// of the file, whole, and reads it once.
TEST_F(MenuInfoTest, AMenuRewrittenWhileItLoadsIsReadFromOneVersion) {
  auto Version = [](char Mark) {
    std::string Text = "[Main]\nProgCount=10000\n";
    for (int I = 1; I <= 10000; ++I)
      Text += "[Prog_" + std::to_string(I) + "]\nButtonText=" + std::string(1, Mark) + "\n";
    return Text;
  };
  const std::string File = Menu(Version('a'));
  const std::string Other = Version('b');
  std::atomic<bool> Done{false};
  std::thread Writer([&] {
    for (bool Second = true; !Done; Second = !Second)
      ASSERT_TRUE(Driver().Files().WriteFileAtomically(File, Second ? Other : Version('a')));
  });
  const std::size_t Before = TPrivateProfile::ParseCount();
  TOstrelInfo Info(File);
  Done = true;
  Writer.join();
  EXPECT_EQ(TPrivateProfile::ParseCount(), Before + 1);
  ASSERT_EQ(Info.EntryCount(), 10000);
  const std::string First = Info.ProgInfo(0)->ButtonText;
  for (int I = 0; I < Info.EntryCount(); ++I) ASSERT_EQ(Info.ProgInfo(I)->ButtonText, First) << I;
}

}  // namespace
