// Tests of the Wine text-registry reader: value forms, escapes, key lookup and damaged files.
#include "platform/posix/RegistryHive.h"

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>

#include "support/TempDir.h"
#include "support/TestData.h"

namespace {

const std::string Header = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

// The data of a value that must exist and be of the given type.
std::string Text(const TRegistryHive& Hive, std::string_view Key, std::string_view Name,
                 TRegDataType Type = TRegDataType::rdString) {
  auto Values = Hive.ReadKey(Key);
  if (!Values) return "<no key>";
  auto Data = Values->Find(Name);
  if (!Data) return "<no value>";
  if (Data->DataType != Type) return "<wrong type>";
  return Data->Data;
}

bool HasValue(const TRegistryHive& Hive, std::string_view Key, std::string_view Name) {
  auto Values = Hive.ReadKey(Key);
  return Values && Values->Find(Name).has_value();
}

// Every value form of the hive files Wine writes, in one key.
const std::string GameHive = TestData("registry/game.reg");

TEST(RegistryHiveTest, ReadsEachValueForm) {
  TRegistryHive Hive(GameHive);
  const char* Key = "Software\\Vendor\\Game";
  EXPECT_EQ(Text(Hive, Key, ""), "default text");
  EXPECT_EQ(Text(Hive, Key, "InstallPath"), "C:\\Games\\Game\\game.exe");
  EXPECT_EQ(Text(Hive, Key, "Expand", TRegDataType::rdExpandString), "%ProgramFiles%\\Game");
  EXPECT_EQ(Text(Hive, Key, "Multi", TRegDataType::rdOther), "");
  EXPECT_EQ(Text(Hive, Key, "Count", TRegDataType::rdOther), "");
  EXPECT_EQ(Text(Hive, Key, "Blob", TRegDataType::rdOther), "");
  // String data Wine had to write as bytes: UTF-16LE, continued over two lines.
  EXPECT_EQ(Text(Hive, Key, "Wide", TRegDataType::rdExpandString), "C:\\a");
  EXPECT_EQ(Text(Hive, Key, "After"), "still read");
  EXPECT_FALSE(HasValue(Hive, Key, "Missing"));
}

TEST(RegistryHiveTest, KeysAndValueNamesIgnoreLetterCase) {
  TRegistryHive Hive(GameHive);
  EXPECT_EQ(Text(Hive, "SOFTWARE\\vendor\\GaMe", "installpath"), "C:\\Games\\Game\\game.exe");
  EXPECT_EQ(Text(Hive, "software\\vendor\\game", "INSTALLPATH"), "C:\\Games\\Game\\game.exe");
}

TEST(RegistryHiveTest, ParentsOfListedKeysExistWithoutValues) {
  TRegistryHive Hive(GameHive);
  ASSERT_TRUE(Hive.ReadKey("Software").has_value());
  ASSERT_TRUE(Hive.ReadKey("software\\VENDOR").has_value());
  ASSERT_TRUE(Hive.ReadKey("").has_value());
  EXPECT_FALSE(HasValue(Hive, "Software\\Vendor", ""));
  EXPECT_FALSE(Hive.ReadKey("Software\\Vendor\\Game\\Sub").has_value());
  EXPECT_FALSE(Hive.ReadKey("Software\\Vend").has_value());
  EXPECT_FALSE(Hive.ReadKey("Vendor").has_value());
}

TEST(RegistryHiveTest, DecodesEscapes) {
  TRegistryHive Hive(Header + R"([Esc]
"Quote"="say \"hi\" \\ back"
"Controls"="a\tb\nc\rd\ae"
"Latin"="caf\xe9"
"Euro"="\x20ac!"
"FourDigits"="\x0041BC"
"Pair"="\xd83d\xde00"
"Lone"="\xd83dx"
"LoneLow"="\xde00"
"Octal"="\101\60"
"Raw"="Gr)"
                              "\xc3\xbc\xc3\x9f"
                              R"("
"Other"="\q"
)");
  EXPECT_EQ(Text(Hive, "Esc", "Quote"), "say \"hi\" \\ back");
  EXPECT_EQ(Text(Hive, "Esc", "Controls"), "a\tb\nc\rd\ae");
  EXPECT_EQ(Text(Hive, "Esc", "Latin"), "caf\xc3\xa9");
  EXPECT_EQ(Text(Hive, "Esc", "Euro"), "\xe2\x82\xac!");
  EXPECT_EQ(Text(Hive, "Esc", "FourDigits"), "ABC");
  EXPECT_EQ(Text(Hive, "Esc", "Pair"), "\xf0\x9f\x98\x80");
  EXPECT_EQ(Text(Hive, "Esc", "Lone"), "\xef\xbf\xbdx");
  EXPECT_EQ(Text(Hive, "Esc", "LoneLow"), "\xef\xbf\xbd");
  EXPECT_EQ(Text(Hive, "Esc", "Octal"), "A0");
  EXPECT_EQ(Text(Hive, "Esc", "Raw"), "Gr\xc3\xbc\xc3\x9f");
  EXPECT_EQ(Text(Hive, "Esc", "Other"), "q");
}

TEST(RegistryHiveTest, EscapesInKeyAndValueNames) {
  TRegistryHive Hive(Header + R"([Software\\Caf\xe9\\Odd\]Name] 0
"Say \"x\""="1"
)");
  EXPECT_EQ(Text(Hive, "software\\caf\xc3\xa9\\odd]name", "say \"x\""), "1");
  EXPECT_TRUE(Hive.ReadKey("Software\\Caf\xc3\xa9").has_value());
}

TEST(RegistryHiveTest, DataEndsAtFirstNul) {
  TRegistryHive Hive(Header + R"([K]
"Plain"="C:\\a.exe\0junk"
"Expand"=str(2):"x\0y"
"Bytes"=hex(1):41,00,00,00,42,00
"Empty"="\0tail"
)");
  EXPECT_EQ(Text(Hive, "K", "Plain"), "C:\\a.exe");
  EXPECT_EQ(Text(Hive, "K", "Expand", TRegDataType::rdExpandString), "x");
  EXPECT_EQ(Text(Hive, "K", "Bytes"), "A");
  EXPECT_EQ(Text(Hive, "K", "Empty"), "");
}

TEST(RegistryHiveTest, SkipsMalformedValueLines) {
  TRegistryHive Hive(Header + R"([K]
garbage line
"NoEquals"
"Unterminated"="abc
"BadName="1"
"BadDword"=dword:xyz
"LongDword"=dword:123456789
"BadHex"=hex:0g
"BadList"=hex:01,,02
"BadType"=str(zz):"a"
"TypeWithoutQuote"=str(2):abc
"Trailing"="a" junk
"Unknown"=float:1.0
"Dangling"="ends in \
"Good"="ok"
)");
  for (const char* Name :
       {"NoEquals", "BadName=", "Unterminated", "BadDword", "LongDword", "BadHex", "BadList",
        "BadType", "TypeWithoutQuote", "Trailing", "Unknown", "Dangling"})
    EXPECT_FALSE(HasValue(Hive, "K", Name)) << Name;
  EXPECT_EQ(Text(Hive, "K", "Good"), "ok");
}

TEST(RegistryHiveTest, ContinuationDoesNotSwallowTheNextValue) {
  TRegistryHive Hive(Header + R"([K]
"Cut"=hex:01,02,\
"Next"="n"
"Last"=hex(2):41,00,\
)");
  EXPECT_FALSE(HasValue(Hive, "K", "Cut"));
  EXPECT_EQ(Text(Hive, "K", "Next"), "n");
  EXPECT_FALSE(HasValue(Hive, "K", "Last"));
}

TEST(RegistryHiveTest, HeaderWithoutBracketIsNoKeyAndEndsThePreviousOne) {
  TRegistryHive Hive(Header + R"([A]
"X"="1"
[B\\C
"Y"="2"
[D]
"Z"="3"
)");
  EXPECT_EQ(Text(Hive, "A", "X"), "1");
  EXPECT_FALSE(HasValue(Hive, "A", "Y"));
  EXPECT_FALSE(Hive.ReadKey("B\\C").has_value());
  EXPECT_FALSE(Hive.ReadKey("B").has_value());
  EXPECT_EQ(Text(Hive, "D", "Z"), "3");
}

TEST(RegistryHiveTest, RepeatedKeyMergesAndLaterValueWins) {
  TRegistryHive Hive(Header + R"([A]
"X"="1"
"Y"="y"
[B]
[a]
"x"="2"
)");
  EXPECT_EQ(Text(Hive, "A", "X"), "2");
  EXPECT_EQ(Text(Hive, "A", "Y"), "y");
}

TEST(RegistryHiveTest, AcceptsCrLfLineEnds) {
  TRegistryHive Hive(
      "WINE REGISTRY Version 2\r\n[A] 1\r\n\"X\"=\"1\"\r\n\"B\"=hex(2):41,00,\\\r\n  42,00\r\n");
  EXPECT_EQ(Text(Hive, "A", "X"), "1");
  EXPECT_EQ(Text(Hive, "A", "B", TRegDataType::rdExpandString), "AB");
}

TEST(RegistryHiveTest, TextWithoutSignatureIsEmpty) {
  for (const std::string& Bad :
       {std::string(), std::string("[A]\n\"X\"=\"1\"\n"), std::string("WINE REGISTRY Version 1\n"),
        std::string("WINE REGISTRY Version 23\n[A]\n")}) {
    TRegistryHive Hive(Bad);
    EXPECT_FALSE(Hive.ReadKey("").has_value()) << Bad;
    EXPECT_FALSE(Hive.ReadKey("A").has_value()) << Bad;
  }
  EXPECT_TRUE(TRegistryHive(Header).ReadKey("").has_value());
}

// Every cut of a file must parse, and a value it still shows must be the whole value: a string
// cut before its closing quote is no value at all.
TEST(RegistryHiveTest, TruncatedAnywhereNeverShowsPartOfAString) {
  for (std::size_t Size = 0; Size <= GameHive.size(); ++Size) {
    TRegistryHive Hive(GameHive.substr(0, Size));
    auto Values = Hive.ReadKey("Software\\Vendor\\Game");
    if (!Values) continue;
    if (auto Data = Values->Find("InstallPath")) {
      EXPECT_EQ(Data->Data, "C:\\Games\\Game\\game.exe") << "cut at " << Size;
    }
    if (auto Data = Values->Find("After")) {
      EXPECT_EQ(Data->Data, "still read") << "cut at " << Size;
    }
  }
}

TEST(RegistryHiveTest, SurvivesArbitraryBytes) {
  std::string Text = Header;
  unsigned State = 12345;
  for (int I = 0; I < 20000; ++I) {
    State = State * 1103515245 + 12345;
    static const char Alphabet[] = "[]\\\"@=:,()x0123456789abcdefhstrwod\n\r\t #;";
    Text += Alphabet[(State >> 16) % (sizeof(Alphabet) - 1)];
  }
  TRegistryHive Hive(Text);
  ASSERT_TRUE(Hive.ReadKey("").has_value());
  // Reading every key the damaged text declares must terminate without fault.
  std::size_t Pos = 0;
  while ((Pos = Text.find("\n[", Pos)) != std::string::npos) {
    ++Pos;
    std::size_t End = Text.find(']', Pos);
    if (End != std::string::npos)
      Hive.ReadKey(std::string_view(Text).substr(Pos + 1, End - Pos - 1));
  }
}

// One header of 40000 parts: 80 KB of text. Every parent must be found, and the index must not
// hold each parent's name apart (that would be 1.6 GB).
TEST(RegistryHiveTest, EveryParentOfADeepKeyIsFoundWithoutCopiesOfItsName) {
  constexpr int Parts = 40000;
  std::string Name = "a";
  for (int I = 1; I < Parts; ++I) Name += "\\\\a";
  TRegistryHive Hive(Header + "[" + Name + "]\n\"V\"=\"deep\"\n");
  std::string Path = "A";
  for (int I = 1; I < 50; ++I) {
    EXPECT_TRUE(Hive.ReadKey(Path).has_value()) << I;
    Path += "\\a";
  }
  std::string Whole = "a";
  for (int I = 1; I < Parts; ++I) Whole += "\\a";
  EXPECT_EQ(Text(Hive, Whole, "V"), "deep");
  EXPECT_FALSE(Hive.ReadKey(Whole + "\\a").has_value());
}

// A key of 100000 values referred to 2000 times: parsed once (parsing it for every reference
// would take minutes), and what each reference sees is the same.
TEST(RegistryHiveTest, AKeyReadManyTimesIsParsedOnce) {
  std::string Text = Header + "[Big]\n";
  for (int I = 0; I < 100000; ++I)
    Text += "\"V" + std::to_string(I) + "\"=\"" + std::to_string(I) + "\"\n";
  const TRegistryHive Hive(Text);
  for (int I = 0; I < 2000; ++I) {
    auto Values = Hive.ReadKey("big");
    ASSERT_TRUE(Values.has_value());
    auto Data = Values->Find("v" + std::to_string(I * 50));
    ASSERT_TRUE(Data.has_value());
    ASSERT_EQ(Data->Data, std::to_string(I * 50));
  }
}

// A copy of a key's values changed by its holder leaves the hive's own unchanged.
TEST(RegistryHiveTest, ChangingTheValuesOfAReadKeyLeavesTheHives) {
  const TRegistryHive Hive(GameHive);
  auto Values = Hive.ReadKey("Software\\Vendor\\Game");
  ASSERT_TRUE(Values.has_value());
  Values->Set("After", TRegData{TRegDataType::rdString, "changed"});
  EXPECT_EQ(Values->Find("After")->Data, "changed");
  EXPECT_EQ(Text(Hive, "Software\\Vendor\\Game", "After"), "still read");
}

TEST(RegistryHiveTest, LoadsFromFile) {
  TTempDir Dir;
  TRegistryHive Hive = TRegistryHive::Load(Dir.Write("system.reg", GameHive));
  EXPECT_EQ(Text(Hive, "Software\\Vendor\\Game", "After"), "still read");
}

TEST(RegistryHiveTest, MissingFileIsEmpty) {
  TTempDir Dir;
  EXPECT_FALSE(TRegistryHive::Load(Dir.File("system.reg")).ReadKey("").has_value());
  EXPECT_FALSE(TRegistryHive::Load(Dir.Path()).ReadKey("").has_value());
}

TEST(RegistryHiveTest, RefusesFileOverSizeLimit) {
  TTempDir Dir;
  std::string Name = Dir.Write("system.reg", GameHive);
  // Sparse, so the test neither writes nor reads the whole size.
  ASSERT_EQ(::truncate(Name.c_str(), static_cast<off_t>(TRegistryHive::MaxSize + 1)), 0);
  EXPECT_FALSE(TRegistryHive::Load(Name).ReadKey("").has_value());
  // At the limit the file is read, the zero bytes after the text being one line to skip.
  ASSERT_EQ(::truncate(Name.c_str(), static_cast<off_t>(TRegistryHive::MaxSize)), 0);
  EXPECT_EQ(Text(TRegistryHive::Load(Name), "Software\\Vendor\\Game", "After"), "still read");
  ASSERT_EQ(::truncate(Name.c_str(), static_cast<off_t>(GameHive.size())), 0);
  EXPECT_TRUE(TRegistryHive::Load(Name).ReadKey("").has_value());
}

}  // namespace
