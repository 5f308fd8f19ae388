// The Windows program under Wine, in a folder of its own, driven through the display as a user
// drives it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "support/PictureWriters.h"
#include "wine/WineFixture.h"

namespace {

// The characters of Text in the order of their first appearance.
std::u32string FirstAppearances(const std::u32string& Text) {
  std::u32string Result;
  for (char32_t C : Text)
    if (Result.find(C) == std::u32string::npos) Result += C;
  return Result;
}

// The characters whose coverage masks the program asked GDI for, in that order, from Wine's
// font trace: each glyph is asked for its size first, with no buffer.
std::u32string RequestedGlyphs(const std::string& Trace) {
  std::u32string Result;
  std::istringstream Lines(Trace);
  std::string Line;
  const std::string Call = "NtGdiGetGlyphOutline (";
  while (std::getline(Lines, Line)) {
    const std::size_t At = Line.find(Call);
    if (At == std::string::npos || Line.find(", 0006, ") == std::string::npos ||
        Line.find(", 0, (nil),") == std::string::npos)
      continue;
    const std::size_t Comma = Line.find(", ", At);
    if (Comma == std::string::npos) continue;
    Result += static_cast<char32_t>(std::stoul(Line.substr(Comma + 2, 4), nullptr, 16));
  }
  return Result;
}

TEST_F(WineTest, WindowHasTheBackgroundsClientSizeAndTheCaption) {
  WriteMenu({{"&Run", AddProbe(), ""}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(WindowName(W), AppName);
  const XWindowAttributes Attributes = AttributesOf(Probe, W);
  EXPECT_EQ(Attributes.width, MenuWidth);
  EXPECT_EQ(Attributes.height, MenuHeight);
}

// The scale the user asks for reaches the Windows program through Wine's environment: the
// window is twice as large, and its button takes the pointer where it is drawn.
TEST_F(WineTest, ScaleTwoGivesAWindowTwiceTheSize) {
  WriteMenu({{"&Run", AddProbe(), ""}});
  TScopedEnv Scale("OSTREL_SCALE", "2");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const XWindowAttributes Attributes = AttributesOf(Probe, W);
  EXPECT_EQ(Attributes.width, 2 * MenuWidth);
  EXPECT_EQ(Attributes.height, 2 * MenuHeight);
  Click(W, {2 * FirstButton.X, 2 * FirstButton.Y, 2 * FirstButton.Width, 2 * FirstButton.Height});
  EXPECT_TRUE(ProbeReported()) << Log();
}

// The task bar shows the application title: the menu window is owned by an entry that carries
// it, as the window's own caption carries the menu's name.
TEST_F(WineTest, TheTaskBarEntryCarriesTheTaskNameAndOwnsTheMenuWindow) {
  WriteMenu({{"&Run", AddProbe(), ""}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_TRUE(WaitUntil([&] {
    return Capture("xdotool getwindowfocus").Output == std::to_string(W) + "\n";
  })) << "the shown window has the keyboard";
  EXPECT_EQ(WindowName(W), AppName);
  ::Window Owner = 0;
  ASSERT_TRUE(XGetTransientForHint(Probe, W, &Owner)) << "the menu window has an owner";
  EXPECT_EQ(WindowName(Owner), AppTaskName);
}

// The system's decoder reads the pictures by their contents: the window takes the picture's size
// and shows its colour (StartMenu waits for it at a free point).
TEST_F(WineTest, APngBackgroundIsReadWhateverItsName) {
  WriteMenu({{"&Run", AddProbe(), ""}}, "picture.img");
  TBitmap Picture(MenuWidth, MenuHeight);
  for (int Y = 0; Y < MenuHeight; ++Y)
    for (int X = 0; X < MenuWidth; ++X) Picture.SetPixel(X, Y, BackgroundColor);
  Picture.SaveToPngFile(Folder.File("picture.img"));
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(AttributesOf(Probe, W).width, MenuWidth);
}

TEST_F(WineTest, AJpegBackgroundIsReadWhateverItsName) {
  WriteMenu({{"&Run", AddProbe(), ""}}, "picture.img");
  TJpegPicture Picture{MenuWidth, MenuHeight, TJpegInks::jiStoredRgb, true, true, {}};
  for (int I = 0; I < MenuWidth * MenuHeight; ++I)
    for (int Shift : {16, 8, 0})
      Picture.Samples.push_back(static_cast<std::uint8_t>(BackgroundColor >> Shift));
  Folder.Write("picture.img", WriteJpeg(Picture));
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(AttributesOf(Probe, W).height, MenuHeight);
}

TEST_F(WineTest, HoverChangesTheButtonAndLeavingRestoresIt) {
  WriteMenu({{"&Run", AddProbe(), ""}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  MovePointer(W, FreeX, FreeY);
  const std::vector<unsigned long> Plain = Area(W, FirstButton);
  ASSERT_FALSE(Plain.empty());
  MovePointer(W, FirstButton.CenterX(), FirstButton.CenterY());
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) != Plain; }))
      << "the button did not change under the pointer";
  MovePointer(W, FreeX, FreeY);
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) == Plain; }))
      << "the button kept its hover look after the pointer left";
}

TEST_F(WineTest, ClickStartsTheWindowsTargetWithItsParametersInItsFolder) {
  WriteMenu({{"&Run", AddProbe(), "\"two words\" second"}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(ProbeReported()) << Log();
  std::istringstream Report(ReadAll(Folder.File("tools/ArgsProbe.txt")));
  std::string CommandLine, Directory;
  std::getline(Report, CommandLine);
  std::getline(Report, Directory);
  EXPECT_NE(CommandLine.find("ArgsProbe.exe"), std::string::npos) << CommandLine;
  EXPECT_TRUE(CommandLine.ends_with(" \"two words\" second")) << CommandLine;
  EXPECT_EQ(Directory, WindowsPath(Folder.File("tools")));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(WineTest, AltAndTheAcceleratorClicksTheButton) {
  WriteMenu({{"Other", "tools\\Other.exe", "", FirstButton},
             {"&Run", AddProbe(), "accelerated", SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Capture("xdotool windowactivate --sync " + std::to_string(W) + " key alt+r");
  ASSERT_TRUE(ProbeReported()) << Log();
  EXPECT_TRUE(ReadAll(Folder.File("tools/ArgsProbe.txt")).find(" accelerated\n") !=
              std::string::npos);
}

TEST_F(WineTest, TabAndEnterStartTheFocusedButton) {
  const std::string ArgsProbe = AddProbe();
  WriteMenu({{"&First", ArgsProbe, "first", FirstButton},
             {"&Run", ArgsProbe, "by keyboard", SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  PressKeys(W, "Tab Tab Return");
  ASSERT_TRUE(ProbeReported()) << Log();
  EXPECT_TRUE(ReadAll(Folder.File("tools/ArgsProbe.txt")).find(" by keyboard\n") !=
              std::string::npos);
}

TEST_F(WineTest, MessageBeforeTheStartIsAnOwnedDialogThatReturnCloses) {
  WriteMenu({{"&Run", AddProbe(), "", FirstButton, "Before the start."}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  std::vector<::Window> Dialogs;
  ASSERT_TRUE(WaitUntil([&] { return !(Dialogs = MessageBoxes()).empty(); })) << Log();
  EXPECT_NE(access(Folder.File("tools/ArgsProbe.txt").c_str(), F_OK), 0)
      << "the target started before the message was closed";
  PressReturn(Dialogs.front());
  EXPECT_TRUE(ProbeReported()) << Log();
  EXPECT_TRUE(WaitUntil([&] { return MessageBoxes().empty(); }));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(WineTest, CloseRequestThroughTheWindowManagerEndsTheProgram) {
  WriteMenu({{"&Run", AddProbe(), ""}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  PressKeys(W, "alt+F4");
  EXPECT_EQ(Menu->WaitExit(), 0);
  EXPECT_NE(access(Folder.File("tools/ArgsProbe.txt").c_str(), F_OK), 0);
}

TEST_F(WineTest, RegistryReferenceResolvesAgainstThePrefixRegistry) {
  const std::string Target = WindowsPath(Folder.File("tools/ArgsProbe.exe"));
  AddProbe();
  ASSERT_TRUE(Capture(std::string(OSTREL_WINE_LOADER) + " reg add " +
                      Quoted("HKCU\\Software\\Ostrel Wine Tests") + " /v Probe /t REG_SZ /d " +
                      Quoted(Target) + " /f")
                  .Ok);
  // The default names nothing: only the registry's value can make the button work.
  WriteMenu({{"&Run", "$REG$HKCU\\Software\\Ostrel Wine Tests$KEY$Probe$DEF$tools\\Absent.exe",
              "from-registry"}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(ProbeReported()) << Log();
  EXPECT_TRUE(ReadAll(Folder.File("tools/ArgsProbe.txt")).find(" from-registry\n") !=
              std::string::npos);
}

TEST_F(WineTest, MissingBackgroundShowsTheErrorBoxAndEnds) {
  WriteMenu({{"&Run", AddProbe(), ""}}, "absent.bmp");
  StartProgram("trace+font");
  std::vector<::Window> Boxes;
  // Before the settings give a title, the box is captioned with the program's name.
  ASSERT_TRUE(WaitUntil([&] { return !(Boxes = WindowsNamed("Ostrel")).empty(); })) << Log();
  EXPECT_TRUE(WindowsNamed(AppName).empty());
  // The box's text is drawn from glyphs; their order of first use spells out its beginning.
  const std::u32string Expected = FirstAppearances(U"Cannot open file");
  EXPECT_TRUE(WaitUntil([&] {
    return RequestedGlyphs(Log()).find(Expected) != std::u32string::npos;
  })) << "the box did not draw \"Cannot open file\"";
  PressReturn(Boxes.front());
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(WineTest, AnAddressGoesThroughTheShellToTheDesktopsOpener) {
  // Wine's shell hands web addresses to the Linux desktop's opener; a stand-in records it.
  Folder.MakeDir("bin");
  const std::string Opener = Folder.Write(
      "bin/xdg-open", "#!/bin/sh\necho \"$1\" > " + Quoted(Folder.File("opened.part")) + " && mv " +
                          Quoted(Folder.File("opened.part")) + " " + Quoted(Folder.File("opened")) +
                          "\n");
  ASSERT_EQ(chmod(Opener.c_str(), 0755), 0);
  const char* Path = std::getenv("PATH");
  TScopedEnv WithOpener("PATH", Folder.File("bin") + ":" + (Path ? Path : "/usr/bin:/bin"));
  WriteMenu({{"&Web", "https://example.org/start?a=1", ""}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(WaitUntil([&] { return access(Folder.File("opened").c_str(), F_OK) == 0; }, 30000))
      << Log();
  EXPECT_EQ(ReadAll(Folder.File("opened")), "https://example.org/start?a=1\n");
  EXPECT_TRUE(MessageBoxes().empty()) << "an error box came with the start";
}

TEST_F(WineTest, ATargetTheShellCannotStartIsToldInTheErrorBox) {
  Folder.Write("tools/Broken.exe", "MZ this is no program");
  WriteMenu({{"&Broken", "tools\\Broken.exe", ""}});
  StartProgram("trace+font");
  const ::Window W = WaitMenuWindow(Probe, AppName, FreeX, FreeY, Folder.File("ostrel.log"));
  ASSERT_NE(W, 0u) << Log();
  Click(W, FirstButton);
  std::vector<::Window> Boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(Boxes = MessageBoxes()).empty(); })) << Log();
  const std::u32string Expected = FirstAppearances(U"Cannot open");
  EXPECT_TRUE(WaitUntil([&] {
    return RequestedGlyphs(Log()).find(Expected) != std::u32string::npos;
  })) << "the box did not draw \"Cannot open\"";
  PressReturn(Boxes.front());
  EXPECT_TRUE(WaitUntil([&] { return MessageBoxes().empty(); }));
  EXPECT_TRUE(Menu->Running());
}

}  // namespace
