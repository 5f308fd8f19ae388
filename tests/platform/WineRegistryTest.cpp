// Tests of the registry over a Wine prefix: which hive answers, and Windows paths in values.
#include "platform/posix/WineRegistry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Driver.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace {

// The machine's hive, with a path in each form a value may hold one, and the user's.
const std::string SystemReg = TestData("wine-prefix/system.reg");
const std::string UserReg = TestData("wine-prefix/user.reg");

class WineRegistryTest : public ::testing::Test {
 protected:
  WineRegistryTest() {
    Dir.Write("prefix/drive_c/Games/Sub/Game.exe", "MZ");
    Dir.MakeDir("prefix/dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", Dir.File("prefix/dosdevices/c:"));
    Prefix = Dir.File("prefix");
  }

  void WriteHives() {
    Dir.Write("prefix/system.reg", SystemReg);
    Dir.Write("prefix/user.reg", UserReg);
  }

  // The value as the registry gives it, or a marker when it gives nothing.
  static std::string Read(TRegistryService& Registry, TRegRoot Root, const std::string& Name,
                          TRegDataType Type = TRegDataType::rdString) {
    auto Key = Registry.OpenKeyReadOnly(Root, "Software\\Vendor\\Game");
    if (!Key) return "<no key>";
    auto Data = Key->QueryValue(Name);
    if (!Data) return "<no value>";
    if (Data->DataType != Type) return "<wrong type>";
    return Data->Data;
  }

  std::string Game() const { return Prefix + "/dosdevices/c:/Games/Sub/Game.exe"; }

  TTempDir Dir;
  std::string Prefix;
};

TEST_F(WineRegistryTest, EachRootReadsItsOwnHive) {
  WriteHives();
  TWineRegistry Registry(Prefix);
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Hive"), "system");
  EXPECT_EQ(Read(Registry, HKEY_CURRENT_USER, "Hive"), "user");
  EXPECT_EQ(Read(Registry, HKEY_CURRENT_USER, "InstallPath"), "<no value>");
  EXPECT_EQ(Registry.OpenKeyReadOnly(static_cast<TRegRoot>(0x80000000u), ""), nullptr);
}

TEST_F(WineRegistryTest, DrivePathsMapThroughDosDevices) {
  WriteHives();
  TWineRegistry Registry(Prefix);
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "InstallPath"), Game());
  EXPECT_TRUE(Driver().Files().FileExists(Game()));
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "WrongCase"), Game());
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Slashes"), Game());
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Expand", TRegDataType::rdExpandString), Game());
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "DriveOnly"), Prefix + "/dosdevices/c:");
}

TEST_F(WineRegistryTest, UncPathsMapBelowUnc) {
  WriteHives();
  TWineRegistry Registry(Prefix);
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Unc"),
            Prefix + "/dosdevices/unc/server/share/x.exe");
}

TEST_F(WineRegistryTest, OtherTextStaysAsStored) {
  WriteHives();
  TWineRegistry Registry(Prefix);
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Relative"), "Sub\\Game.exe");
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "NotAPath"), "just text");
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Quoted"), "\"C:\\Games\\Sub\\Game.exe\"");
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Unexpanded", TRegDataType::rdExpandString),
            "%ProgramFiles%\\Game.exe");
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Number", TRegDataType::rdOther), "");
}

TEST_F(WineRegistryTest, KeyPathsLikeTheSystemRegistry) {
  WriteHives();
  TWineRegistry Registry(Prefix);
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, "\\software\\VENDOR\\game"), nullptr);
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, ""), nullptr);
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, "Software"), nullptr);
  EXPECT_EQ(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, "Software\\Other"), nullptr);
}

TEST_F(WineRegistryTest, MissingHiveOpensNothing) {
  Dir.Write("prefix/system.reg", SystemReg);
  TWineRegistry Registry(Prefix);
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Hive"), "system");
  EXPECT_EQ(Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, ""), nullptr);
}

TEST_F(WineRegistryTest, MissingPrefixOpensNothing) {
  TWineRegistry Missing(Dir.File("no-prefix"));
  EXPECT_EQ(Missing.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, ""), nullptr);
  EXPECT_EQ(Missing.OpenKeyReadOnly(HKEY_CURRENT_USER, ""), nullptr);
  TWineRegistry Empty("");
  EXPECT_EQ(Empty.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, ""), nullptr);
}

TEST_F(WineRegistryTest, HiveIsReadOnFirstUseAndKept) {
  TWineRegistry Registry(Prefix);
  WriteHives();
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Hive"), "system");
  Dir.Write("prefix/system.reg", "WINE REGISTRY Version 2\n");
  EXPECT_EQ(Read(Registry, HKEY_LOCAL_MACHINE, "Hive"), "system");
}

TEST_F(WineRegistryTest, KeyOutlivesItsRegistry) {
  WriteHives();
  std::unique_ptr<TRegistryKey> Key;
  {
    TWineRegistry Registry(Prefix + "/");
    Key = Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Game");
  }
  ASSERT_NE(Key, nullptr);
  auto Data = Key->QueryValue("InstallPath");
  ASSERT_TRUE(Data.has_value());
  EXPECT_EQ(Data->Data, Game());
}

TEST_F(WineRegistryTest, EnvironmentPrefixComesFirst) {
  WriteHives();
  TScopedEnv WinePrefix("WINEPREFIX", Prefix.c_str());
  TScopedEnv Home("HOME", Dir.Path().c_str());
  EXPECT_EQ(Read(*TWineRegistry::FromEnvironment(), HKEY_LOCAL_MACHINE, "InstallPath"), Game());
}

TEST_F(WineRegistryTest, HomeWineIsTheDefaultPrefix) {
  Dir.Write("home/.wine/system.reg", SystemReg);
  TScopedEnv WinePrefix("WINEPREFIX", std::nullopt);
  TScopedEnv Home("HOME", Dir.File("home").c_str());
  EXPECT_EQ(Read(*Driver().OpenRegistry(), HKEY_LOCAL_MACHINE, "Hive"), "system");
}

TEST_F(WineRegistryTest, NoPrefixInTheEnvironmentOpensNothing) {
  TScopedEnv WinePrefix("WINEPREFIX", "");
  TScopedEnv Home("HOME", std::nullopt);
  auto Registry = Driver().OpenRegistry();
  ASSERT_NE(Registry, nullptr);
  EXPECT_EQ(Registry->OpenKeyReadOnly(HKEY_LOCAL_MACHINE, ""), nullptr);
  EXPECT_EQ(Registry->OpenKeyReadOnly(HKEY_CURRENT_USER, ""), nullptr);
}

}  // namespace
