// Tests of the INI-style text parser and its edits: grammar edges, encodings, malformed input.
#include "settings/ProfileText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace std::string_literals;

namespace {

std::optional<std::string> ValueOf(const std::string& Bytes, std::string_view Section,
                                   std::string_view Key) {
  const TProfileText Text(Bytes);
  const std::optional<std::string_view> Found = Text.Value(Section, Key);
  if (!Found) return std::nullopt;
  return std::string(*Found);
}

std::vector<std::string> AsStrings(const std::vector<std::string_view>& Views) {
  return std::vector<std::string>(Views.begin(), Views.end());
}

// UTF-16LE bytes of Text, with the byte-order mark in front.
std::string Utf16File(std::u16string_view Text) {
  std::string Bytes = "\xFF\xFE";
  for (char16_t Unit : Text) {
    Bytes += static_cast<char>(Unit & 0xFF);
    Bytes += static_cast<char>(Unit >> 8);
  }
  return Bytes;
}

struct TLookupCase {
  std::string Bytes;
  std::string Section;
  std::string Key;
  std::optional<std::string> Expected;
};

void CheckLookups(const std::vector<TLookupCase>& Cases) {
  for (const TLookupCase& Case : Cases) {
    SCOPED_TRACE(testing::Message()
                 << "file \"" << Case.Bytes << "\" [" << Case.Section << "] " << Case.Key);
    EXPECT_EQ(ValueOf(Case.Bytes, Case.Section, Case.Key), Case.Expected);
  }
}

}  // namespace

TEST(ProfileTextTest, LinesEndAtCrLfOrAnyRunOfThem) {
  for (const std::string Break : {"\r", "\n", "\r\n", "\n\r", "\r\r\n\n\r", "\n\n\n", "\r\n\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(Break));
    const std::string Bytes = "[s]" + Break + "k=v" + Break + "j=w" + Break + "[t]" + Break + "x=y";
    EXPECT_EQ(ValueOf(Bytes, "s", "k"), "v");
    EXPECT_EQ(ValueOf(Bytes, "s", "j"), "w");
    EXPECT_EQ(ValueOf(Bytes, "t", "x"), "y");
    EXPECT_EQ(ValueOf(Bytes + Break, "t", "x"), "y");
  }
}

TEST(ProfileTextTest, LinesAreTrimmedOfBlanksAndEndOfFileMarks) {
  CheckLookups({
      {"[s]\n \t\x0B\x0C\x1Ak=v \t\x1A\x0B\x0C\n", "s", "k", "v"},
      {"[s]\nk\x1A\t =\x1A\t v", "s", "k", "v"},
      {"  \t[ s ]\t \nk=v", "s", "k", "v"},
      {"[s]\nk= a  b \t", "s", "k", "a  b"},
      {"[s]\r\nk=v\r\n\x1A", "s", "k", "v"},
      {"[s]\r\nk=v\x1A", "s", "k", "v"},
      {"[s]\n\n  \t \n\x1A\nk=v", "s", "k", "v"},
  });
}

TEST(ProfileTextTest, HeadersNameTheTextUpToTheFirstClosingBracket) {
  CheckLookups({
      {"[s]\nk=v", "s", "k", "v"},
      {"[ s ]\nk=v", "s", "k", "v"},
      {"[\t s \x1A]\nk=v", "s", "k", "v"},
      {"[s] and the rest\nk=v", "s", "k", "v"},
      {"[s]x]\nk=v", "s", "k", "v"},
      {"[s\nk=v", "s", "k", "v"},
      {"[ s  \nk=v", "s", "k", "v"},
      {"[]\nk=v", "", "k", "v"},
      {"[ ]\nk=v", "", "k", "v"},
      {"[a b]\nk=v", "a b", "k", "v"},
      {"[[s]]\nk=v", "[s", "k", "v"},
      {"[s=t]\nk=v", "s=t", "k", "v"},
      {"[s]\nk=v", "s ", "k", std::nullopt},
      {"[s]\nk=v", "[s]", "k", std::nullopt},
  });
}

TEST(ProfileTextTest, LinesBeforeTheFirstHeaderBelongToNoSection) {
  const std::string Bytes = "k=top\n=x\n[s]\nj=v\n";
  EXPECT_EQ(ValueOf(Bytes, "", "k"), std::nullopt);
  EXPECT_EQ(ValueOf(Bytes, "s", "k"), std::nullopt);
  EXPECT_EQ(ValueOf(Bytes, "", ""), std::nullopt);
  EXPECT_EQ(AsStrings(TProfileText(Bytes).SectionNames()), std::vector<std::string>{"s"});
}

TEST(ProfileTextTest, KeyLinesSplitAtTheFirstEqualsSign) {
  CheckLookups({
      {"[s]\nk=a=b", "s", "k", "a=b"},
      {"[s]\nk = v", "s", "k", "v"},
      {"[s]\na b = v", "s", "a b", "v"},
      {"[s]\nk==v", "s", "k", "=v"},
      {"[s]\nk", "s", "k", std::nullopt},
      {"[s]\nk v", "s", "k", std::nullopt},
      {"[s]\nk=", "s", "k", ""},
      {"[s]\nk=  \t", "s", "k", ""},
      {"[s]\n=v", "s", "", "v"},
      {"[s]\nk=v", "s", "k ", std::nullopt},
  });
}

TEST(ProfileTextTest, OnlyLinesStartingWithSemicolonAreComments) {
  CheckLookups({
      {"[s]\n;k=v", "s", "k", std::nullopt},
      {"[s]\n;k=v", "s", ";k", std::nullopt},
      {"[s]\n \t;k=v", "s", "k", std::nullopt},
      {"[s]\n#k=v", "s", "#k", "v"},
      {"[s]\n#k=v", "s", "k", std::nullopt},
      {"[s]\nk=v ; note", "s", "k", "v ; note"},
      {"[s]\nk;x=v", "s", "k;x", "v"},
      {"[s]\nk=v#w", "s", "k", "v#w"},
      {";[t]\nk=v", "t", "k", std::nullopt},
  });
}

TEST(ProfileTextTest, MatchingIgnoresAsciiLetterCaseOnly) {
  CheckLookups({
      {"[Main]\nKeyName=v", "MAIN", "keyname", "v"},
      {"[main]\nkeyname=v", "Main", "KeyName", "v"},
      {"[\xC4]\nk=v", "\xE4", "k", std::nullopt},
      {"[s]\n\xC4=v", "s", "\xE4", std::nullopt},
      {"[s]\n\xC4=v", "s", "\xC4", "v"},
  });
}

TEST(ProfileTextTest, QuotesAroundTheWholeValueGoOncePerPair) {
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"\"v\"", "v"},     {"'v'", "v"},         {"\"\"", ""},           {"''", ""},
      {"\"", "\""},       {"'", "'"},           {"\"v'", "\"v'"},       {"'v\"", "'v\""},
      {"\"v", "\"v"},     {"v\"", "v\""},       {"\"\"v\"\"", "\"v\""}, {"  \"v\"  ", "v"},
      {"\" v \"", " v "}, {"a\"b\"", "a\"b\""}, {"\"a\"b", "\"a\"b"},   {"'a=b;c'", "a=b;c"},
  };
  for (const auto& [Written, Read] : Cases) {
    SCOPED_TRACE(Written);
    EXPECT_EQ(ValueOf("[s]\nk=" + Written, "s", "k"), Read);
  }
}

TEST(ProfileTextTest, ValuesEndAtTheirFirstNulByte) {
  CheckLookups({
      {"[s]\nk=a\0b"s, "s", "k", "a"},
      {"[s]\nk=\0b"s, "s", "k", ""},
      {"[s]\nk=\"a\0b\""s, "s", "k", "a"},
      {"[s]\nk=v\n\0\0\0\nj=w"s, "s", "j", "w"},
      {"[s\0x]\nk=v"s, "s\0x"s, "k", "v"},
      {"[s\0x]\nk=v"s, "s", "k", std::nullopt},
  });
}

TEST(ProfileTextTest, TheFirstSectionAndTheFirstKeyOfANameWin) {
  const std::string Bytes =
      "[s]\nk=1\nk=2\nK=3\nb=4\n[S]\nk=5\nj=6\n[t]\nx=7\n[s]\nm=8\n[T]\nx=9\n";
  const TProfileText Text(Bytes);
  EXPECT_EQ(Text.Value("s", "k"), "1");
  EXPECT_EQ(Text.Value("s", "j"), std::nullopt);
  EXPECT_EQ(Text.Value("s", "m"), std::nullopt);
  EXPECT_EQ(Text.Value("t", "x"), "7");
  EXPECT_EQ(AsStrings(Text.SectionNames()), (std::vector<std::string>{"s", "t"}));
  EXPECT_EQ(AsStrings(Text.KeyNames("S")), (std::vector<std::string>{"k", "b"}));
  EXPECT_TRUE(Text.KeyNames("missing").empty());
}

TEST(ProfileTextTest, NamesComeInFileOrderAsFirstSpelt) {
  const TProfileText Text("[Zeta]\nb=1\nA=2\nB=3\nc\n;d=4\nc=5\n[alpha]\n[ZETA]\nq=1\n[Mid]\n");
  EXPECT_EQ(AsStrings(Text.SectionNames()), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  EXPECT_EQ(AsStrings(Text.KeyNames("zeta")), (std::vector<std::string>{"b", "A", "c"}));
  EXPECT_TRUE(Text.KeyNames("alpha").empty());
  EXPECT_TRUE(TProfileText("").SectionNames().empty());
}

TEST(ProfileTextTest, ByteOrderMarksChooseTheEncoding) {
  CheckLookups({
      {"\xEF\xBB\xBF[s]\r\nk=v", "s", "k", "v"},
      {"\xEF\xBB\xBFk=v\n[s]", "s", "k", std::nullopt},
      {"[s]\n\xEF\xBB\xBFk=v", "s", "\xEF\xBB\xBFk", "v"},
      {"[s]\nk=\xE9\xFF\x80", "s", "k", "\xE9\xFF\x80"},
      {Utf16File(u"[s]\r\nk=v\r\n"), "s", "k", "v"},
      {Utf16File(u"[s\u00E9]\r\nk=\u00E9\u20AC\U0001F600"), "s\xC3\xA9", "k",
       "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {Utf16File(u"[s]\r\nk=\xDC00\xD800z"), "s", "k", "\xED\xB0\x80\xED\xA0\x80z"},
      {Utf16File(u"[s]\r\nk=v") + "\x41", "s", "k", "v"},
      {Utf16File(u"[s]\r\nk=a\0b"s), "s", "k", "a"},
      {"\xFE\xFF\0[\0s\0]"s, "s", "k", std::nullopt},
  });
}

TEST(ProfileTextTest, VeryLongLinesAreReadWhole) {
  const std::string Long(10u << 20, 'x');
  const TProfileText Value("[s]\nk=" + Long + "\nj=w");
  EXPECT_EQ(Value.Value("s", "k"), Long);
  EXPECT_EQ(Value.Value("s", "j"), "w");
  EXPECT_EQ(ValueOf("[s]\n" + Long + "\nk=v", "s", "k"), "v");
  EXPECT_EQ(ValueOf("[" + Long, Long, "k"), std::nullopt);
  EXPECT_EQ(AsStrings(TProfileText("[" + Long).SectionNames()), std::vector<std::string>{Long});
}

TEST(ProfileTextTest, ManyLinesWithoutEqualsSignsAreReadInOnePass) {
  std::string Bytes = "[s]\n";
  for (int I = 0; I < 200000; ++I) Bytes += "abc\n";
  Bytes += "k=v";
  EXPECT_EQ(ValueOf(Bytes, "s", "k"), "v");
}

namespace {

struct TEditCase {
  std::string Name;
  std::string Before;
  std::string Section;
  std::string Key;
  std::string Value;
  std::string After;
};

}  // namespace

TEST(ProfileTextTest, SettingAValueChangesOnlyItsLine) {
  const std::vector<TEditCase> Cases = {
      {"replace", "[s]\r\nk=1\r\nj=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nj=2\r\n"},
      {"replace whole line", "[s]\n \tk = 1 ; c \n;x\nj=2\n", "s", "k", "9", "[s]\nk=9\n;x\nj=2\n"},
      {"caller's spelling", "[S]\nK=1\n", "s", "k", "9", "[S]\nk=9\n"},
      {"first duplicate", "[s]\nk=1\nk=2\n", "s", "k", "9", "[s]\nk=9\nk=2\n"},
      {"empty value", "[s]\nk=1\n", "s", "k", "", "[s]\nk=\n"},
      {"no final break", "[s]\nk=1", "s", "k", "9", "[s]\nk=9"},
      {"before blank lines", "[s]\nk=1\n\n \n[t]\nx=1\n", "s", "j", "2",
       "[s]\nk=1\nj=2\n\n \n[t]\nx=1\n"},
      {"after a comment", "[s]\nk=1\n;note\n\n[t]\n", "s", "j", "2",
       "[s]\nk=1\n;note\nj=2\n\n[t]\n"},
      {"after a header alone", "[s]\r\n[t]\r\n", "s", "j", "2", "[s]\r\nj=2\r\n[t]\r\n"},
      {"insert at end", "[s]\nk=1", "s", "j", "2", "[s]\nk=1\nj=2"},
      {"insert after a last header", "[s]", "s", "j", "2", "[s]\r\nj=2"},
      {"before an end mark", "[s]\r\nk=1\r\n\x1A", "s", "j", "2", "[s]\r\nk=1\r\nj=2\r\n\x1A"},
      {"first of duplicate sections", "[s]\nk=1\n[s]\nj=1\n", "s", "j", "2",
       "[s]\nk=1\nj=2\n[s]\nj=1\n"},
      {"append", "[s]\nk=1\n", "t", "k", "2", "[s]\nk=1\n[t]\nk=2\n"},
      {"append without final break", "[s]\r\nk=1", "t", "k", "2", "[s]\r\nk=1\r\n[t]\r\nk=2\r\n"},
      {"append after trailing blanks", "[s]\nk=1\n  ", "t", "k", "2", "[s]\nk=1\n  \n[t]\nk=2\n"},
      {"append to empty", "", "t", "k", "2", "[t]\r\nk=2\r\n"},
      {"append to a top line", "; top", "t", "k", "2", "; top\r\n[t]\r\nk=2\r\n"},
      {"append with CR", "[s]\rk=1\r", "t", "k", "2", "[s]\rk=1\r[t]\rk=2\r"},
      {"append with LF CR", "[s]\n\rk=1\n\r", "t", "k", "2", "[s]\n\rk=1\n\r[t]\n\rk=2\n\r"},
      {"first break decides", "; a\nb\r\n", "t", "k", "2", "; a\nb\r\n[t]\nk=2\n"},
      {"top lines kept", "k=0\n\n[s]\nk=1\n", "s", "k", "2", "k=0\n\n[s]\nk=2\n"},
      {"key only in a duplicate", "[s]\n[s]\nk=1\n", "s", "k", "2", "[s]\nk=2\n[s]\nk=1\n"},
  };
  for (const TEditCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(TProfileText(Case.Before).WithValue(Case.Section, Case.Key, Case.Value), Case.After);
  }
}

TEST(ProfileTextTest, DeletingAKeyRemovesOnlyItsLine) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::optional<std::string>>>
      Cases = {
          {"[s]\r\nk=1\r\nj=2\r\n", "s", "k", "[s]\r\nj=2\r\n"},
          {"[s]\nk=1\nj=2", "s", "j", "[s]\nk=1\n"},
          {"[s]\nk=1\n\n[t]", "s", "k", "[s]\n\n[t]"},
          {"[S]\n  K = 1\n;c\n", "s", "k", "[S]\n;c\n"},
          {"[s]\nk=1\nk=2\n", "s", "k", "[s]\nk=2\n"},
          {"[s]\rk=1\rj=2\r", "s", "k", "[s]\rj=2\r"},
          {"[s]\nk=1\n", "s", "j", std::nullopt},
          {"[s]\nk=1\n", "t", "k", std::nullopt},
          {"[s]\n[s]\nk=1\n", "s", "k", std::nullopt},
          {"k=1\n[s]\n", "", "k", std::nullopt},
          {"", "s", "k", std::nullopt},
      };
  for (const auto& [Before, Section, Key, After] : Cases) {
    SCOPED_TRACE(Before);
    EXPECT_EQ(TProfileText(Before).WithoutKey(Section, Key), After);
  }
}

TEST(ProfileTextTest, ErasingASectionRemovesItsLinesUpToTheNextHeader) {
  const std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> Cases = {
      {"[a]\nx=1\n\n[b]\ny=2\n;c\n\n[c]\nz=3\n", "b", "[a]\nx=1\n\n[c]\nz=3\n"},
      {"[a]\nx=1\n[b]\ny=2", "B", "[a]\nx=1\n"},
      {";top\n[a]\nx=1\n  [b]\n", "a", ";top\n  [b]\n"},
      {"[a]\nx=1\n[b]\n[A]\nx=2\n", "a", "[b]\n[A]\nx=2\n"},
      {"[a]\r\n", "a", ""},
      {"[a]\nx=1\n", "b", std::nullopt},
      {"", "a", std::nullopt},
  };
  for (const auto& [Before, Section, After] : Cases) {
    SCOPED_TRACE(Before);
    EXPECT_EQ(TProfileText(Before).WithoutSection(Section), After);
  }
}

TEST(ProfileTextTest, EditsKeepTheFileEncoding) {
  EXPECT_EQ(TProfileText("\xEF\xBB\xBF[s]\r\nk=1\r\n").WithValue("s", "k", "2"),
            "\xEF\xBB\xBF[s]\r\nk=2\r\n");
  EXPECT_EQ(TProfileText("\xEF\xBB\xBF").WithValue("s", "k", "2"), "\xEF\xBB\xBF[s]\r\nk=2\r\n");

  const std::string Wide = Utf16File(u"[s]\r\nk=\u00E9\r\nx=\xDC00\xD800z\U0001F600\r\n[t]\r\n");
  EXPECT_EQ(TProfileText(Wide).WithValue("s", "k", "\xC3\xBC"),
            Utf16File(u"[s]\r\nk=\u00FC\r\nx=\xDC00\xD800z\U0001F600\r\n[t]\r\n"));
  EXPECT_EQ(TProfileText(Wide).WithValue("s", "j", "\xE2\x82\xAC"),
            Utf16File(u"[s]\r\nk=\u00E9\r\nx=\xDC00\xD800z\U0001F600\r\nj=\u20AC\r\n[t]\r\n"));
  EXPECT_EQ(TProfileText(Wide).WithoutKey("s", "k"),
            Utf16File(u"[s]\r\nx=\xDC00\xD800z\U0001F600\r\n[t]\r\n"));
  EXPECT_EQ(TProfileText(Wide).WithoutSection("t"),
            Utf16File(u"[s]\r\nk=\u00E9\r\nx=\xDC00\xD800z\U0001F600\r\n"));
  // Bytes that are no UTF-8 cannot be kept in a UTF-16 file; each becomes one replacement mark.
  EXPECT_EQ(TProfileText(Utf16File(u"[s]\n")).WithValue("s", "k", "\xFF\xC3"),
            Utf16File(u"[s]\nk=\uFFFD\uFFFD\n"));
}

TEST(ProfileTextTest, WritableRefusesWhatWouldBreakTheFile) {
  const std::vector<std::tuple<std::string, std::string, std::string, bool>> Cases = {
      {"s", "k", "v", true},      {"a b", "k x", "v;#[]=\"'", true},
      {"s", "k", "", true},       {"s", "k", "  v  ", true},
      {"[s", "k]", "v", true},    {"s", "#k", "v", true},
      {"", "k", "v", false},      {"s", "", "v", false},
      {"s]", "k", "v", false},    {"s\r", "k", "v", false},
      {"s\nx", "k", "v", false},  {"s\0"s, "k", "v", false},
      {"s", "k\r", "v", false},   {"s", "k\n", "v", false},
      {"s", "k\0"s, "v", false},  {"s", "k=x", "v", false},
      {"s", "[k", "v", false},    {"s", ";k", "v", false},
      {"s", "k", "a\rb", false},  {"s", "k", "a\nb", false},
      {"s", "k", "a\0b"s, false}, {" s", "k", "v", false},
      {"s\t", "k", "v", false},   {"s", " k", "v", false},
      {"s", " [k", "v", false},   {"s", "k\x1A", "v", false},
  };
  for (const auto& [Section, Key, Value, Expected] : Cases) {
    SCOPED_TRACE(testing::PrintToString(Section) + " " + testing::PrintToString(Key) + " " +
                 testing::PrintToString(Value));
    EXPECT_EQ(TProfileText::Writable(Section, Key, Value), Expected);
  }
}

TEST(ProfileTextTest, ListedLinesKeepRepeatsAndCountEveryKindOfLineBreak) {
  const std::string Bytes =
      "; note\r\n[Main]\r\nA = \"1\"\r[main]\nA=2\n\r\nstray\n[T]\r\nA=3\r\nA=4";
  const std::vector<TProfileText::TLine> Lines = TProfileText::Lines(Bytes);
  ASSERT_EQ(Lines.size(), 7u);
  const auto Line = [&](std::size_t I) {
    return std::to_string(Lines[I].Number) + (Lines[I].Header ? " [" : " ") + Lines[I].Section +
           (Lines[I].Header ? "]" : "." + Lines[I].Key + "=" + Lines[I].Value);
  };
  EXPECT_EQ(Line(0), "2 [Main]");
  EXPECT_EQ(Line(1), "3 Main.A=1");
  EXPECT_EQ(Line(2), "4 [main]");
  EXPECT_EQ(Line(3), "5 main.A=2");
  EXPECT_EQ(Line(4), "8 [T]");
  EXPECT_EQ(Line(5), "9 T.A=3");
  EXPECT_EQ(Line(6), "10 T.A=4");

  const std::vector<TProfileText::TLine> Wide =
      TProfileText::Lines(Utf16File(u"\r\n[s]\r\nk=\u00E9"));
  ASSERT_EQ(Wide.size(), 2u);
  EXPECT_EQ(Wide[1].Number, 3);
  EXPECT_EQ(Wide[1].Value, "\xC3\xA9");
}
