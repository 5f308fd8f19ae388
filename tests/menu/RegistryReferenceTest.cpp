// Registry path references: cutting the text, choosing the root, and falling back to the default.
#include "menu/RegistryReference.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "menu/EntryAction.h"
#include "menu/MenuInfo.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/headless/MemoryRegistry.h"
#include "platform/posix/WineRegistry.h"
#include "support/TempDir.h"

namespace {

TRegData Text(const std::string& Data) {
  return {TRegDataType::rdString, Data};
}

TEST(RegistryReferenceParseTest, CutsAtFixedPositions) {
  auto Ref = ParseRegistryReference("$REG$HKLMSOFTWARE\\Vendor\\Game$KEY$InstallPath$DEF$game.exe");
  EXPECT_EQ(Ref.RootName, "HKLM");
  EXPECT_EQ(Ref.KeyPath, "SOFTWARE\\Vendor\\Game");
  EXPECT_EQ(Ref.ValueName, "InstallPath");
  EXPECT_EQ(Ref.Default, "game.exe");
}

TEST(RegistryReferenceParseTest, MissingMarkersAndShortTexts) {
  auto NoDefault = ParseRegistryReference("$REG$HKCRSoftware\\X$KEY$Path");
  EXPECT_EQ(NoDefault.ValueName, "Path");
  EXPECT_EQ(NoDefault.Default, "");

  auto NoKey = ParseRegistryReference("$REG$HKLMValue$DEF$d.exe");
  EXPECT_EQ(NoKey.KeyPath, "");
  EXPECT_EQ(NoKey.ValueName, "$HKLMValue");  // from character 5, the marker's last "$"

  auto Short = ParseRegistryReference("$REG$HK");
  EXPECT_EQ(Short.RootName, "HK");
  EXPECT_EQ(Short.KeyPath, "");
  EXPECT_EQ(Short.ValueName, "$HK");
  EXPECT_EQ(Short.Default, "");

  auto Early = ParseRegistryReference("$REG$$KEY$v$DEF$");
  EXPECT_EQ(Early.RootName, "$KEY");
  EXPECT_EQ(Early.KeyPath, "");  // "$KEY$" ends before character 10
  EXPECT_EQ(Early.ValueName, "v");
  EXPECT_EQ(Early.Default, "");

  auto Inside = ParseRegistryReference("C:\\x$REG$HKLMkey$KEY$v$DEF$d");
  EXPECT_TRUE(IsRegistryReference("C:\\x$REG$HKLMkey$KEY$v$DEF$d"));
  EXPECT_EQ(Inside.RootName, "REG$");  // counted from the first character all the same
  EXPECT_EQ(Inside.Default, "d");
  EXPECT_FALSE(IsRegistryReference("$reg$HKLM"));
}

TEST(RegistryReferenceParseTest, RootNamesAreCaseSensitive) {
  EXPECT_EQ(RegistryRoot("HKLM"), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RegistryRoot("HKCR"), HKEY_CURRENT_USER);
  EXPECT_EQ(RegistryRoot("hklm"), HKEY_CURRENT_USER);
  EXPECT_EQ(RegistryRoot("HKCU"), HKEY_CURRENT_USER);
  EXPECT_EQ(RegistryRoot(""), HKEY_CURRENT_USER);
}

class RegistryResolveTest : public testing::Test {
 protected:
  std::string Resolve(const std::string& Reference) {
    return ResolveRegistryReference(Reference, Registry);
  }
  TTempDir Dir;
  TMemoryRegistry Registry;
};

TEST_F(RegistryResolveTest, AnExistingFileReplacesTheDefault) {
  std::string Game = Dir.Write("Game/game.exe", "MZ");
  Registry.SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor\\Game", "InstallPath", Text(Game));
  EXPECT_EQ(Resolve("$REG$HKLMSOFTWARE\\Vendor\\Game$KEY$InstallPath$DEF$game.exe"), Game);
  // The same key is not under the current user, where HKCR and other names look.
  EXPECT_EQ(Resolve("$REG$HKCRSOFTWARE\\Vendor\\Game$KEY$InstallPath$DEF$game.exe"), "game.exe");
  Registry.SetValue(HKEY_CURRENT_USER, "Software\\Vendor", "Path", Text(Game));
  EXPECT_EQ(Resolve("$REG$HKCRSoftware\\Vendor$KEY$Path$DEF$d"), Game);
  EXPECT_EQ(Resolve("$REG$ABCDSoftware\\Vendor$KEY$Path$DEF$d"), Game);
  EXPECT_EQ(Resolve("$REG$hklmSoftware\\Vendor$KEY$Path$DEF$d"), Game);
  EXPECT_EQ(Resolve("$REG$HKCR\\Software\\Vendor$KEY$Path$DEF$d"), Game);  // leading "\" dropped
}

TEST_F(RegistryResolveTest, UnusableValuesLeaveTheDefault) {
  std::string Game = Dir.Write("game.exe", "MZ");
  std::string Folder = Dir.MakeDir("folder");
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "quoted", Text("\"" + Game + "\""));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "args", Text(Game + " /s"));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "folder", Text(Folder));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "missing", Text(Dir.File("gone.exe")));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "empty", Text(""));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "dword", {TRegDataType::rdOther, Game});
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "expand", {TRegDataType::rdExpandString, Game});
  Registry.SetValue(HKEY_LOCAL_MACHINE, "Locked", "v", Text(Game));
  Registry.DenyAccess(HKEY_LOCAL_MACHINE, "Locked");
  for (const char* Value : {"quoted", "args", "missing", "empty", "dword", "none"})
    EXPECT_EQ(Resolve(std::string("$REG$HKLMK$KEY$") + Value + "$DEF$fallback.exe"), "fallback.exe")
        << Value;
  EXPECT_EQ(Resolve("$REG$HKLMK$KEY$expand$DEF$fallback.exe"), Game);
  // A folder opens in the file manager, so a value naming one is used.
  EXPECT_EQ(Resolve("$REG$HKLMK$KEY$folder$DEF$fallback.exe"), Folder);
  EXPECT_EQ(Resolve("$REG$HKLMLocked$KEY$v$DEF$fallback.exe"), "fallback.exe");
  EXPECT_EQ(Resolve("$REG$HKLMNoSuchKey$KEY$v$DEF$fallback.exe"), "fallback.exe");
  EXPECT_EQ(Resolve("$REG$HKLMK$KEY$none"), "");
}

TEST_F(RegistryResolveTest, RootKeyAndDefaultValue) {
  std::string Game = Dir.Write("game.exe", "MZ");
  Registry.SetValue(HKEY_CURRENT_USER, "", "$HKCRTop", Text(Game));
  Registry.SetValue(HKEY_CURRENT_USER, "K", "", Text(Game));
  EXPECT_EQ(Resolve("$REG$HKCRTop"), Game);  // no "$KEY$": the root itself is opened
  EXPECT_EQ(Resolve("$REG$HKCRK$KEY$$DEF$x"), Game);
}

TEST_F(RegistryResolveTest, TheMenuResolvesEachReferenceOnce) {
  std::string Game = Dir.Write("game.exe", "MZ");
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "ok", Text(Game));
  Registry.SetValue(HKEY_LOCAL_MACHINE, "K", "nested", Text("$REG$HKLMK$KEY$ok"));
  std::string Menu =
      Dir.Write("menu.ini",
                "[Main]\nProgCount=4\n[Prog_1]\nExePath=$REG$HKLMK$KEY$ok$DEF$fallback.exe\n"
                "[Prog_2]\nExePath=$REG$HKLMK$KEY$nested$DEF$$REG$HKLMK$KEY$ok\n"
                "[Prog_3]\nExePath=plain.exe\n[Prog_4]\nExePath=$REG$HKLMK$KEY$missing\n");
  TOstrelInfo Info(Menu, Registry);
  EXPECT_EQ(Info.ProgInfo(0)->ExePath, Game);
  EXPECT_EQ(Info.ProgInfo(1)->ExePath, "$REG$HKLMK$KEY$ok");  // the default is not resolved again
  EXPECT_EQ(Info.ProgInfo(2)->ExePath, "plain.exe");
  EXPECT_EQ(Info.ProgInfo(3)->ExePath, "");
}

TEST(DriverRegistryReferenceTest, TheMenuReadsTheDriversRegistry) {
  TTempDir Dir;
  Dir.Write("Games/space.exe", "MZ");
  Dir.Write("menu.ini",
            "[Main]\nProgCount=1\n[Prog_1]\nExePath=$REG$HKLMSoftware\\Space$KEY$Path\n");
  THeadlessDriver Headless;
  Headless.Registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Space", "Path",
                             {TRegDataType::rdString, Dir.File("Games/space.exe")});
  TOstrelInfo Info(Dir.File("menu.ini"));
  ASSERT_EQ(Info.EntryCount(), 1);
  EXPECT_EQ(Info.ProgInfo(0)->ExePath, Dir.File("Games/space.exe"));
}

// The registry the Linux driver gives the menu.
TEST(WinePrefixReferenceTest, TheMenuReadsTheEnvironmentsPrefix) {
  TTempDir Prefix;
  Prefix.Write("drive_c/Games/Space/space.exe", "MZ");
  std::filesystem::create_directories(Prefix.File("dosdevices"));
  std::filesystem::create_directory_symlink("../drive_c", Prefix.File("dosdevices/c:"));
  Prefix.Write("system.reg",
               "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
               "[Software\\\\Vendor\\\\Space] 1700000000\n"
               "\"InstallPath\"=\"C:\\\\games\\\\space\\\\SPACE.EXE\"\n");
  Prefix.Write("menu/menu.ini",
               "[Main]\nProgCount=1\n[Prog_1]\n"
               "ExePath=$REG$HKLMSOFTWARE\\VENDOR\\Space$KEY$InstallPath$DEF$space.exe\n");
  const char* Saved = std::getenv("WINEPREFIX");
  std::string SavedValue = Saved ? Saved : "";
  ::setenv("WINEPREFIX", Prefix.Path().c_str(), 1);
  TOstrelInfo Info(Prefix.File("menu/menu.ini"), *TWineRegistry::FromEnvironment());
  if (Saved)
    ::setenv("WINEPREFIX", SavedValue.c_str(), 1);
  else
    ::unsetenv("WINEPREFIX");
  ASSERT_EQ(Info.EntryCount(), 1);
  EXPECT_TRUE(TargetAvailable(Info.ProgInfo(0)->ExePath)) << Info.ProgInfo(0)->ExePath;
  EXPECT_EQ(std::filesystem::canonical(Info.ProgInfo(0)->ExePath),
            std::filesystem::canonical(Prefix.File("drive_c/Games/Space/space.exe")));
}

}  // namespace
