// Tests of the drivers the program and the tests run on: which driver is current, what the
// platform's factory gives, and what a headless driver takes from the driver it was made over.
#include "platform/Driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/headless/HeadlessDriver.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace {

const char* const UserReg = R"(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

[Software\\Vendor\\Game] 1700000000
"Hive"="user"
)";

std::string ValueOf(TRegistryService& Registry, const std::string& Key, const std::string& Name) {
  const std::unique_ptr<TRegistryKey> Opened = Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, Key);
  if (!Opened) return "<no key>";
  const std::optional<TRegData> Value = Opened->QueryValue(Name);
  return Value ? Value->Data : "<no value>";
}

}  // namespace

TEST(DriverTest, MadeDriverIsCurrentUntilItIsDestroyed) {
  TDriver& Before = Driver();
  {
    const std::unique_ptr<TDriver> Outer = CreateDriver();
    EXPECT_EQ(&Driver(), Outer.get());
    {
      const std::unique_ptr<TDriver> Inner = CreateDriver();
      EXPECT_EQ(&Driver(), Inner.get());
    }
    EXPECT_EQ(&Driver(), Outer.get());
  }
  EXPECT_EQ(&Driver(), &Before);
}

TEST(DriverTest, FilesReadWhatTheyWroteUnderTheMenusSpelling) {
  TTempDir Dir;
  Dir.MakeDir("Menu");
  const TFileSystem& Files = Driver().Files();
  ASSERT_TRUE(Files.WriteFileAtomically(Dir.File("Menu/menu.ini"), "[Main]\n"));
  std::string Bytes;
  EXPECT_EQ(Files.ReadFileBytes(Dir.Path() + "\\MENU\\Menu.INI", 100, Bytes), TReadStatus::rsRead);
  EXPECT_EQ(Bytes, "[Main]\n");
  EXPECT_TRUE(Files.DirectoryExists(Dir.File("menu")));
}

TEST(DriverTest, RegistryIsTheWinePrefixAsItIsWhenOpened) {
  TTempDir Dir;
  Dir.MakeDir("prefix");
  TScopedEnv Prefix("WINEPREFIX", Dir.File("prefix"));
  const std::unique_ptr<TRegistryService> Empty = Driver().OpenRegistry();
  EXPECT_EQ(ValueOf(*Empty, "Software\\Vendor\\Game", "Hive"), "<no key>");
  Dir.Write("prefix/user.reg", UserReg);
  const std::unique_ptr<TRegistryService> Written = Driver().OpenRegistry();
  EXPECT_EQ(ValueOf(*Written, "Software\\Vendor\\Game", "Hive"), "user");
}

TEST(DriverTest, AnsiCodePageFollowsTheLocalesLanguage) {
  TScopedEnv All("LC_ALL", std::string("ru_RU.UTF-8"));
  EXPECT_EQ(Driver().AnsiCodePage(), 1251);
  TScopedEnv Other("LC_ALL", std::string("de_DE.UTF-8"));
  EXPECT_EQ(Driver().AnsiCodePage(), 1252);
}

TEST(DriverTest, GivesTheClassicColoursFontAndCodePages) {
  EXPECT_EQ(Driver().SystemColorRGB(15), 0xC8D0D4u);  // the button face
  EXPECT_EQ(Driver().SystemColorRGB(99), 0u);
  EXPECT_EQ(Driver().MessageFont().Name, "Sans");
  EXPECT_EQ(Driver().MessageFont().Height, -12);
  EXPECT_EQ(Driver().DecodeCodePage("\xC0\xE1", 1251), U"\u0410\u0431");
}

TEST(DriverTest, ShellOpenSaysWhyAMissingTargetIsNotStarted) {
  TTempDir Dir;
  EXPECT_EQ(Driver().ShellOpen(Dir.File("missing.sh"), "", ""), "it does not exist");
}

TEST(DriverTest, WindowSystemNeedsADisplay) {
  TScopedEnv Display("DISPLAY", std::nullopt);
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  std::string Error;
  EXPECT_EQ(Platform->OpenWindowSystem(Error), nullptr);
  EXPECT_EQ(Error, "no display: DISPLAY is not set");
}

TEST(HeadlessDriverTest, TakesGlyphsColoursAndCodePagesFromItsHost) {
  TDriver& Host = Driver();
  THeadlessDriver Headless;
  EXPECT_EQ(&Driver(), &Headless);
  EXPECT_EQ(&Headless.TextEngine(), &Host.TextEngine());
  EXPECT_EQ(Headless.SystemColorRGB(24), Host.SystemColorRGB(24));
  EXPECT_EQ(Headless.MessageFont().Name, Host.MessageFont().Name);
  EXPECT_EQ(Headless.DecodeCodePage("\xE9", 1252), U"\u00E9");
  EXPECT_EQ(Headless.ExecutableFileName(), Host.ExecutableFileName());
}
