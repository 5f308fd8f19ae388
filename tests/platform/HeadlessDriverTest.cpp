// Tests of the headless driver on its own: the launches it records instead of starting them,
// its registry, and what it cannot give without a host.
#include "platform/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The headless driver this suite's main function makes has no host; one made over it has none
// of the services that draw either.
class HeadlessDriverTest : public testing::Test {
 protected:
  THeadlessDriver Headless;
};

}  // namespace

TEST_F(HeadlessDriverTest, ShellOpenRecordsEachLaunchInOrderAndStartsNothing) {
  std::vector<std::string> Told;
  Headless.OnShellOpen = [&](const THeadlessLaunch& Launch) { Told.push_back(Launch.FileName); };
  EXPECT_EQ(Driver().ShellOpen("/menu/setup.exe", "/s", "/menu"), "");
  Headless.RefuseWith = "it does not exist";
  EXPECT_EQ(Driver().ShellOpen("https://example.org/", "", ""), "it does not exist");
  ASSERT_EQ(Headless.Launches.size(), 2u);
  EXPECT_EQ(Headless.Launches[0].FileName, "/menu/setup.exe");
  EXPECT_EQ(Headless.Launches[0].Parameters, "/s");
  EXPECT_EQ(Headless.Launches[0].Directory, "/menu");
  EXPECT_EQ(Headless.Launches[1].FileName, "https://example.org/");
  EXPECT_EQ(Told, (std::vector<std::string>{"/menu/setup.exe", "https://example.org/"}));
}

TEST_F(HeadlessDriverTest, WindowSystemIsTheDriverItself) {
  std::string Error = "untouched";
  EXPECT_EQ(Headless.OpenWindowSystem(Error), &Headless);
  EXPECT_EQ(Error, "untouched");
}

TEST_F(HeadlessDriverTest, RegistryIsACopyOfWhatWasStoredBeforeOpening) {
  Headless.Registry.SetValue(HKEY_CURRENT_USER, "Software\\Menu", "Path",
                             {TRegDataType::rdString, "C:\\Menu"});
  const std::unique_ptr<TRegistryService> Opened = Driver().OpenRegistry();
  Headless.Registry.SetValue(HKEY_CURRENT_USER, "Software\\Menu", "Path",
                             {TRegDataType::rdString, "changed"});
  const std::unique_ptr<TRegistryKey> Key =
      Opened->OpenKeyReadOnly(HKEY_CURRENT_USER, "software\\menu");
  ASSERT_NE(Key, nullptr);
  EXPECT_EQ(Key->QueryValue("path")->Data, "C:\\Menu");
}

TEST_F(HeadlessDriverTest, WithoutAHostItHasNoGlyphsColoursOrCodePages) {
  EXPECT_THROW(Headless.TextEngine(), std::logic_error);
  EXPECT_THROW(Headless.SystemColorRGB(15), std::logic_error);
  EXPECT_THROW(Headless.DecodeCodePage("a", 1252), std::logic_error);
  EXPECT_THROW(Headless.MessageFont(), std::logic_error);
}

TEST_F(HeadlessDriverTest, FilesAreTheRealOnes) {
  EXPECT_TRUE(Headless.Files().DirectoryExists("/"));
  EXPECT_FALSE(Headless.Files().FileExists("/"));
}
