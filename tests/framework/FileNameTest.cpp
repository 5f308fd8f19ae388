// The folder part of a path and NormalDir, including double-byte code pages.
#include "framework/FileName.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/FileSystem.h"

namespace {
const std::string Sep(1, PathDelim);
}

TEST(FileNameTest, FolderPartEndsAtTheLastSeparatorOrColon) {
  EXPECT_EQ(ExtractFilePath("D:\\menu.ini", 1252), "D:\\");
  EXPECT_EQ(ExtractFilePath("C:\\Disc\\Menu\\ostrel.exe", 1252), "C:\\Disc\\Menu\\");
  EXPECT_EQ(ExtractFilePath("D:menu.ini", 1252), "D:");
  EXPECT_EQ(ExtractFilePath("menu.ini", 1252), "");
  EXPECT_EQ(ExtractFilePath("", 1252), "");
#ifndef _WIN32
  EXPECT_EQ(ExtractFilePath("/media/cd/menu.ini", 1252), "/media/cd/");
#endif
}

TEST(FileNameTest, NormalDirAddsExactlyTheSeparatorItNeeds) {
  EXPECT_EQ(NormalDir("", 1252), "");
  EXPECT_EQ(NormalDir("C:", 1252), "C:");
  EXPECT_EQ(NormalDir("c", 1252), "c:" + Sep);
  EXPECT_EQ(NormalDir("Z", 1252), "Z:" + Sep);
  EXPECT_EQ(NormalDir("1", 1252), "1" + Sep);
  EXPECT_EQ(NormalDir("C:\\Disc", 1252), "C:\\Disc" + Sep);
  EXPECT_EQ(NormalDir("C:\\Disc\\", 1252), "C:\\Disc\\");
  EXPECT_EQ(NormalDir("D:\\", 1252), "D:\\");
}

#ifndef _WIN32
// The system's names are bytes split at "/": no code page's double-byte rule, even under a
// locale whose code page has one ("中" in UTF-8 would swallow the "/" after it), and "\\" is
// part of a name.
TEST(FileNameTest, SystemNamesOnPosixSplitAtSlashOnly) {
  const char* Saved = std::getenv("LC_ALL");
  const std::string Old = Saved ? Saved : "";
  ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(ExtractFilePath("/m/\xE4\xB8\xAD/ostrel"), "/m/\xE4\xB8\xAD/");
  EXPECT_EQ(ExtractFilePath("/m/a\\b/ostrel"), "/m/a\\b/");
  EXPECT_EQ(ExtractFilePath("C:menu.ini"), "");
  EXPECT_EQ(NormalDir("/m/a\\b"), "/m/a\\b/");
  EXPECT_EQ(NormalDir("/m/\xE4\xB8\xAD"), "/m/\xE4\xB8\xAD/");
  EXPECT_EQ(NormalDir("c"), "c/");
  if (Saved)
    ::setenv("LC_ALL", Old.c_str(), 1);
  else
    ::unsetenv("LC_ALL");
}
#endif

TEST(FileNameTest, TrailBytesOfDoubleByteCharactersAreNoSeparators) {
  // 0x95 0x5C is one Shift-JIS character whose second byte has the value of "\".
  const std::string Folder = "C:\\\x95\x5C";
  EXPECT_EQ(NormalDir(Folder, 932), Folder + Sep);
  EXPECT_EQ(NormalDir(Folder, 1252), Folder);
  EXPECT_EQ(ExtractFilePath(Folder + "menu.ini", 932), "C:\\");
  EXPECT_EQ(ExtractFilePath(Folder + "\\menu.ini", 932), Folder + "\\");
}
