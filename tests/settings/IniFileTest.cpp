// The settings-file classes over real files: typed reads and writes, colours, fonts, listings.
#include <gtest/gtest.h>

#include "core/Exception.h"
#include "settings/TypedIniFile.h"
#include "support/TempDir.h"

namespace {

class IniFileTest : public testing::Test {
 protected:
  TTypedIniFile Open(const std::string& Text) { return TTypedIniFile(Dir.Write("menu.ini", Text)); }
  TTempDir Dir;
};

TEST_F(IniFileTest, IntegersFollowTheTextRuleAfterTheHexPrefixSwap) {
  TTypedIniFile Ini = Open(
      "[N]\na=0x10\nb=0X10\nc=$10\nd=x10\ne=0x\nf=0x1\ng=12a\nh=\ni= 7\nj=2147483648\n"
      "k=-2147483648\nl=$FFFFFFFF\nm=$100000000\n");
  EXPECT_EQ(Ini.ReadInteger("N", "a", -9), 16);
  EXPECT_EQ(Ini.ReadInteger("N", "b", -9), 16);
  EXPECT_EQ(Ini.ReadInteger("N", "c", -9), 16);
  EXPECT_EQ(Ini.ReadInteger("N", "d", -9), 16);
  EXPECT_EQ(Ini.ReadInteger("N", "e", -9), -9);
  EXPECT_EQ(Ini.ReadInteger("N", "f", -9), 1);
  EXPECT_EQ(Ini.ReadInteger("N", "g", -9), -9);
  EXPECT_EQ(Ini.ReadInteger("N", "h", -9), -9);
  EXPECT_EQ(Ini.ReadInteger("N", "i", -9), 7);  // the reader drops the blank after "="
  EXPECT_EQ(Ini.ReadInteger("N", "j", -9), -9);
  EXPECT_EQ(Ini.ReadInteger("N", "k", -9), -2147483647 - 1);
  EXPECT_EQ(Ini.ReadInteger("N", "l", -9), -1);
  EXPECT_EQ(Ini.ReadInteger("N", "m", -9), -9);
  EXPECT_EQ(Ini.ReadInteger("N", "missing", -9), -9);
}

TEST_F(IniFileTest, BooleansAreIntegers) {
  TTypedIniFile Ini = Open("[B]\nz=0\nh=$0\none=1\ntwo=2\nneg=-1\nf=false\nno=no\noff=off\n");
  EXPECT_FALSE(Ini.ReadBool("B", "z", true));
  EXPECT_FALSE(Ini.ReadBool("B", "h", true));
  EXPECT_TRUE(Ini.ReadBool("B", "one", false));
  EXPECT_TRUE(Ini.ReadBool("B", "two", false));
  EXPECT_TRUE(Ini.ReadBool("B", "neg", false));
  for (const char* Word : {"f", "no", "off", "missing"}) {
    EXPECT_TRUE(Ini.ReadBool("B", Word, true)) << Word;
    EXPECT_FALSE(Ini.ReadBool("B", Word, false)) << Word;
  }
}

TEST_F(IniFileTest, NoFileGivesEveryDefault) {
  TTypedIniFile Ini(Dir.File("absent.ini"));
  EXPECT_EQ(Ini.ReadString("Main", "Background", "menu.bmp"), "menu.bmp");
  EXPECT_EQ(Ini.ReadInteger("Main", "ProgCount", 1), 1);
  EXPECT_TRUE(Ini.ReadBool("Prog_1", "TerminateAfterStart", true));
  EXPECT_EQ(Ini.ReadColor("Prog_1", "HighlightColor", clBlack), clBlack);
  EXPECT_EQ(Ini.GetItemName(), "Item");
}

TEST_F(IniFileTest, ValuesAreCutTo2047Characters) {
  TTypedIniFile Ini = Open("[S]\nlong=" + std::string(3000, 'v') + "\n");
  EXPECT_EQ(Ini.ReadString("S", "long", ""), std::string(2047, 'v'));
}

TEST_F(IniFileTest, TypedValuesRoundTripThroughTheFile) {
  TTypedIniFile Ini(Dir.File("typed.ini"));
  Ini.WriteInteger("T", "int", -2147483647 - 1);
  Ini.WriteBool("T", "yes", true);
  Ini.WriteBool("T", "no", false);
  Ini.WriteFloat("T", "float", 0.1);
  auto Date = EncodeDate(2026, 12, 8);
  ASSERT_TRUE(Date);
  Ini.WriteDate("T", "date", *Date);
  Ini.WriteTime("T", "time", 0.75);
  Ini.WriteDateTime("T", "stamp", *Date + 0.5);
  Ini.WriteColor("T", "color", clBtnFace);
  EXPECT_EQ(Ini.ReadString("T", "int", ""), "-2147483648");
  EXPECT_EQ(Ini.ReadInteger("T", "int", 0), -2147483647 - 1);
  EXPECT_EQ(Ini.ReadString("T", "yes", ""), "1");
  EXPECT_TRUE(Ini.ReadBool("T", "yes", false));
  EXPECT_FALSE(Ini.ReadBool("T", "no", true));
  EXPECT_EQ(Ini.ReadFloat("T", "float", 0), 0.1);
  EXPECT_EQ(Ini.ReadString("T", "date", ""), "2026-12-08");
  EXPECT_EQ(Ini.ReadDate("T", "date", 0), *Date);
  EXPECT_EQ(Ini.ReadString("T", "time", ""), "18:00:00");
  EXPECT_EQ(Ini.ReadTime("T", "time", 0), 0.75);
  EXPECT_EQ(Ini.ReadString("T", "stamp", ""), "2026-12-08 12:00:00");
  EXPECT_EQ(Ini.ReadDateTime("T", "stamp", 0), *Date + 0.5);
  EXPECT_EQ(Ini.ReadString("T", "color", ""), "clBtnFace");
}

TEST_F(IniFileTest, UnreadableTypedValuesGiveTheirDefaults) {
  TTypedIniFile Ini = Open("[T]\nf=1,5\ng=nan\nd=2026-02-30\nt=24:00:00\ndt=2026-01-01T00:00:00\n");
  EXPECT_EQ(Ini.ReadFloat("T", "f", 2.5), 2.5);
  EXPECT_EQ(Ini.ReadFloat("T", "g", 2.5), 2.5);
  EXPECT_EQ(Ini.ReadDate("T", "d", 3.0), 3.0);
  EXPECT_EQ(Ini.ReadTime("T", "t", 0.5), 0.5);
  EXPECT_EQ(Ini.ReadDateTime("T", "dt", 4.0), 4.0);
}

TEST_F(IniFileTest, ColoursFallBackSilently) {
  TTypedIniFile Ini = Open("[C]\nname=CLRED\nnum=255\nbad=#FF0000\nempty=\nsys=-2147483643\n");
  EXPECT_EQ(Ini.ReadColor("C", "name", clBlue), clRed);
  EXPECT_EQ(Ini.ReadColor("C", "num", clBlue), clRed);
  EXPECT_EQ(Ini.ReadColor("C", "bad", clBlue), clBlue);
  EXPECT_EQ(Ini.ReadColor("C", "empty", clBlue), clBlue);
  EXPECT_EQ(Ini.ReadColor("C", "sys", clBlue), clWindow);
  EXPECT_EQ(Ini.ReadColor("C", "missing", 0x00ABCDEF), 0x00ABCDEF);
  EXPECT_EQ(Ini.ReadColor("C", "missing", -1), -1);
}

TEST_F(IniFileTest, FontsApplyWhatIsValid) {
  TTypedIniFile Ini = Open("[F]\nfull=Arial,12,BI,1,clRed,204\nbad=Tahoma,9,U,0,nocolour,238\n");
  TFont Font;
  int Notifications = 0;
  Font.OnChange = [&](TObject*) { ++Notifications; };
  EXPECT_EQ(&Ini.ReadFont("F", "full", Font), &Font);
  EXPECT_EQ(Font.Name(), "Arial");
  EXPECT_EQ(Font.Charset(), 204);
  Ini.ReadFont("F", "bad", Font);
  EXPECT_EQ(Font.Name(), "Tahoma");
  EXPECT_EQ(Font.Size(), 9);
  EXPECT_EQ(Font.Color(), clRed);
  EXPECT_EQ(Font.Charset(), 204);
  EXPECT_EQ(Notifications, 2);

  Font.SetHeight(-14);
  Ini.ReadFont("F", "missing", Font);  // its own text, in whole points
  EXPECT_EQ(Font.Height(), -15);
  EXPECT_EQ(Font.Name(), "Tahoma");
}

TEST_F(IniFileTest, FontWritesTheTextForm) {
  TTypedIniFile Ini(Dir.File("font.ini"));
  TFont Font;
  Font.SetName("Times New Roman");
  Font.SetSize(14);
  Font.SetStyle({fsBold});
  Font.SetColor(clYellow);
  Font.SetCharset(RUSSIAN_CHARSET);
  Ini.WriteFont("Prog_1", "FontInfo", Font);
  EXPECT_EQ(Ini.ReadString("Prog_1", "FontInfo", ""), "Times New Roman,14,B,0,clYellow,204");
}

TEST_F(IniFileTest, ListingsAndRemovals) {
  TTypedIniFile Ini = Open("[A]\nx=1\ny=2\n[B]\nz=3\n");
  TStrings Strings;
  Ini.ReadSections(Strings);
  EXPECT_EQ(Strings, TStrings({"A", "B"}));
  Ini.ReadSection("a", Strings);
  EXPECT_EQ(Strings, TStrings({"x", "y"}));
  Ini.ReadSectionValues("A", Strings);
  EXPECT_EQ(Strings, TStrings({"x=1", "y=2"}));
  Ini.DeleteKey("A", "x");
  Ini.EraseSection("B");
  Ini.CommitFile();
  Ini.ReadSections(Strings);
  EXPECT_EQ(Strings, TStrings({"A"}));
  Ini.ReadSectionValues("A", Strings);
  EXPECT_EQ(Strings, TStrings({"y=2"}));
}

TEST_F(IniFileTest, FailedWritesRaiseWithTheFileName) {
  const std::string Name = Dir.File("no-such-folder/menu.ini");
  TTypedIniFile Ini(Name);
  try {
    Ini.WriteString("S", "k", "v");
    FAIL() << "no exception";
  } catch (const EIniFileException& Error) {
    EXPECT_EQ(Error.Message(), "Unable to write to " + Name);
  }
  EXPECT_NO_THROW(Ini.EraseSection("S"));  // nothing to erase, so nothing to write
  EXPECT_NO_THROW(Ini.DeleteKey("S", "k"));
  TTypedIniFile Good(Dir.File("good.ini"));
  EXPECT_THROW(Good.WriteString("S", "k", "two\nlines"), EIniFileException);
}

TEST_F(IniFileTest, ObjectCallbacksAreOptional) {
  TTypedIniFile Ini(Dir.File("objects.ini"));
  EXPECT_EQ(Ini.ReadObject("S", "Item0", "v"), nullptr);
  Ini.WriteObject("S", "Item0", nullptr);
  TObject Made;
  std::string Seen;
  Ini.OnReadObject = [&](TTypedIniFile& Sender, const std::string& Section, const std::string& Item,
                         const std::string& Value) -> TObject* {
    EXPECT_EQ(&Sender, &Ini);
    Seen = Section + "/" + Item + "/" + Value;
    return &Made;
  };
  Ini.OnWriteObject = [&](TTypedIniFile&, const std::string& Section, const std::string& Item,
                          TObject* Obj) { Seen = Section + "/" + Item + (Obj ? "/obj" : ""); };
  EXPECT_EQ(Ini.ReadObject("S", "Item0", "v"), &Made);
  EXPECT_EQ(Seen, "S/Item0/v");
  Ini.WriteObject("S", "Item1", &Made);
  EXPECT_EQ(Seen, "S/Item1/obj");
}

}  // namespace
