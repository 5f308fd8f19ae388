// The program started as a user starts it, on what its buttons open: relative targets from
// whatever folder it was started in, addresses and folders through the desktop's opener, the
// exit, and the error box for a target that cannot be opened.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "e2e/EndToEndFixture.h"

namespace {

class EntryActionsEndToEnd : public EndToEndTest {
 protected:
  // A stand-in for the desktop's opener that records what it was given, first on PATH.
  std::string PathWithOpener() {
    Folder.MakeDir("bin");
    const std::string Opener = Folder.Write(
        "bin/xdg-open", "#!/bin/sh\n{ pwd; for A in \"$@\"; do echo \"$A\"; done; } > " +
                            Quoted(Folder.File("opened.part")) + " && mv " +
                            Quoted(Folder.File("opened.part")) + " " +
                            Quoted(Folder.File("opened")) + "\n");
    chmod(Opener.c_str(), 0755);
    return Folder.File("bin") + ":/usr/bin:/bin";
  }
};

TEST_F(EntryActionsEndToEnd, StartedFromAnotherFolderRelativeTargetsStart) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  TTempDir Elsewhere;
  const ::Window W = StartMenuFrom(Elsewhere.Path());
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(MarkerWritten("ran")) << "the relative target was looked up from the start folder";
  EXPECT_EQ(ReadAll(Folder.File("ran")), Folder.Path() + "/tools\n");
}

TEST_F(EntryActionsEndToEnd, AddressesAndFoldersReachTheDesktopsOpenerAsOneArgument) {
  const std::string Url = "https://example.org/a b?x=1&y='2'";
  Folder.MakeDir("docs");
  WriteMenu({{"&Web", Url, "", "", "", false, FirstButton},
             {"&Docs", "docs", "", "", "", false, SecondButton}});
  const ::Window W = StartMenuFrom("/", PathWithOpener());
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(MarkerWritten("opened"));
  EXPECT_EQ(ReadAll(Folder.File("opened")), Folder.Path() + "\n" + Url + "\n");
  ASSERT_EQ(std::remove(Folder.File("opened").c_str()), 0);
  Click(W, SecondButton);
  ASSERT_TRUE(MarkerWritten("opened"));
  EXPECT_EQ(ReadAll(Folder.File("opened")),
            Folder.File("docs") + "\n" + Folder.File("docs") + "\n");
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EntryActionsEndToEnd, ATargetDeletedAfterStartUpIsToldAndItsButtonDisabled) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", true, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  ASSERT_EQ(std::remove(Folder.File("tools/run.sh").c_str()), 0);
  Click(W, FirstButton);
  const ::Window Box = WaitDialog();
  ASSERT_NE(Box, 0u) << "no error box";
  PressReturn(Box);
  EXPECT_TRUE(Gone(Box, AppTaskName));
  EXPECT_TRUE(Menu->Running()) << "the menu stays, whatever TerminateAfterStart says";
  Click(W, FirstButton);
  EXPECT_EQ(WaitDialog(), 0u) << "the button was not disabled";
}

TEST_F(EntryActionsEndToEnd, ADocumentWithoutAnOpenerIsToldAndTheMenuStays) {
  Folder.Write("notes.txt", "text");
  WriteMenu({{"&Notes", "notes.txt", "", "", "", true, FirstButton}});
  Folder.MakeDir("empty");
  const ::Window W = StartMenuFrom("", Folder.File("empty"));
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  const ::Window Box = WaitDialog();
  ASSERT_NE(Box, 0u) << "no error box";
  PressReturn(Box);
  EXPECT_TRUE(Gone(Box, AppTaskName));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EntryActionsEndToEnd, TheExitEndsTheProgramWithCodeZero) {
  WriteMenu({{"E&xit", "$EXIT$", "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  EXPECT_EQ(Menu->WaitExit(), 0);
}

}  // namespace
