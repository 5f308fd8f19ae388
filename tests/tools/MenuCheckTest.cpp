// The author's check: one menu per kind of mistake, the line each finding points at, and a
// clean menu with nothing to say.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "MenuCheck.h"
#include "framework/Bitmap.h"
#include "platform/headless/MemoryRegistry.h"
#include "support/TempDir.h"

namespace {

// A 200 x 100 background, one tool that starts, and the lines of [Main] and [Prog_1] that a
// correct menu of one button has; each test changes what it is about.
class MenuCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    TBitmap(200, 100).SaveToFile(Dir.File("menu.bmp"));
    Dir.Write("tool.sh", "#!/bin/sh\n");
    chmod(Dir.File("tool.sh").c_str(), 0755);
  }

  std::vector<TFinding> Check(const std::string& Ini) {
    Dir.Write("menu.ini", Ini);
    TScopedCurrentDir InMenu(Dir.Path());
    return CheckMenu(Dir.File("menu.ini"), Registry);
  }

  // The one finding of a check, which fails the test when there are others.
  TFinding Only(const std::string& Ini) {
    std::vector<TFinding> Findings = Check(Ini);
    EXPECT_EQ(Findings.size(), 1u) << FindingsText(Findings);
    return Findings.empty() ? TFinding{} : Findings.front();
  }

  static std::string Entry(const std::string& Lines) {
    return "[Prog_1]\nX=10\nY=10\nWidth=100\nHeight=30\nExePath=tool.sh\n" + Lines +
           "TerminateAfterStart=0\n";
  }
  static std::string Main(const std::string& Lines = "") {
    return "[Main]\nBackground=menu.bmp\nProgCount=1\n" + Lines;
  }

  TTempDir Dir;
  TMemoryRegistry Registry;
};

testing::AssertionResult Says(const TFinding& Finding, int Line, TSeverity Severity,
                              const std::string& Part) {
  if (Finding.Line == Line && Finding.Severity == Severity &&
      Finding.Message.find(Part) != std::string::npos)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "line " << Finding.Line << ", "
         << (Finding.Severity == TSeverity::svError ? "error" : "warning") << ": "
         << Finding.Message;
}

TEST_F(MenuCheckTest, ACorrectMenuHasNoFinding) {
  std::vector<TFinding> Findings =
      Check(Main() + Entry("ButtonText=&Go\nFontInfo=Arial,10,B,0,clYellow,0\n"));
  EXPECT_TRUE(Findings.empty()) << FindingsText(Findings);
  EXPECT_EQ(FindingsText(Findings), "0 errors, 0 warnings\n");
}

TEST_F(MenuCheckTest, MissingMenuFileAndBackgroundAreErrors) {
  const std::vector<TFinding> Missing = CheckMenu(Dir.File("menu.ini"), Registry);
  ASSERT_EQ(Missing.size(), 1u);
  EXPECT_TRUE(Says(Missing[0], 0, TSeverity::svError, "is missing"));

  EXPECT_TRUE(Says(Only("[Main]\nBackground=gone.bmp\nProgCount=0\n"), 2, TSeverity::svError,
                   "gone.bmp` does not exist"));
  Dir.Write("text.bmp", "no picture");
  EXPECT_TRUE(Says(Only("[Main]\nProgCount=0\nBackground=text.bmp\n"), 3, TSeverity::svError,
                   "cannot be read: Bitmap image is not valid. " + Dir.File("text.bmp") +
                       ": not a BMP, PNG or JPEG picture; the menu does not start without it"));
  // PNG and JPEG pictures are read whatever their names, and damaged ones are named so.
  TBitmap Picture(4, 3);
  Picture.SaveToPngFile(Dir.File("picture.bmp"));
  EXPECT_TRUE(Check("[Main]\nProgCount=0\nBackground=picture.bmp\n").empty());
  Dir.Write("cut.png", ReadAll(Dir.File("picture.bmp")).substr(0, 30));
  EXPECT_TRUE(Says(Only("[Main]\nProgCount=0\nBackground=cut.png\n"), 3, TSeverity::svError,
                   "a damaged or cut-short PNG picture"));
  // Left to its default, the background's finding points at the section.
  std::remove(Dir.File("menu.bmp").c_str());
  EXPECT_TRUE(Says(Only("\n[Main]\nProgCount=0\n"), 2, TSeverity::svError, "menu.bmp"));
}

TEST_F(MenuCheckTest, MisspeltKeysAndSectionsAreNamedWithTheLikelyIntent) {
  std::vector<TFinding> Findings = Check(Main() + Entry("ButonText=Install\n"));
  ASSERT_EQ(Findings.size(), 1u) << FindingsText(Findings);
  EXPECT_TRUE(Says(Findings[0], 10, TSeverity::svWarning,
                   "unknown key `ButonText` in [Prog_1]; did you mean `ButtonText`?"));
  EXPECT_EQ(Findings[0].Key, "Prog_1.ButonText");

  Findings = Check(Main() + Entry("") + "[Prog2]\nX=1\n");
  ASSERT_EQ(Findings.size(), 1u) << FindingsText(Findings);
  EXPECT_TRUE(Says(Findings[0], 11, TSeverity::svWarning,
                   "unknown section [Prog2]; did you mean `Prog_2`?"));
  // Nothing near enough: no guess.
  EXPECT_EQ(Only(Main("Colour=1\n") + Entry("")).Message, "unknown key `Colour` in [Main]");
}

TEST_F(MenuCheckTest, ValuesThatAreNoValueOfTheirTypeSayWhatTheyBecame) {
  EXPECT_TRUE(Says(Only(Main() + Entry("").replace(Entry("").find("Width=100"), 9, "Width=3OO")), 7,
                   TSeverity::svError, "`Width=3OO` is not a whole number; Width is 0"));
  EXPECT_TRUE(Says(Only(Main() + Entry("HighlightColor=clYelow\n")), 10, TSeverity::svError,
                   "`HighlightColor=clYelow` is not a colour; HighlightColor is clBlack; did you "
                   "mean `clYellow`?"));
  std::vector<TFinding> Findings =
      Check(Main() + Entry("").replace(Entry("").find("TerminateAfterStart=0"), 21,
                                       "TerminateAfterStart=yes"));
  ASSERT_EQ(Findings.size(), 1u) << FindingsText(Findings);
  EXPECT_TRUE(Says(Findings[0], 10, TSeverity::svError,
                   "`TerminateAfterStart=yes` is not a number (0 for no, 1 for yes); "
                   "TerminateAfterStart is 1"));
  EXPECT_TRUE(Says(Only(Main() + Entry("FontInfo=Arial,1O,B,0,clRed,0\n")), 10, TSeverity::svError,
                   "the size `1O` is not a whole number, so it stays 8"));
  EXPECT_TRUE(Says(Only(Main() + Entry("FontInfo=Arial,10,B,0,clRedd,204\n")), 10,
                   TSeverity::svError, "the colour `clRedd` is not a colour"));
  EXPECT_TRUE(Says(Only("[Main]\nBackground=menu.bmp\nProgCount=two\n" + Entry("")), 3,
                   TSeverity::svError, "`ProgCount=two` is not a whole number; ProgCount is 1"));
}

TEST_F(MenuCheckTest, RepeatsAndEntrySectionsAgainstProgCount) {
  std::vector<TFinding> Findings =
      Check(Main() + Entry("X=50\n") + "[prog_1]\nX=1\n[Prog_2]\nX=2\n[Main]\n");
  ASSERT_EQ(Findings.size(), 4u) << FindingsText(Findings);
  EXPECT_TRUE(Says(Findings[0], 10, TSeverity::svWarning,
                   "`X` is given again in [Prog_1] (first at line 5); this one is ignored"));
  EXPECT_TRUE(Says(Findings[1], 12, TSeverity::svWarning,
                   "section [prog_1] is given again (first at line 4)"));
  EXPECT_TRUE(Says(Findings[2], 14, TSeverity::svWarning,
                   "section [Prog_2] is past ProgCount=1 and is not read"));
  EXPECT_TRUE(Says(Findings[3], 16, TSeverity::svWarning,
                   "section [Main] is given again (first at line 1)"));

  Findings = Check("[Main]\nProgCount=4\n" + Entry("") + "[Prog_3]\nTerminateAfterStart=0\n");
  ASSERT_GE(Findings.size(), 1u);
  EXPECT_TRUE(
      Says(Findings[0], 2, TSeverity::svWarning, "ProgCount=4 but [Prog_2], [Prog_4] are missing"));
}

TEST_F(MenuCheckTest, AnEntryThatLeavesTerminateAfterStartToItsDefaultIsNamed) {
  EXPECT_TRUE(Says(Only(Main() + "\n[Prog_1]\nX=10\nY=10\nWidth=100\nHeight=30\nExePath=tool.sh\n"),
                   5, TSeverity::svWarning, "the menu closes after this button starts"));
}

TEST_F(MenuCheckTest, ButtonsOutsideTheWindowOrOnEachOther) {
  const std::string Second =
      "[Prog_2]\nX=%X\nY=%Y\nWidth=50\nHeight=20\nExePath=tool.sh\nTerminateAfterStart=0\n";
  auto Place = [&](const std::string& X, const std::string& Y) {
    std::string Text = Second;
    Text.replace(Text.find("%X"), 2, X);
    Text.replace(Text.find("%Y"), 2, Y);
    return "[Main]\nProgCount=2\n" + Entry("") + Text;
  };
  EXPECT_TRUE(Says(Only(Place("200", "0")), 11, TSeverity::svError,
                   "the button at 200,0 of 50 x 20 lies wholly outside the 200 x 100 window"));
  EXPECT_TRUE(Says(Only(Place("180", "90")), 11, TSeverity::svWarning, "lies partly outside"));
  EXPECT_TRUE(Says(Only(Place("-49", "-19")), 11, TSeverity::svWarning, "partly outside"));
  EXPECT_TRUE(Says(Only(Place("2147483647", "0")), 11, TSeverity::svError, "wholly outside"));
  EXPECT_TRUE(Says(Only(Place("109", "39")), 10, TSeverity::svWarning,
                   "the button of [Prog_2] overlaps the button of [Prog_1]"));
  // Touching edges do not overlap: right and bottom edges are outside a rectangle.
  EXPECT_TRUE(Check(Place("110", "40")).empty());
  EXPECT_TRUE(Says(Only(Main() + "[Prog_1]\nX=1\nY=1\nHeight=20\nExePath=tool.sh\n"
                                 "TerminateAfterStart=0\n"),
                   4, TSeverity::svError, "the button is 0 x 20 pixels"));
}

TEST_F(MenuCheckTest, CaptionsLargerThanTheirButtonAreMeasuredInTheirFont) {
  const std::string Long = "ButtonText=A caption far too long for its button\n";
  EXPECT_TRUE(Says(Only(Main() + Entry(Long + "FontInfo=Arial,10,,0,clBlack,0\n")), 10,
                   TSeverity::svWarning, "pixels in its font, and the button is 100 x 30"));
  EXPECT_TRUE(Says(Only(Main() + Entry("ButtonText=Go\nFontInfo=Arial,40,,0,clBlack,0\n")), 10,
                   TSeverity::svWarning, "it is cut off"));
}

TEST_F(MenuCheckTest, FontsWithoutAFaceOfTheirOwnNameTheFaceUsed) {
  EXPECT_TRUE(Says(Only(Main() + Entry("FontInfo=No Such Face Anywhere,10,,0,clBlack,0\n")), 10,
                   TSeverity::svWarning, "font `No Such Face Anywhere` is not installed here; `"));
  // Classic names read as faces of the same metrics are no finding.
  EXPECT_TRUE(Check(Main() + Entry("FontInfo=Times New Roman,10,,0,clBlack,0\n")).empty());
}

TEST_F(MenuCheckTest, TargetsMissingTooLongOrNotOpenableHere) {
  auto WithTarget = [&](const std::string& Target) {
    std::string Text = Main() + Entry("");
    Text.replace(Text.find("ExePath=tool.sh"), 15, "ExePath=" + Target);
    return Text;
  };
  EXPECT_TRUE(Says(Only(WithTarget("setup\\gone.exe")), 9, TSeverity::svWarning,
                   "target `setup\\gone.exe` does not exist (looked for " + Dir.Path() +
                       "/setup/gone.exe); its button is disabled"));
  EXPECT_TRUE(Says(Only(WithTarget("")), 9, TSeverity::svWarning, "has no ExePath"));
  EXPECT_TRUE(Says(Only(WithTarget(std::string(300, 'a'))), 9, TSeverity::svError,
                   "paths of 260 or more are never opened"));
  EXPECT_TRUE(Check(WithTarget("$exit$")).empty());

  Dir.MakeDir("docs");
  Dir.Write("setup.exe", "MZ");
  const char* Saved = std::getenv("PATH");
  const std::string Path = Saved ? Saved : "";
  setenv("PATH", Dir.MakeDir("empty").c_str(), 1);
  const std::vector<TFinding> NoWine = Check(WithTarget("setup.exe"));
  const std::vector<TFinding> NoOpener = Check(WithTarget("docs"));
  const std::vector<TFinding> NoBrowser = Check(WithTarget("https://example.org"));
  Dir.Write("tools/xdg-open", "#!/bin/sh\n");
  ::chmod(Dir.File("tools/xdg-open").c_str(), 0755);
  setenv("PATH", Dir.File("tools").c_str(), 1);
  const std::vector<TFinding> WithOpener = Check(WithTarget("docs"));
  setenv("PATH", Path.c_str(), 1);
  ASSERT_EQ(NoWine.size(), 1u) << FindingsText(NoWine);
  EXPECT_TRUE(Says(NoWine[0], 9, TSeverity::svWarning,
                   "cannot be opened here: it is a Windows program, and wine is not "
                   "installed"));
  ASSERT_EQ(NoOpener.size(), 1u) << FindingsText(NoOpener);
  EXPECT_TRUE(Says(NoOpener[0], 9, TSeverity::svWarning,
                   "target `docs` cannot be opened here: the desktop's opener of documents and "
                   "folders, xdg-open, is not installed"));
  ASSERT_EQ(NoBrowser.size(), 1u) << FindingsText(NoBrowser);
  EXPECT_TRUE(Says(NoBrowser[0], 9, TSeverity::svWarning,
                   "address `https://example.org` cannot be opened here: the desktop's opener of "
                   "web addresses, xdg-open, is not installed"));
  EXPECT_TRUE(WithOpener.empty()) << FindingsText(WithOpener);
}

TEST_F(MenuCheckTest, RegistryReferencesMalformedOrUnset) {
  auto WithTarget = [&](const std::string& Target) {
    std::string Text = Main() + Entry("");
    Text.replace(Text.find("ExePath=tool.sh"), 15, "ExePath=" + Target);
    return Text;
  };
  EXPECT_TRUE(Says(Only(WithTarget("$REG$HKLMSOFTWARE\\Game$KEY$Path$DEF$tool.sh")), 9,
                   TSeverity::svWarning,
                   "registry value HKLM\\SOFTWARE\\Game `Path` is not set on this system; the "
                   "default `tool.sh` is used"));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Game", "Path",
                    {TRegDataType::rdString, Dir.File("tool.sh")});
  EXPECT_TRUE(Check(WithTarget("$REG$HKLMSOFTWARE\\Game$KEY$Path$DEF$tool.sh")).empty());
  EXPECT_TRUE(Says(Only(WithTarget("$REG$HKLMSOFTWARE\\Game$KEY$Path")), 9, TSeverity::svWarning,
                   "has no $DEF$"));
  std::vector<TFinding> Findings = Check(WithTarget("Game$REG$HKLM\\Game$KEY$Path$DEF$tool.sh"));
  ASSERT_FALSE(Findings.empty());
  EXPECT_TRUE(Says(Findings[0], 9, TSeverity::svWarning, "does not start with $REG$"));
}

TEST_F(MenuCheckTest, OneAcceleratorOnTwoButtonsByCharacterAndCase) {
  const std::string Cyrillic = "FontInfo=Arial,10,,0,clBlack,204\n";
  std::string Ini = "[Main]\nProgCount=2\n" + Entry("ButtonText=\xC8&\xE3\xF0\xFB\n" + Cyrillic) +
                    "[Prog_2]\nX=10\nY=50\nWidth=100\nHeight=30\nExePath=tool.sh\n"
                    "ButtonText=&\xC3\xEE\n" +
                    Cyrillic + "TerminateAfterStart=0\n";
  std::vector<TFinding> Findings = Check(Ini);
  ASSERT_EQ(Findings.size(), 1u) << FindingsText(Findings);
  EXPECT_TRUE(Says(Findings[0], 18, TSeverity::svWarning,
                   "the accelerator `\xD0\xB3` is also the one of [Prog_1]"));
  // With several marks the last one, the one drawn underlined, is the accelerator.
  Ini.replace(Ini.find("&\xC3\xEE"), 3, "&\xC3&\xEE");
  EXPECT_TRUE(Check(Ini).empty()) << FindingsText(Check(Ini));
}

TEST_F(MenuCheckTest, AnIconThatCannotBeReadIsAWarning) {
  Dir.Write("menu.ico", "not an icon");
  EXPECT_TRUE(Says(Only(Main("Icon=menu.ico\n") + Entry("")), 4, TSeverity::svWarning,
                   "the icon `" + Dir.File("menu.ico") +
                       "` cannot be read: Icon image is not valid. " + Dir.File("menu.ico") +
                       ": not an ICO, BMP, PNG or JPEG picture"));
  TBitmap Picture(20, 20);
  Picture.SaveToPngFile(Dir.File("menu.ico"));
  EXPECT_TRUE(Check(Main("Icon=menu.ico\n") + Entry("")).empty()) << "a PNG serves as an icon";
}

TEST_F(MenuCheckTest, FindingsAreSortedByLineAndPrintedForPeopleAndPrograms) {
  std::vector<TFinding> Findings = Check(
      "[Main]\nProgCount=1\nBackgrund=x\n[Prog_1]\nX=10\nY=10\nWidth=3OO\nHeight=30\n"
      "ExePath=tool.sh\nTerminateAfterStart=0\n");
  ASSERT_EQ(Findings.size(), 2u);
  EXPECT_EQ(FindingsText(Findings),
            Dir.File("menu.ini") +
                ":3: warning: unknown key `Backgrund` in [Main]; did you mean `Background`?\n" +
                Dir.File("menu.ini") +
                ":7: error: `Width=3OO` is not a whole number; Width is 0\n1 error, 1 warning\n");
  const std::string Json = FindingsJson(Findings);
  EXPECT_NE(Json.find("\"line\": 7"), std::string::npos) << Json;
  EXPECT_NE(Json.find("\"severity\": \"error\""), std::string::npos);
  EXPECT_NE(Json.find("\"key\": \"Prog_1.Width\""), std::string::npos);
  EXPECT_NE(Json.find("\"message\": \"unknown key `Backgrund` in [Main]; did you mean "
                      "`Background`?\""),
            std::string::npos);
}

}  // namespace
