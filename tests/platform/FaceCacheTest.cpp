// The kept font answers: found again by a later run, and dropped whenever what they came from
// may have changed or the file is not one the cache wrote.
#include "platform/freetype/FaceCache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace {

class FaceCacheTest : public testing::Test {
 protected:
  TTempDir Dir;
  std::string CacheFile = Dir.File("cache/ostrel/faces");
  std::string FontFile = Dir.Write("fonts/Serif.ttf", "font bytes");
  std::string ConfigFile = Dir.Write("conf/fonts.conf", "<fontconfig/>");
  TFontRequest Request{"Times New Roman", -19, 700, false, 0, 204, 0};
  TFontMatch Match{FontFile, 0, "Liberation Serif", false, true};

  void KeepAnswer() {
    TFaceCache Cache(CacheFile);
    Cache.Add(Request, 0, Match, {ConfigFile, Dir.File("conf"), Dir.File("absent.conf")});
    Cache.Save();
  }
  std::optional<std::optional<TFontMatch>> FindLater(char32_t Character = 0) const {
    return TFaceCache(CacheFile).Find(Request, Character);
  }
  static void SetModified(const std::string& Path, long Seconds) {
    struct timespec Times[2] = {{Seconds, 0}, {Seconds, 0}};
    utimensat(AT_FDCWD, Path.c_str(), Times, 0);
  }
};

TEST_F(FaceCacheTest, ALaterRunFindsTheAnswersItsFoldersWereMadeFor) {
  KeepAnswer();
  ASSERT_EQ(FindLater(), std::optional<std::optional<TFontMatch>>(Match));

  TFontRequest Other = Request;
  Other.Height = -20;
  EXPECT_FALSE(TFaceCache(CacheFile).Find(Other, 0)) << "another size is another question";
  Other = Request;
  Other.Escapement = 900;
  EXPECT_TRUE(TFaceCache(CacheFile).Find(Other, 0)) << "rotation does not change the face";
}

// Empty tells the matcher that the first request will miss, so that it sets fontconfig up early.
TEST_F(FaceCacheTest, EmptyUntilAnAnswerIsKeptOrReadFromACurrentFile) {
  EXPECT_TRUE(TFaceCache(CacheFile).Empty()) << "no file";
  KeepAnswer();
  EXPECT_FALSE(TFaceCache(CacheFile).Empty());
  SetModified(ConfigFile, 1000);
  EXPECT_TRUE(TFaceCache(CacheFile).Empty()) << "a watched file changed";
  TFaceCache Cache(CacheFile);
  Cache.Add(Request, 0, Match, {ConfigFile});
  EXPECT_FALSE(Cache.Empty());
}

TEST_F(FaceCacheTest, KeepsThatACharacterHasNoFace) {
  TFaceCache Cache(CacheFile);
  Cache.Add(Request, U'\x4E2D', std::nullopt, {ConfigFile});
  Cache.Save();
  const auto Found = FindLater(U'\x4E2D');
  ASSERT_TRUE(Found);
  EXPECT_FALSE(*Found);
  EXPECT_FALSE(FindLater(U'A'));
}

// A script no font has is asked about once for all sizes of a font, not once a size.
TEST_F(FaceCacheTest, WhichFaceHasACharacterIsKeptForEverySize) {
  TFaceCache Cache("");
  Cache.Add(Request, U'\x10000', std::nullopt, {ConfigFile});
  Cache.Add(Request, 0, Match, {ConfigFile});
  TFontRequest Larger = Request;
  Larger.Height = -200;
  EXPECT_TRUE(Cache.Find(Larger, U'\x10000'));
  EXPECT_FALSE(Cache.Find(Larger, 0));
}

TEST_F(FaceCacheTest, AnyChangeOfAWatchedPathDropsEveryAnswer) {
  KeepAnswer();
  SetModified(ConfigFile, 1000);
  EXPECT_FALSE(FindLater()) << "an edited configuration file";

  KeepAnswer();
  Dir.Write("fonts/Sans.ttf", "another font");
  SetModified(FontFile, 2000);
  EXPECT_FALSE(FindLater()) << "a replaced font file";

  KeepAnswer();
  Dir.Write("absent.conf", "<fontconfig/>");
  EXPECT_FALSE(FindLater()) << "a configuration file that appeared";

  KeepAnswer();
  Dir.Write("conf/local.conf", "<fontconfig/>");
  EXPECT_FALSE(FindLater()) << "a file added to a watched folder";
}

TEST_F(FaceCacheTest, AnotherLanguageEnvironmentDropsTheAnswers) {
  const char* Old = std::getenv("LANG");
  const std::string Saved = Old ? Old : "";
  setenv("LANG", "ru_RU.UTF-8", 1);
  KeepAnswer();
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_FALSE(FindLater());
  setenv("LANG", "ru_RU.UTF-8", 1);
  EXPECT_TRUE(FindLater());
  if (Old)
    setenv("LANG", Saved.c_str(), 1);
  else
    unsetenv("LANG");
}

TEST_F(FaceCacheTest, AFileItDidNotWriteIsIgnoredWhole) {
  KeepAnswer();
  const std::string Good = ReadAll(CacheFile);
  ASSERT_NE(Good, "");
  for (const std::string& Bad :
       {Good.substr(0, Good.size() - 1),  // cut short
        Good + "answer\tTimes\t-19\n",    // too few fields
        "ostrel-faces\t2\n" + Good.substr(Good.find('\n') + 1), Good + "watch\tmany\t1\t/x\n",
        Good + "unknown\n", std::string("\0\1\2", 3), std::string()}) {
    Dir.Write("cache/ostrel/faces", Bad);
    EXPECT_FALSE(FindLater()) << Bad;
  }
  Dir.Write("cache/ostrel/faces", Good + std::string(TFaceCache::MaxFileBytes, '#'));
  EXPECT_FALSE(FindLater()) << "a file over the size limit";
}

TEST_F(FaceCacheTest, TextsThatWouldBreakTheFileAreNotKept) {
  TFontRequest Odd = Request;
  Odd.Name = "Times\tNew Roman";
  TFaceCache Cache(CacheFile);
  Cache.Add(Odd, 0, Match, {ConfigFile});
  EXPECT_FALSE(Cache.Find(Odd, 0));
  TFontMatch OddMatch = Match;
  OddMatch.Family = "Serif\nanswer";
  Cache.Add(Request, 0, OddMatch, {ConfigFile});
  EXPECT_FALSE(Cache.Find(Request, 0));
}

TEST_F(FaceCacheTest, WithoutAFileAnswersLastForTheRunOnly) {
  TFaceCache Cache("");
  Cache.Add(Request, 0, Match, {ConfigFile});
  EXPECT_TRUE(Cache.Find(Request, 0));
  EXPECT_FALSE(TFaceCache("").Find(Request, 0));
}

// The file holds no more than its limit; the run keeps every answer, so that it never asks the
// font configuration the same question twice.
TEST_F(FaceCacheTest, TheFileKeepsNoMoreThanItsLimitAndTheRunEveryAnswer) {
  TFaceCache Cache(CacheFile);
  TFontRequest Each = Request;
  for (std::size_t I = 0; I <= TFaceCache::MaxAnswers; ++I) {
    Each.Height = -static_cast<int>(I) - 1;
    Cache.Add(Each, 0, Match, {});
  }
  EXPECT_TRUE(Cache.Find(Each, 0));
  Cache.Save();
  EXPECT_FALSE(TFaceCache(CacheFile).Find(Each, 0));
  Each.Height = -1;
  EXPECT_TRUE(TFaceCache(CacheFile).Find(Each, 0));
}

// Three hundred answers are written in one go when saved, and an unchanged cache is not
// written again.
TEST_F(FaceCacheTest, TheFileIsWrittenOnceWhenSavedAndOnlyWhenChanged) {
  struct stat Info {};
  {
    TFaceCache Cache(CacheFile);
    TFontRequest Each = Request;
    for (int I = 0; I < 300; ++I) {
      Each.Height = -I - 1;
      Cache.Add(Each, 0, Match, {ConfigFile});
    }
    EXPECT_NE(::stat(CacheFile.c_str(), &Info), 0) << "written before it was saved";
    Cache.Save();
  }
  ASSERT_EQ(::stat(CacheFile.c_str(), &Info), 0);
  const ino_t Written = Info.st_ino;
  TFaceCache Again(CacheFile);
  Again.Add(Request, 0, Match, {ConfigFile});
  Again.Save();
  ASSERT_EQ(::stat(CacheFile.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_ino, Written) << "rewritten without a change";
}

}  // namespace
