// Tests of the in-memory registry: key paths and value names as the system registry reads them.
#include "platform/headless/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

std::optional<TRegData> Query(TMemoryRegistry& Registry, TRegRoot Root, const std::string& Key,
                              const std::string& Name) {
  auto Opened = Registry.OpenKeyReadOnly(Root, Key);
  if (!Opened) return std::nullopt;
  return Opened->QueryValue(Name);
}

TEST(MemoryRegistryTest, PathsAndNamesIgnoreLetterCaseAndLeadingBackslash) {
  TMemoryRegistry Registry;
  Registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Game", "InstallPath",
                    {TRegDataType::rdExpandString, "C:\\Game"});
  auto Data = Query(Registry, HKEY_LOCAL_MACHINE, "\\SOFTWARE\\vendor\\GAME", "installPATH");
  ASSERT_TRUE(Data.has_value());
  EXPECT_EQ(Data->DataType, TRegDataType::rdExpandString);
  EXPECT_EQ(Data->Data, "C:\\Game");
  EXPECT_FALSE(
      Query(Registry, HKEY_CURRENT_USER, "Software\\Vendor\\Game", "InstallPath").has_value());
  EXPECT_FALSE(Query(Registry, HKEY_LOCAL_MACHINE, "Software\\Vendor\\Game", "Other").has_value());
}

TEST(MemoryRegistryTest, ParentsAndRootsExist) {
  TMemoryRegistry Registry;
  Registry.AddKey(HKEY_CURRENT_USER, "A\\B\\C");
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, "a\\b"), nullptr);
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, "A"), nullptr);
  EXPECT_NE(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, ""), nullptr);
  EXPECT_EQ(Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, "B"), nullptr);
  EXPECT_EQ(Registry.OpenKeyReadOnly(HKEY_CURRENT_USER, "A\\B\\C\\D"), nullptr);
}

TEST(MemoryRegistryTest, DefaultValueAndReplacement) {
  TMemoryRegistry Registry;
  Registry.SetValue(HKEY_CURRENT_USER, "", "", {TRegDataType::rdString, "first"});
  Registry.SetValue(HKEY_CURRENT_USER, "\\", "", {TRegDataType::rdString, "second"});
  auto Data = Query(Registry, HKEY_CURRENT_USER, "", "");
  ASSERT_TRUE(Data.has_value());
  EXPECT_EQ(Data->Data, "second");
}

TEST(MemoryRegistryTest, DeniedKeyFailsToOpenButItsSubkeysDoNot) {
  TMemoryRegistry Registry;
  Registry.SetValue(HKEY_LOCAL_MACHINE, "Locked\\Open", "X", {TRegDataType::rdString, "x"});
  Registry.DenyAccess(HKEY_LOCAL_MACHINE, "LOCKED");
  EXPECT_EQ(Registry.OpenKeyReadOnly(HKEY_LOCAL_MACHINE, "Locked"), nullptr);
  EXPECT_TRUE(Query(Registry, HKEY_LOCAL_MACHINE, "Locked\\Open", "X").has_value());
}

}  // namespace
