// Tests of the POSIX file services: Windows-style menu paths, existence, full paths, reading
// and replacing files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Driver.h"
#include "support/TempDir.h"

namespace {

mode_t Permissions(const std::string& FileName) {
  struct stat Info {};
  if (::stat(FileName.c_str(), &Info) != 0) return 0;
  return Info.st_mode & 07777;
}

TEST(FileSystemTest, ResolveReadsBackslashesAsSlashes) {
  TTempDir Dir;
  Dir.Write("Sub/File.txt", "x");
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.Path() + "\\Sub\\File.txt"),
            Dir.File("Sub/File.txt"));
}

// A POSIX name is split at "/" only: a folder whose name holds a "\\" is that folder, not a
// path of two; only a part that does not exist as written is read as a menu path.
TEST(FileSystemTest, ResolveTakesAFolderNamedWithABackslashAsItIs) {
  TTempDir Dir;
  const std::string Inner = Dir.Write("a\\b/menu.ini", "inner");
  Dir.Write("a/b/menu.ini", "outer");
  EXPECT_EQ(Driver().Files().ResolveFileName(Inner), Inner);
  std::string Bytes;
  ASSERT_EQ(Driver().Files().ReadFileBytes(Inner, 100, Bytes), TReadStatus::rsRead);
  EXPECT_EQ(Bytes, "inner");
  Dir.Write("a\\b/Pics/Back.bmp", "x");
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.File("a\\b/") + "pics\\back.bmp"),
            Dir.File("a\\b/Pics/Back.bmp"));
}

TEST(FileSystemTest, ResolveMatchesEachComponentIgnoringCase) {
  TTempDir Dir;
  Dir.Write("Sub/Deeper/File.txt", "x");
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.Path() + "\\sub\\DEEPER\\file.TXT"),
            Dir.File("Sub/Deeper/File.txt"));
  // Below a component that matches nothing, the rest keeps the spelling it was given.
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.Path() + "/sub/missing/FILE.txt"),
            Dir.File("Sub/missing/FILE.txt"));
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.Path() + "/SUB/./deeper/../Deeper/file.txt"),
            Dir.File("Sub/./Deeper/../Deeper/File.txt"));
}

TEST(FileSystemTest, ResolvePrefersTheExactNameThenTheSmallest) {
  TTempDir Dir;
  Dir.Write("readme.txt", "lower");
  Dir.Write("README.TXT", "upper");
  Dir.Write("ReadMe.txt", "mixed");
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.File("ReadMe.txt")), Dir.File("ReadMe.txt"));
  EXPECT_EQ(Driver().Files().ResolveFileName(Dir.File("readme.TXT")), Dir.File("README.TXT"));
}

TEST(FileSystemTest, ResolveRelativeNamesFromTheCurrentDirectory) {
  TTempDir Dir;
  Dir.Write("Sub/File.txt", "x");
  TScopedCurrentDir Current(Dir.Path());
  EXPECT_EQ(Driver().Files().ResolveFileName("sub\\file.txt"), "Sub/File.txt");
  EXPECT_EQ(Driver().Files().ResolveFileName(".\\SUB\\File.txt"), "./Sub/File.txt");
}

TEST(FileSystemTest, FileExistsForFilesOnly) {
  TTempDir Dir;
  Dir.Write("Sub/Game.exe", "MZ");
  EXPECT_TRUE(Driver().Files().FileExists(Dir.File("Sub/Game.exe")));
  EXPECT_TRUE(Driver().Files().FileExists(Dir.Path() + "\\SUB\\game.EXE"));
  EXPECT_FALSE(Driver().Files().FileExists(Dir.File("Sub")));
  EXPECT_FALSE(Driver().Files().FileExists(Dir.File("Sub/Missing.exe")));
  EXPECT_FALSE(Driver().Files().FileExists(Dir.File("Sub/Game.exe/x")));
  EXPECT_FALSE(Driver().Files().FileExists(""));
  TScopedCurrentDir Current(Dir.Path());
  EXPECT_TRUE(Driver().Files().FileExists("sub\\game.exe"));
  EXPECT_FALSE(Driver().Files().FileExists("game.exe"));
}

TEST(FileSystemTest, DirectoryExistsForFoldersOnly) {
  TTempDir Dir;
  Dir.Write("Sub/Game.exe", "MZ");
  EXPECT_TRUE(Driver().Files().DirectoryExists(Dir.Path() + "\\sub"));
  EXPECT_FALSE(Driver().Files().DirectoryExists(Dir.File("Sub/Game.exe")));
  EXPECT_FALSE(Driver().Files().DirectoryExists(Dir.File("Other")));
  EXPECT_FALSE(Driver().Files().DirectoryExists(""));
}

TEST(FileSystemTest, ExpandCollapsesDotsWithoutTouchingTheDisk) {
  EXPECT_EQ(Driver().Files().ExpandFileName("/a/b/../c/./d"), "/a/c/d");
  EXPECT_EQ(Driver().Files().ExpandFileName("\\a\\b\\..\\C"), "/a/C");
  EXPECT_EQ(Driver().Files().ExpandFileName("/a/b/"), "/a/b/");
  EXPECT_EQ(Driver().Files().ExpandFileName("/a/b/."), "/a/b");
  EXPECT_EQ(Driver().Files().ExpandFileName("/a//b"), "/a/b");
  EXPECT_EQ(Driver().Files().ExpandFileName("/../.."), "/");
  EXPECT_EQ(Driver().Files().ExpandFileName("/a/b/../.."), "/");
}

TEST(FileSystemTest, ExpandRelativeNamesFromTheCurrentDirectory) {
  TTempDir Dir;
  Dir.MakeDir("Sub");
  TScopedCurrentDir Current(Dir.File("Sub"));
  std::string Cwd = std::filesystem::current_path().string();
  std::string Parent = std::filesystem::current_path().parent_path().string();
  EXPECT_EQ(Driver().Files().ExpandFileName("menu.ini"), Cwd + "/menu.ini");
  EXPECT_EQ(Driver().Files().ExpandFileName("x\\..\\Game.exe"), Cwd + "/Game.exe");
  EXPECT_EQ(Driver().Files().ExpandFileName("."), Cwd);
  EXPECT_EQ(Driver().Files().ExpandFileName(".."), Parent);
  EXPECT_EQ(Driver().Files().ExpandFileName("..\\Other\\"), Parent + "/Other/");
}

TEST(FileSystemTest, ReadStopsAtTheLimit) {
  TTempDir Dir;
  Dir.Write("Data.bin", std::string("0123\0"
                                    "56789",
                                    10));
  std::string Bytes = "old";
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.File("Data.bin"), 4, Bytes), TReadStatus::rsRead);
  EXPECT_EQ(Bytes, "0123");
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.Path() + "\\data.BIN", 100, Bytes),
            TReadStatus::rsRead);
  EXPECT_EQ(Bytes, std::string("0123\0"
                               "56789",
                               10));
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.File("Data.bin"), 0, Bytes), TReadStatus::rsRead);
  EXPECT_EQ(Bytes, "");
}

TEST(FileSystemTest, ReadReportsMissingAndUnreadableNames) {
  TTempDir Dir;
  Dir.Write("Data.bin", "x");
  std::string Bytes = "old";
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.File("Missing.bin"), 10, Bytes),
            TReadStatus::rsMissing);
  EXPECT_EQ(Bytes, "");
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.File("Data.bin/x"), 10, Bytes),
            TReadStatus::rsMissing);
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.Path(), 10, Bytes), TReadStatus::rsFailed);
}

// Bulk reads go through the same checks as plain ones; a file of several megabytes lands in a
// block mapped whole.
TEST(FileSystemTest, BulkReadsGiveWhatPlainReadsGive) {
  TTempDir Dir;
  std::string Large(3 << 20, '\0');
  for (std::size_t I = 0; I < Large.size(); ++I) Large[I] = static_cast<char>(I * 7 % 251);
  Dir.Write("Large.bin", Large);
  TBulkBuffer Bytes;
  ASSERT_EQ(Driver().Files().ReadFileBulk(Dir.Path() + "\\large.BIN", Large.size() + 1, Bytes),
            TReadStatus::rsRead);
  EXPECT_EQ(std::string(Bytes.data(), Bytes.size()), Large);
  ASSERT_EQ(Driver().Files().ReadFileBulk(Dir.File("Large.bin"), 5, Bytes), TReadStatus::rsRead);
  EXPECT_EQ(std::string(Bytes.data(), Bytes.size()), Large.substr(0, 5));
  EXPECT_EQ(Driver().Files().ReadFileBulk(Dir.File("Missing.bin"), 10, Bytes),
            TReadStatus::rsMissing);
  EXPECT_EQ(Bytes.size(), 0u);
  EXPECT_EQ(Driver().Files().ReadFileBulk(Dir.Path(), 10, Bytes), TReadStatus::rsFailed);
  ASSERT_EQ(::mkfifo(Dir.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(Driver().Files().ReadFileBulk(Dir.File("pipe"), 10, Bytes), TReadStatus::rsFailed);
}

TEST(FileSystemTest, ReadRefusesAPipeWithoutWaitingForAWriter) {
  TTempDir Dir;
  ASSERT_EQ(::mkfifo(Dir.File("pipe").c_str(), 0600), 0);
  std::string Bytes;
  EXPECT_EQ(Driver().Files().ReadFileBytes(Dir.File("pipe"), 10, Bytes), TReadStatus::rsFailed);
}

TEST(FileSystemTest, WriteReplacesContentsAndKeepsPermissions) {
  TTempDir Dir;
  std::string Name = Dir.Write("Menu.ini", "old contents that are longer");
  ASSERT_EQ(::chmod(Name.c_str(), 0640), 0);
  EXPECT_TRUE(Driver().Files().WriteFileAtomically(Name, "new"));
  EXPECT_EQ(ReadAll(Name), "new");
  EXPECT_EQ(Permissions(Name), 0640u);
  // Nothing is left beside the file.
  int Entries = 0;
  for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
    ++Entries;
  EXPECT_EQ(Entries, 1);
}

TEST(FileSystemTest, WriteFindsTheFileIgnoringCase) {
  TTempDir Dir;
  std::string Name = Dir.Write("Sub/Menu.ini", "old");
  EXPECT_TRUE(Driver().Files().WriteFileAtomically(Dir.Path() + "\\sub\\MENU.INI", "new"));
  EXPECT_EQ(ReadAll(Name), "new");
  EXPECT_FALSE(std::filesystem::exists(Dir.File("Sub/MENU.INI")));
}

TEST(FileSystemTest, WriteCreatesNewFilesButNoFolders) {
  TTempDir Dir;
  EXPECT_TRUE(Driver().Files().WriteFileAtomically(Dir.File("New.ini"), "fresh"));
  EXPECT_EQ(ReadAll(Dir.File("New.ini")), "fresh");
  EXPECT_FALSE(Driver().Files().WriteFileAtomically(Dir.File("Missing/New.ini"), "x"));
  EXPECT_FALSE(std::filesystem::exists(Dir.File("Missing")));
}

TEST(FileSystemTest, StampChangesWithTheContents) {
  TTempDir Dir;
  std::string Name = Dir.Write("Menu.ini", "one");
  auto Before = Driver().Files().FileStamp(Name);
  ASSERT_TRUE(Before.has_value());
  EXPECT_EQ(Before->Size, 3);
  ASSERT_TRUE(Driver().Files().WriteFileAtomically(Name, "three"));
  auto After = Driver().Files().FileStamp(Name);
  ASSERT_TRUE(After.has_value());
  EXPECT_NE(*Before, *After);
  EXPECT_FALSE(Driver().Files().FileStamp(Dir.Path()).has_value());
  EXPECT_FALSE(Driver().Files().FileStamp(Dir.File("Missing.ini")).has_value());
}

}  // namespace
