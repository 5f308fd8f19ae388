// Formatted-text layout: positions of runs and underlines, extents and heights under the DT_ flags.
#include "framework/TextLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

void PrintTo(const TRect& R, std::ostream* Out) {
  *Out << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

namespace {

// Characters 7 px wide ("." 3 px, "W" 11 px, for the cases that need uneven widths), lines
// 13 px high with a 10 px ascent; tab stops fall every 56 px.
class TFakeMeasure : public TTextMeasure {
 public:
  int Width(std::u32string_view Text) override {
    int Width = 0;
    for (char32_t C : Text) Width += C == U'.' ? 3 : C == U'W' ? 11 : 7;
    return Width;
  }
  int LineHeight() override { return 13; }
  int Ascent() override { return 10; }
  int AveCharWidth() override { return 7; }
};

std::string Narrow(std::u32string_view Text) {
  std::string Out;
  for (char32_t C : Text) Out += C < 0x80 ? static_cast<char>(C) : '?';
  return Out;
}

// Runs as "x,y:text", underlines as "x1-x2@y", so that a failure shows the whole layout.
std::vector<std::string> Runs(const TTextLayout& Layout) {
  std::vector<std::string> Out;
  for (const TTextRun& Run : Layout.Runs) {
    Out.push_back(std::to_string(Run.X) + "," + std::to_string(Run.Y) + ":" + Narrow(Run.Text));
  }
  return Out;
}

std::vector<std::string> Underlines(const TTextLayout& Layout) {
  std::vector<std::string> Out;
  for (const TUnderline& Line : Layout.Underlines) {
    Out.push_back(std::to_string(Line.X1) + "-" + std::to_string(Line.X2) + "@" +
                  std::to_string(Line.Y));
  }
  return Out;
}

TTextLayout Lay(std::u32string_view Text, const TRect& Rect, unsigned Format) {
  TFakeMeasure Measure;
  return LayoutText(Text, Rect, Format, Measure);
}

// 70 px wide (ten characters), 40 px high.
constexpr TRect kBox = Rect(10, 20, 80, 60);

struct TRunCase {
  const char* Name;
  std::u32string Text;
  TRect Box;
  unsigned Format;
  std::vector<std::string> Runs;
  int Height;
};

void CheckRuns(const std::vector<TRunCase>& Cases) {
  for (const TRunCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const TTextLayout Layout = Lay(Case.Text, Case.Box, Case.Format);
    EXPECT_EQ(Runs(Layout), Case.Runs);
    EXPECT_EQ(Layout.Height, Case.Height);
  }
}

TEST(TextLayoutTest, HorizontalAlignment) {
  CheckRuns({
      {"left", U"abc", kBox, DT_LEFT, {"10,20:abc"}, 13},
      {"right", U"abc", kBox, DT_RIGHT, {"59,20:abc"}, 13},
      {"centre, odd sum truncated", U"abc", kBox, DT_CENTER, {"34,20:abc"}, 13},
      {"centre, even sum", U"ab", kBox, DT_CENTER, {"38,20:ab"}, 13},
      {"centre wins over right", U"ab", kBox, DT_CENTER | DT_RIGHT, {"38,20:ab"}, 13},
      // (-30 - 9 - 28) / 2 = -33.5 goes toward zero, not down to -34.
      {"centre, negative sum", U"abcd", Rect(-30, 0, -9, 13), DT_CENTER, {"-33,0:abcd"}, 13},
      {"centre, wider than the box", U"abcdefghijkl", kBox, DT_CENTER, {"3,20:abcdefghijkl"}, 13},
      {"right, wider than the box", U"abcdefghijkl", kBox, DT_RIGHT, {"-4,20:abcdefghijkl"}, 13},
      {"each line aligned alone",
       U"abc\nabcdef",
       kBox,
       DT_RIGHT,
       {"59,20:abc", "38,33:abcdef"},
       26},
      {"uneven widths", U"W.", kBox, DT_CENTER, {"38,20:W."}, 13},
      {"right-to-left reading changes nothing",
       U"abc",
       kBox,
       DT_RIGHT | DT_RTLREADING,
       {"59,20:abc"},
       13},
  });
}

TEST(TextLayoutTest, VerticalAlignmentOnlyOnASingleLine) {
  CheckRuns({
      // 20 + 40 / 2 - 13 / 2 = 34; the height is measured from the box's top.
      {"vcentre", U"ab", kBox, DT_SINGLELINE | DT_VCENTER, {"10,34:ab"}, 27},
      {"vcentre, odd box height",
       U"ab",
       Rect(10, 20, 80, 61),
       DT_SINGLELINE | DT_VCENTER,
       {"10,34:ab"},
       27},
      {"vcentre, box lower than the line",
       U"ab",
       Rect(0, 0, 50, 5),
       DT_SINGLELINE | DT_VCENTER,
       {"0,-4:ab"},
       9},
      {"bottom", U"ab", kBox, DT_SINGLELINE | DT_BOTTOM, {"10,47:ab"}, 40},
      {"vcentre wins over bottom",
       U"ab",
       kBox,
       DT_SINGLELINE | DT_VCENTER | DT_BOTTOM,
       {"10,34:ab"},
       27},
      {"vcentre without single line", U"ab", kBox, DT_VCENTER, {"10,20:ab"}, 13},
      {"bottom without single line", U"ab\ncd", kBox, DT_BOTTOM, {"10,20:ab", "10,33:cd"}, 26},
  });
}

TEST(TextLayoutTest, LineBreaks) {
  CheckRuns({
      {"CR", U"a\rb", kBox, 0, {"10,20:a", "10,33:b"}, 26},
      {"LF", U"a\nb", kBox, 0, {"10,20:a", "10,33:b"}, 26},
      {"CRLF", U"a\r\nb", kBox, 0, {"10,20:a", "10,33:b"}, 26},
      {"LFCR", U"a\n\rb", kBox, 0, {"10,20:a", "10,33:b"}, 26},
      {"LF LF", U"a\n\nb", kBox, 0, {"10,20:a", "10,46:b"}, 39},
      {"CR CR", U"a\r\rb", kBox, 0, {"10,20:a", "10,46:b"}, 39},
      {"CRLF CRLF", U"a\r\n\r\nb", kBox, 0, {"10,20:a", "10,46:b"}, 39},
      {"LFCR LF", U"a\n\r\nb", kBox, 0, {"10,20:a", "10,46:b"}, 39},
      {"final break opens no line", U"a\r\n", kBox, 0, {"10,20:a"}, 13},
      {"a break alone is one empty line", U"\n", kBox, 0, {}, 13},
      {"single line draws them", U"a\r\nb\rc", kBox, DT_SINGLELINE, {"10,20:a\r\nb\rc"}, 13},
      {"single line turns word break off",
       U"aaaa bbbb cccc",
       kBox,
       DT_SINGLELINE | DT_WORDBREAK,
       {"10,20:aaaa bbbb cccc"},
       13},
  });
}

TEST(TextLayoutTest, WordBreak) {
  CheckRuns({
      {"fits, no break", U"abc def", kBox, DT_WORDBREAK, {"10,20:abc def"}, 13},
      {"trailing blank kept on a left line",
       U"aaaa bbbb cccc",
       kBox,
       DT_WORDBREAK,
       {"10,20:aaaa bbbb ", "10,33:cccc"},
       26},
      {"trailing blank trimmed when centred",
       U"aaaa bbbb cccc",
       kBox,
       DT_WORDBREAK | DT_CENTER,
       {"13,20:aaaa bbbb", "31,33:cccc"},
       26},
      {"trailing blank trimmed when right",
       U"aaaa bbbb cccc",
       kBox,
       DT_WORDBREAK | DT_RIGHT,
       {"17,20:aaaa bbbb", "52,33:cccc"},
       26},
      {"blank right at the edge dropped",
       U"aaaaaaaaaa bb",
       kBox,
       DT_WORDBREAK,
       {"10,20:aaaaaaaaaa", "10,33:bb"},
       26},
      {"only one blank dropped",
       U"aaaaaaaaaa  bb",
       kBox,
       DT_WORDBREAK,
       {"10,20:aaaaaaaaaa", "10,33: bb"},
       26},
      {"blanks that fit stay",
       U"aaaaaaaa   bb",
       kBox,
       DT_WORDBREAK,
       {"10,20:aaaaaaaa  ", "10,33:bb"},
       26},
      {"blanks that fit go when centred",
       U"aaaaaaaa   bb",
       kBox,
       DT_WORDBREAK | DT_CENTER,
       {"17,20:aaaaaaaa", "38,33:bb"},
       26},
      {"long word whole on its own line",
       U"ab abcdefghijklmn cd",
       kBox,
       DT_WORDBREAK,
       {"10,20:ab ", "10,33:abcdefghijklmn", "10,46:cd"},
       39},
      {"long word alone", U"abcdefghijklmn", kBox, DT_WORDBREAK, {"10,20:abcdefghijklmn"}, 13},
      // 21 "." and a blank fill exactly 70 px.
      {"uneven widths",
       U"..................... WW",
       Rect(0, 0, 70, 20),
       DT_WORDBREAK,
       {"0,0:..................... ", "0,13:WW"},
       26},
      {"each hard line wrapped alone",
       U"aaaa bbbb\naaaa bbbb cccc",
       kBox,
       DT_WORDBREAK,
       {"10,20:aaaa bbbb", "10,33:aaaa bbbb ", "10,46:cccc"},
       39},
      {"empty lines kept", U"a\n\nb", kBox, DT_WORDBREAK, {"10,20:a", "10,46:b"}, 39},
      {"a box narrower than a character",
       U"ab c",
       Rect(0, 0, 0, 10),
       DT_WORDBREAK,
       {"0,0:ab", "0,13:c"},
       26},
      // "ab" + tab reaches 56, "c" 63 fits in 69, "cd" 70 does not: the break is after the tab.
      {"break after a tab",
       U"ab\tcd",
       Rect(10, 20, 79, 60),
       DT_WORDBREAK | DT_EXPANDTABS,
       {"10,20:ab", "10,33:cd"},
       26},
      {"tab line that fits",
       U"ab\tcd",
       kBox,
       DT_WORDBREAK | DT_EXPANDTABS,
       {"10,20:ab", "66,20:cd"},
       13},
  });
}

TEST(TextLayoutTest, Tabs) {
  CheckRuns({
      {"to the first stop", U"a\tb", kBox, DT_EXPANDTABS, {"10,20:a", "66,20:b"}, 13},
      {"from a stop to the next",
       U"abcdefgh\tb",
       kBox,
       DT_EXPANDTABS,
       {"10,20:abcdefgh", "122,20:b"},
       13},
      {"leading tab", U"\tb", kBox, DT_EXPANDTABS, {"66,20:b"}, 13},
      {"two tabs", U"a\t\tb", kBox, DT_EXPANDTABS, {"10,20:a", "122,20:b"}, 13},
      {"stops count from each line's start",
       U"abcdefghi\tb\nc\td",
       kBox,
       DT_EXPANDTABS,
       {"10,20:abcdefghi", "122,20:b", "10,33:c", "66,33:d"},
       26},
      {"centred with the tab's width",
       U"a\tb",
       kBox,
       DT_EXPANDTABS | DT_CENTER,
       {"13,20:a", "69,20:b"},
       13},
      {"ordinary character unexpanded", U"a\tb", kBox, 0, {"10,20:a\tb"}, 13},
  });
}

struct TPrefixCase {
  const char* Name;
  std::u32string Text;
  unsigned Format;
  std::vector<std::string> Runs;
  std::vector<std::string> Underlines;
};

// Underlines lie at line top + 11 and cover a 7 px character's first 6 pixels.
TEST(TextLayoutTest, Prefixes) {
  const std::vector<TPrefixCase> Cases = {
      {"first character", U"&abc", 0, {"10,20:abc"}, {"10-16@31"}},
      {"inner character", U"a&bc", 0, {"10,20:abc"}, {"17-23@31"}},
      {"uneven widths", U"a&W.", 0, {"10,20:aW."}, {"17-27@31"}},
      {"double", U"a&&b", 0, {"10,20:a&b"}, {}},
      {"double then mark", U"&&&a", 0, {"10,20:&a"}, {"17-23@31"}},
      {"final shown", U"ab&", 0, {"10,20:ab&"}, {}},
      {"alone shown", U"&", 0, {"10,20:&"}, {}},
      {"double alone", U"&&", 0, {"10,20:&"}, {}},
      {"before a break gone", U"a&\nb", 0, {"10,20:a", "10,33:b"}, {}},
      {"before CRLF gone", U"a&\r\nb", 0, {"10,20:a", "10,33:b"}, {}},
      {"before a final break gone", U"a&\n", 0, {"10,20:a"}, {}},
      {"before a tab gone", U"a&\tb", DT_EXPANDTABS, {"10,20:a", "66,20:b"}, {}},
      {"before an unexpanded tab gone", U"a&\tb", 0, {"10,20:a\tb"}, {}},
      {"several marks, last underlined", U"&a&b&c", 0, {"10,20:abc"}, {"24-30@31"}},
      {"one mark per line", U"&a\nb&c", 0, {"10,20:a", "10,33:bc"}, {"10-16@31", "17-23@44"}},
      {"after a tab", U"a\t&b", DT_EXPANDTABS, {"10,20:a", "66,20:b"}, {"66-72@31"}},
      {"centred", U"&ab", DT_CENTER, {"38,20:ab"}, {"38-44@31"}},
      {"vcentred", U"&ab", DT_SINGLELINE | DT_VCENTER, {"10,34:ab"}, {"10-16@45"}},
      {"a break is a character on a single line",
       U"a&\nb",
       DT_SINGLELINE,
       {"10,20:a\nb"},
       {"17-23@31"}},
      // The "&" goes before measuring: "aaaa bbbbb" is ten characters and fits.
      {"measured without the prefix",
       U"aaaa &bbbbb cc",
       DT_WORDBREAK,
       {"10,20:aaaa bbbbb", "10,33:cc"},
       {"45-51@31"}},
      {"marks follow wrapped lines",
       U"&aaaa &bbbb &cccc",
       DT_WORDBREAK,
       {"10,20:aaaa bbbb ", "10,33:cccc"},
       {"45-51@31", "10-16@44"}},
      {"dropped blank loses its mark",
       U"aaaaaaaaaa& bb",
       DT_WORDBREAK,
       {"10,20:aaaaaaaaaa", "10,33:bb"},
       {}},
      {"noprefix", U"&a&&b&", DT_NOPREFIX, {"10,20:&a&&b&"}, {}},
  };
  for (const TPrefixCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const TTextLayout Layout = Lay(Case.Text, kBox, Case.Format);
    EXPECT_EQ(Runs(Layout), Case.Runs);
    EXPECT_EQ(Underlines(Layout), Case.Underlines);
  }
}

struct TExtentCase {
  const char* Name;
  std::u32string Text;
  unsigned Format;
  TRect Extent;
  int Height;
};

TEST(TextLayoutTest, CalcRectExtent) {
  const std::vector<TExtentCase> Cases = {
      {"one line", U"abc", DT_CALCRECT, Rect(10, 20, 31, 33), 13},
      {"widest line", U"abc\nde\nfghij", DT_CALCRECT, Rect(10, 20, 45, 59), 39},
      {"centred still from the left", U"abc", DT_CALCRECT | DT_CENTER, Rect(10, 20, 31, 33), 13},
      {"long word wider than the box", U"ab abcdefghijklmn cd", DT_CALCRECT | DT_WORDBREAK,
       Rect(10, 20, 108, 59), 39},
      {"kept trailing blanks count", U"aaaaaaaa   bb", DT_CALCRECT | DT_WORDBREAK,
       Rect(10, 20, 80, 46), 26},
      {"line ending in a tab", U"ab\t", DT_CALCRECT | DT_EXPANDTABS, Rect(10, 20, 66, 33), 13},
      {"prefix not counted", U"&a&&", DT_CALCRECT, Rect(10, 20, 24, 33), 13},
      {"empty", U"", DT_CALCRECT, Rect(10, 20, 10, 20), 0},
      {"empty word break", U"", DT_CALCRECT | DT_WORDBREAK, Rect(10, 20, 10, 20), 0},
      {"empty single line", U"", DT_CALCRECT | DT_SINGLELINE, Rect(10, 20, 10, 33), 13},
      {"empty single line vcentred", U"", DT_CALCRECT | DT_SINGLELINE | DT_VCENTER,
       Rect(10, 20, 10, 33), 27},
      {"vcentred extent from the top", U"ab", DT_CALCRECT | DT_SINGLELINE | DT_VCENTER,
       Rect(10, 20, 24, 33), 27},
      {"bottom", U"ab", DT_CALCRECT | DT_SINGLELINE | DT_BOTTOM, Rect(10, 20, 24, 33), 40},
  };
  for (const TExtentCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const TTextLayout Layout = Lay(Case.Text, kBox, Case.Format);
    EXPECT_EQ(Layout.Extent, Case.Extent);
    EXPECT_EQ(Layout.Height, Case.Height);
  }
}

TEST(TextLayoutTest, EmptyTextHasNoRuns) {
  EXPECT_TRUE(Lay(U"", kBox, 0).Runs.empty());
  EXPECT_TRUE(Lay(U"", kBox, DT_SINGLELINE | DT_VCENTER).Runs.empty());
}

TEST(TextLayoutTest, LongTextWrapsIntoManyLines) {
  std::u32string Text;
  for (int I = 0; I < 20000; ++I) Text += U"ab ";
  const TTextLayout Layout = Lay(Text, Rect(0, 0, 14, 10), DT_WORDBREAK | DT_CALCRECT);
  ASSERT_EQ(Layout.Runs.size(), 20000u);
  EXPECT_EQ(Layout.Runs.back().Y, 19999 * 13);
  EXPECT_EQ(Layout.Extent, Rect(0, 0, 14, 20000 * 13));
}

}  // namespace
