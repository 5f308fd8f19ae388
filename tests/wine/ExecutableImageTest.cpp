// The cross-built ostrel.exe as Windows 7 to 11 load it: its headers, its manifest (resource
// type 24) and its imports, read on the build host.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "wine/PeImage.h"

namespace {

class ExecutableImageTest : public testing::Test {
 protected:
  void SetUp() override {
    std::optional<TPeImage> Read = ReadPeImage(OSTREL_WINDOWS_EXE);
    ASSERT_TRUE(Read) << OSTREL_WINDOWS_EXE << " is no readable Windows program";
    Image = std::move(*Read);
  }

  std::string Manifest() const {
    constexpr std::uint32_t ManifestType = 24, ProcessManifest = 1;
    return PeResource(Image, ManifestType, ProcessManifest).value_or("");
  }

  TPeImage Image;
};

TEST_F(ExecutableImageTest, AsksForWindows7Sp1AsAGuiProgram) {
  constexpr std::uint16_t WindowsGui = 2;
  EXPECT_EQ(Image.Subsystem, WindowsGui);
  EXPECT_EQ(Image.MajorSubsystemVersion, 6);
  EXPECT_EQ(Image.MinorSubsystemVersion, 1);
  EXPECT_EQ(Image.MajorOperatingSystemVersion, 6);
  EXPECT_EQ(Image.MinorOperatingSystemVersion, 1);
}

TEST_F(ExecutableImageTest, ManifestRunsAsTheInvokerWithoutElevation) {
  const std::string Text = Manifest();
  ASSERT_FALSE(Text.empty()) << "no manifest resource 1 of type 24";
  EXPECT_NE(Text.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            std::string::npos);
  EXPECT_EQ(Text.find("requireAdministrator"), std::string::npos);
  EXPECT_EQ(Text.find("highestAvailable"), std::string::npos);
}

TEST_F(ExecutableImageTest, ManifestNamesEverySystemFromWindows7To11) {
  const std::string Text = Manifest();
  for (const char* Id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // Windows 7
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // Windows 8
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // Windows 8.1
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // Windows 10 and 11
    EXPECT_NE(Text.find(std::string("<supportedOS Id=\"") + Id + "\"/>"), std::string::npos) << Id;
}

TEST_F(ExecutableImageTest, ManifestDeclaresPerMonitorDpiAwarenessAndCommonControls6) {
  const std::string Text = Manifest();
  EXPECT_NE(Text.find(">true/pm</dpiAware>"), std::string::npos);
  EXPECT_NE(Text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(Text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(Text.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
}

TEST_F(ExecutableImageTest, ImportsOnlyFunctionsWindows7Has) {
  std::ifstream List(OSTREL_WINDOWS7_IMPORTS);
  ASSERT_TRUE(List) << OSTREL_WINDOWS7_IMPORTS;
  std::set<std::string> Known;
  for (std::string Line; std::getline(List, Line);)
    if (!Line.empty() && Line[0] != '#') Known.insert(Line);
  ASSERT_FALSE(Image.Imports.empty());
  for (const std::string& Import : Image.Imports)
    EXPECT_EQ(Known.count(Import), 1u) << Import << " is not in the list of Windows 7 functions";
}

}  // namespace
