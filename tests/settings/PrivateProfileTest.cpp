// Tests of the private-profile service: files on disk, the parse cache, defaults and writes.
#include "settings/PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/TempDir.h"

using namespace std::string_literals;

namespace {

std::string Read(const std::string& FileName, const std::string& Section, const std::string& Key,
                 const std::string& Default = "default") {
  return TPrivateProfile::ReadString(FileName, Section, Key, Default);
}

}  // namespace

TEST(PrivateProfileTest, ReadsValuesOrTheDefault) {
  TTempDir Dir;
  const std::string File = Dir.Write("menu.ini", "[Main]\r\nProgCount=3\r\nEmpty=\r\n[Prog_1]\r\n");
  EXPECT_EQ(Read(File, "main", "PROGCOUNT"), "3");
  EXPECT_EQ(Read(File, "Main", "Empty"), "");
  EXPECT_EQ(Read(File, "Main", "Missing"), "default");
  EXPECT_EQ(Read(File, "Prog_1", "Caption"), "default");
  EXPECT_EQ(Read(File, "Prog_2", "Caption"), "default");
}

TEST(PrivateProfileTest, TheDefaultLosesTrailingSpacesOnly) {
  TTempDir Dir;
  const std::string File = Dir.Write("menu.ini", "[s]\nk=v  \n");
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"d  ", "d"}, {"d \t ", "d \t"},   {"  d", "  d"},  {"   ", ""},
      {"", ""},     {"d\x1A ", "d\x1A"}, {"a\0b "s, "a"},
  };
  for (const auto& [Default, Expected] : Cases) {
    SCOPED_TRACE(testing::PrintToString(Default));
    EXPECT_EQ(Read(File, "s", "missing", Default), Expected);
  }
  EXPECT_EQ(Read(File, "s", "k", "d  "), "v");
}

TEST(PrivateProfileTest, AMissingFileOrAFolderIsAnEmptyProfile) {
  TTempDir Dir;
  const std::string Folder = Dir.MakeDir("menu.ini");
  for (const std::string& Name : {Dir.File("absent.ini"), Folder, Dir.File("absent/menu.ini")}) {
    SCOPED_TRACE(Name);
    EXPECT_EQ(Read(Name, "Main", "ProgCount", "1"), "1");
    EXPECT_EQ(Read(Name, "Main", "Caption", "a b  "), "a b");
    EXPECT_TRUE(TPrivateProfile::ReadSectionNames(Name).empty());
    EXPECT_TRUE(TPrivateProfile::ReadKeyNames(Name, "Main").empty());
  }
}

TEST(PrivateProfileTest, ValuesAndDefaultsAreCutToTheBuffer) {
  TTempDir Dir;
  const std::string Long(3000, 'v');
  const std::string File =
      Dir.Write("menu.ini", "[s]\nlong=" + Long + "\nfits=" + Long.substr(0, 2047) +
                                "\nover=" + Long.substr(0, 2048) + "\nquoted=\"" +
                                Long.substr(0, 2047) + "\"\n");
  EXPECT_EQ(Read(File, "s", "long"), Long.substr(0, 2047));
  EXPECT_EQ(Read(File, "s", "fits"), Long.substr(0, 2047));
  EXPECT_EQ(Read(File, "s", "over"), Long.substr(0, 2047));
  EXPECT_EQ(Read(File, "s", "quoted"), Long.substr(0, 2047));
  EXPECT_EQ(Read(File, "s", "missing", std::string(3000, 'd')), std::string(2047, 'd'));
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "long", "d", 10), Long.substr(0, 9));
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "missing", "default", 4), "def");
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "long", "d", 1), "");
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "long", "d", 0), "");
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "missing", "d", 0), "");
}

// "é" is two bytes: a caption of them longer than the buffer ends at the last whole one, and
// stays UTF-8; text that is no UTF-8 is cut at the byte.
TEST(PrivateProfileTest, UtfEightValuesAreCutAtTheLastWholeCharacter) {
  TTempDir Dir;
  std::string Accents;
  for (int I = 0; I < 1500; ++I) Accents += "\xC3\xA9";
  const std::string Code(3000, '\xE9');
  const std::string File = Dir.Write(
      "menu.ini", "[s]\nutf8=a" + Accents + "\neven=" + Accents + "\ncode=" + Code + "\n");
  EXPECT_EQ(Read(File, "s", "utf8"), "a" + Accents.substr(0, 2046));
  EXPECT_EQ(Read(File, "s", "even"), Accents.substr(0, 2046));
  EXPECT_EQ(Read(File, "s", "code"), Code.substr(0, 2047));
  EXPECT_EQ(TPrivateProfile::ReadString(File, "s", "missing", "ab\xC3\xA9", 4), "ab");
}

// A UTF-16 file's unpaired surrogates are shown as the replacement character.
TEST(PrivateProfileTest, LoneSurrogatesOfAUtfSixteenFileReadAsReplacementCharacters) {
  TTempDir Dir;
  std::string Bytes = "\xFF\xFE";
  for (char16_t Unit :
       std::u16string(u"[s]\nk=a") + char16_t{0xD800} + u"b" + char16_t{0xDC01} + u"\n") {
    Bytes += static_cast<char>(Unit & 0xFF);
    Bytes += static_cast<char>(Unit >> 8);
  }
  const std::string File = Dir.Write("menu.ini", Bytes);
  EXPECT_EQ(Read(File, "s", "k"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

// While a hold lives, the file is not looked at again: a change made meanwhile is seen after it.
TEST(PrivateProfileTest, AHeldFileAnswersFromOneParse) {
  TTempDir Dir;
  const std::string File = Dir.Write("menu.ini", "[s]\nk=old\n");
  const std::size_t Before = TPrivateProfile::ParseCount();
  {
    const TPrivateProfile::THold Hold(File);
    const TPrivateProfile::THold Nested(File);
    Dir.Write("menu.ini", "[s]\nk=new, and longer\n");
    EXPECT_EQ(Read(File, "s", "k"), "old");
  }
  EXPECT_EQ(TPrivateProfile::ParseCount(), Before + 1);
  EXPECT_EQ(Read(File, "s", "k"), "new, and longer");
}

TEST(PrivateProfileTest, ListsSectionAndKeyNames) {
  TTempDir Dir;
  const std::string File =
      Dir.Write("menu.ini", "[Main]\nB=1\na=2\nb=3\n[prog_1]\n[MAIN]\nc=4\n[Prog_2]\nx=1\n");
  EXPECT_EQ(TPrivateProfile::ReadSectionNames(File),
            (std::vector<std::string>{"Main", "prog_1", "Prog_2"}));
  EXPECT_EQ(TPrivateProfile::ReadKeyNames(File, "main"), (std::vector<std::string>{"B", "a"}));
  EXPECT_TRUE(TPrivateProfile::ReadKeyNames(File, "prog_1").empty());
}

TEST(PrivateProfileTest, AnUnchangedFileIsParsedOnce) {
  TTempDir Dir;
  std::string Bytes = "[Main]\r\n";
  for (int I = 0; I < 100; ++I)
    Bytes += "Key" + std::to_string(I) + "=" + std::to_string(I) + "\r\n";
  const std::string File = Dir.Write("menu.ini", Bytes);
  TPrivateProfile::ForgetAll();
  const std::size_t Before = TPrivateProfile::ParseCount();
  for (int Round = 0; Round < 3; ++Round)
    for (int I = 0; I < 100; ++I)
      ASSERT_EQ(Read(File, "Main", "Key" + std::to_string(I)), std::to_string(I));
  EXPECT_EQ(TPrivateProfile::ReadSectionNames(File), std::vector<std::string>{"Main"});
  EXPECT_EQ(TPrivateProfile::ParseCount(), Before + 1);

  TPrivateProfile::ForgetAll();
  EXPECT_EQ(Read(File, "Main", "Key7"), "7");
  EXPECT_EQ(TPrivateProfile::ParseCount(), Before + 2);
}

TEST(PrivateProfileTest, AFileChangedOnDiskIsReadAnew) {
  TTempDir Dir;
  const std::string File = Dir.Write("menu.ini", "[s]\nk=1\n");
  EXPECT_EQ(Read(File, "s", "k"), "1");
  const std::size_t Before = TPrivateProfile::ParseCount();
  Dir.Write("menu.ini", "[s]\nk=22\n");
  EXPECT_EQ(Read(File, "s", "k"), "22");
  EXPECT_EQ(Read(File, "s", "k"), "22");
  EXPECT_EQ(TPrivateProfile::ParseCount(), Before + 1);

  std::filesystem::remove(File);
  EXPECT_EQ(Read(File, "s", "k"), "default");
  Dir.MakeDir("menu.ini");
  EXPECT_EQ(Read(File, "s", "k"), "default");
}

TEST(PrivateProfileTest, TheCacheHoldsOnlyAFewFiles) {
  TTempDir Dir;
  std::vector<std::string> Files;
  for (int I = 0; I < 20; ++I)
    Files.push_back(Dir.Write("f" + std::to_string(I) + ".ini", "[s]\nk=" + std::to_string(I)));
  const std::size_t Before = TPrivateProfile::ParseCount();
  for (int Round = 0; Round < 2; ++Round)
    for (int I = 0; I < 20; ++I) EXPECT_EQ(Read(Files[I], "s", "k"), std::to_string(I));
  // The first round's early files made room for the later ones and are parsed again.
  EXPECT_GT(TPrivateProfile::ParseCount(), Before + 20);
}

TEST(PrivateProfileTest, WritesCreateAndEditFiles) {
  TTempDir Dir;
  const std::string File = Dir.File("menu.ini");
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "Main", "ProgCount", "2"));
  EXPECT_EQ(ReadAll(File), "[Main]\r\nProgCount=2\r\n");
  EXPECT_EQ(Read(File, "main", "progcount"), "2");

  // Same size as before: the write itself must drop the cached parse.
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "MAIN", "ProgCount", "3"));
  EXPECT_EQ(Read(File, "main", "progcount"), "3");
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "Main", "Caption", "'quoted'"));
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "Prog_1", "Name", ""));
  EXPECT_EQ(ReadAll(File), "[Main]\r\nProgCount=3\r\nCaption='quoted'\r\n[Prog_1]\r\nName=\r\n");
  EXPECT_EQ(Read(File, "Main", "Caption"), "quoted");

  ASSERT_TRUE(TPrivateProfile::DeleteKey(File, "main", "PROGCOUNT"));
  EXPECT_EQ(Read(File, "Main", "ProgCount"), "default");
  ASSERT_TRUE(TPrivateProfile::EraseSection(File, "prog_1"));
  EXPECT_EQ(ReadAll(File), "[Main]\r\nCaption='quoted'\r\n");
  EXPECT_EQ(TPrivateProfile::ReadSectionNames(File), std::vector<std::string>{"Main"});
}

TEST(PrivateProfileTest, WritesKeepEveryOtherByte) {
  TTempDir Dir;
  const std::string Before = "; menu\n\n[Main]\n  ProgCount = 1 \t\n#x=1\n\n[Prog_1]\nA=\"b\"";
  const std::string File = Dir.Write("menu.ini", Before);
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "Main", "ProgCount", "2"));
  ASSERT_TRUE(TPrivateProfile::WriteString(File, "Prog_1", "B", "c"));
  EXPECT_EQ(ReadAll(File), "; menu\n\n[Main]\nProgCount=2\n#x=1\n\n[Prog_1]\nA=\"b\"\nB=c");

  const std::string Wide = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0"s;
  const std::string WideFile = Dir.Write("wide.ini", Wide);
  EXPECT_EQ(Read(WideFile, "s", "k"), "\xC3\xA9");
  ASSERT_TRUE(TPrivateProfile::WriteString(WideFile, "s", "j", "\xE2\x82\xAC"));
  EXPECT_EQ(ReadAll(WideFile), Wide + "\r\0\n\0j\0=\0\xAC\x20"s);
  EXPECT_EQ(Read(WideFile, "s", "j"), "\xE2\x82\xAC");
}

TEST(PrivateProfileTest, WritesThatWouldBreakTheFileAreRefused) {
  TTempDir Dir;
  const std::string Before = "[s]\nk=1\n";
  const std::string File = Dir.Write("menu.ini", Before);
  const std::vector<std::tuple<std::string, std::string, std::string>> Cases = {
      {"", "k", "v"},    {"s", "", "v"},     {"s]", "k", "v"},   {"s\nx", "k", "v"},
      {"s\r", "k", "v"}, {"s\0"s, "k", "v"}, {"s", "k=x", "v"},  {"s", "[k", "v"},
      {"s", ";k", "v"},  {"s", "k\n", "v"},  {"s", "k\0"s, "v"}, {"s", "k", "a\nb"},
      {"s", "k", "a\r"}, {"s", "k", "a\0"s}, {" s", "k", "v"},   {"s", "k ", "v"},
  };
  for (const auto& [Section, Key, Value] : Cases) {
    SCOPED_TRACE(testing::PrintToString(Section) + " " + testing::PrintToString(Key) + " " +
                 testing::PrintToString(Value));
    EXPECT_FALSE(TPrivateProfile::WriteString(File, Section, Key, Value));
    EXPECT_FALSE(TPrivateProfile::WriteString(Dir.File("new.ini"), Section, Key, Value));
  }
  EXPECT_EQ(ReadAll(File), Before);
  EXPECT_FALSE(std::filesystem::exists(Dir.File("new.ini")));
}

TEST(PrivateProfileTest, RemovingWhatIsMissingSucceedsWithoutWriting) {
  TTempDir Dir;
  const std::string Absent = Dir.File("absent.ini");
  EXPECT_TRUE(TPrivateProfile::DeleteKey(Absent, "s", "k"));
  EXPECT_TRUE(TPrivateProfile::EraseSection(Absent, "s"));
  EXPECT_FALSE(std::filesystem::exists(Absent));

  const std::string File = Dir.Write("menu.ini", "[s]\nk=1");
  EXPECT_TRUE(TPrivateProfile::DeleteKey(File, "s", "j"));
  EXPECT_TRUE(TPrivateProfile::DeleteKey(File, "t", "k"));
  EXPECT_TRUE(TPrivateProfile::EraseSection(File, "t"));
  EXPECT_EQ(ReadAll(File), "[s]\nk=1");
}

TEST(PrivateProfileTest, WritesFailWhereNoFileCanBe) {
  TTempDir Dir;
  const std::string Folder = Dir.MakeDir("menu.ini");
  EXPECT_FALSE(TPrivateProfile::WriteString(Folder, "s", "k", "v"));
  EXPECT_FALSE(TPrivateProfile::DeleteKey(Folder, "s", "k"));
  EXPECT_FALSE(TPrivateProfile::EraseSection(Folder, "s"));
  EXPECT_FALSE(TPrivateProfile::WriteString(Dir.File("absent/menu.ini"), "s", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(Folder));
}

TEST(PrivateProfileTest, AValueThatCrossesTheSizeLimitIsCutAtIt) {
  TTempDir Dir;
  std::string Bytes = "[s]\n;";
  Bytes.resize(TPrivateProfile::MaxFileSize - std::string("\nk=ab").size(), 'x');
  Bytes += "\nk=ab";
  ASSERT_EQ(Bytes.size(), TPrivateProfile::MaxFileSize);
  const std::string File = Dir.Write("edge.ini", Bytes + "cd\nj=w\n");
  EXPECT_EQ(Read(File, "s", "k"), "ab") << "read up to the last byte within the limit, no further";
  EXPECT_EQ(Read(File, "s", "j"), "default");
}

TEST(PrivateProfileTest, BytesPastTheLimitAreNotSeenAndTheFileIsNotRewritten) {
  TTempDir Dir;
  std::string Bytes = "[s]\nk=v\n;";
  Bytes.resize(TPrivateProfile::MaxFileSize, 'x');
  Bytes += "\nj=w\n";
  const std::string File = Dir.Write("big.ini", Bytes);
  EXPECT_EQ(Read(File, "s", "k"), "v");
  EXPECT_EQ(Read(File, "s", "j"), "default");
  EXPECT_FALSE(TPrivateProfile::WriteString(File, "s", "k", "2"));
  EXPECT_FALSE(TPrivateProfile::DeleteKey(File, "s", "k"));
  EXPECT_EQ(std::filesystem::file_size(File), Bytes.size());
}
