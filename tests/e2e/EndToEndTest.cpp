// The built menu program in a folder of its own, driven through the display as a user drives it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "e2e/EndToEndFixture.h"
#include "platform/Driver.h"
#include "platform/PngDecoder.h"

namespace {

TEST_F(EndToEndTest, WindowFitsTheBackgroundAndIsCentred) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(Capture("xdotool getwindowname " + std::to_string(W)).Output, AppName + "\n");
  XWindowAttributes Attributes{};
  ASSERT_TRUE(XGetWindowAttributes(Probe, W, &Attributes));
  EXPECT_EQ(Attributes.width, MenuWidth);
  EXPECT_EQ(Attributes.height, MenuHeight);
  int Left = 0, Top = 0;
  ::Window Child = 0;
  XTranslateCoordinates(Probe, W, DefaultRootWindow(Probe), 0, 0, &Left, &Top, &Child);
  // The frame around the client area moves it by a few pixels, the title bar down a little more.
  EXPECT_NEAR(Left + MenuWidth / 2, 1024 / 2, 8);
  EXPECT_NEAR(Top + MenuHeight / 2, 768 / 2, 24);
}

TEST_F(EndToEndTest, ClickStartsTheTargetWithItsParametersInItsFolder) {
  WriteMenu(
      {{"&Run", WriteTarget("run.sh", "ran"), "\"two words\" second", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(ReadAll(Folder.File("ran")), Folder.Path() + "/tools\ntwo words\nsecond\n");
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, MessagesComeBeforeAndAfterTheStart) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "Before the start.", "After the start.",
              false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  const ::Window Before = WaitDialog();
  ASSERT_NE(Before, 0u) << "no message before the start";
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0) << "the target started before the message";
  PressReturn(Before);
  ASSERT_TRUE(MarkerWritten("ran"));
  const ::Window After = WaitDialog(Before);
  ASSERT_NE(After, 0u) << "no message after the start";
  PressReturn(After);
  EXPECT_TRUE(Gone(After, AppTaskName));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, TerminateAfterStartEndsTheProgram) {
  WriteMenu({{"E&xit", WriteTarget("run.sh", "ran"), "", "", "", true, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  EXPECT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingBackgroundShowsTheErrorBoxAndEnds) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}}, "absent.bmp");
  Menu = std::make_unique<TMenuProcess>(Folder.Path(), Server->Name());
  std::vector<::Window> Boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(Boxes = WindowsNamed("Ostrel")).empty(); }))
      << ReadAll(Folder.File("ostrel.log"));
  EXPECT_TRUE(WindowsNamed(AppName).empty());
  PressReturn(Boxes.front());
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingTargetGivesADisabledButton) {
  WriteMenu({{"&Absent", "tools\\absent.sh", "", "Never shown.", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  // The program handles the clicks in order: once the second has started its target, the first
  // would have shown its message.
  Click(W, SecondButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_TRUE(WindowsNamed(AppTaskName).empty());
}

TEST_F(EndToEndTest, AltAndTheAcceleratorClicksTheButton) {
  WriteMenu({{"Other", WriteTarget("other.sh", "other"), "", "", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowfocus --sync " + std::to_string(W) + " key alt+r");
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_NE(access(Folder.File("other").c_str(), F_OK), 0);
}

// A spare key of the keyboard typing Cyrillic_i, for as long as it lives. xdotool would otherwise
// map one only for the moment of its press, and a program that reads the new keyboard map a
// little late finds the old one again.
class TCyrillicKey {
 public:
  explicit TCyrillicKey(Display* Dpy) : FDisplay(Dpy) {
    int First = 0, Last = 0, PerCode = 0;
    XDisplayKeycodes(Dpy, &First, &Last);
    KeySym* Map = XGetKeyboardMapping(Dpy, static_cast<KeyCode>(First), Last - First + 1, &PerCode);
    for (int Code = Last; Code >= First && FCode == 0; --Code)
      if (std::all_of(Map + (Code - First) * PerCode, Map + (Code - First + 1) * PerCode,
                      [](KeySym Sym) { return Sym == NoSymbol; }))
        FCode = Code;
    XFree(Map);
    KeySym Syms[2] = {XK_Cyrillic_i, XK_Cyrillic_I};
    if (FCode != 0) XChangeKeyboardMapping(Dpy, FCode, 2, Syms, 1);
    XSync(Dpy, False);
  }
  ~TCyrillicKey() {
    KeySym Nothing[2] = {NoSymbol, NoSymbol};
    if (FCode != 0) XChangeKeyboardMapping(FDisplay, FCode, 2, Nothing, 1);
    XSync(FDisplay, False);
  }
  bool Mapped() const { return FCode != 0; }

 private:
  Display* FDisplay;
  int FCode = 0;
};

// The key's character in the keyboard's layout: a Cyrillic letter on a Cyrillic caption.
TEST_F(EndToEndTest, AltAndACyrillicLetterClicksItsButton) {
  WriteMenu({{"&\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", WriteTarget("games.sh", "games"), "", "", "",
              false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const TCyrillicKey Key(Probe);
  ASSERT_TRUE(Key.Mapped()) << "no spare key in the keyboard map";
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowfocus --sync " + std::to_string(W) + " key alt+Cyrillic_i");
  ASSERT_TRUE(MarkerWritten("games"));
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, CloseRequestEndsTheProgram) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  XEvent Event{};
  Event.xclient.type = ClientMessage;
  Event.xclient.window = W;
  Event.xclient.message_type = AtomOf(Probe, "WM_PROTOCOLS");
  Event.xclient.format = 32;
  Event.xclient.data.l[0] = static_cast<long>(AtomOf(Probe, "WM_DELETE_WINDOW"));
  Event.xclient.data.l[1] = CurrentTime;
  XSendEvent(Probe, W, False, NoEventMask, &Event);
  XFlush(Probe);
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, AltF4EndsTheProgram) {
  if (!HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowactivate --sync " + std::to_string(W) + " key alt+F4");
  EXPECT_EQ(Menu->WaitExit(), 0);
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, HoverChangesTheButton) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  // The pointer stays off the window until it is shown, so that no button starts highlighted.
  Xdotool("mousemove 0 0");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FreeX) + " " +
          std::to_string(FreeY));
  const std::vector<unsigned long> Plain = Area(W, FirstButton);
  ASSERT_FALSE(Plain.empty());
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FirstButton.CenterX()) +
          " " + std::to_string(FirstButton.CenterY()));
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) != Plain; }));
}

// The frame the inspector renders for the menu in Folder, with the pointer as Pointer says
// ("", "--hot 0" or "--down 0"), as 0x00RRGGBB values row by row.
std::vector<unsigned long> InspectorFrame(const TTempDir& Folder, const std::string& Pointer) {
  const std::string Png = Folder.File("expected.png");
  const TCommandResult Rendered =
      Capture("cd " + Quoted(Folder.Path()) + " && " + Quoted(OSTREL_INSPECT) + " --render " +
              Quoted(Png) + " " + Pointer + " . 2>&1");
  EXPECT_TRUE(Rendered.Ok) << Rendered.Output;
  std::string Bytes;
  TPngImage Image;
  if (Driver().Files().ReadFileBytes(Png, MaxPngBytes, Bytes) != TReadStatus::rsRead ||
      !DecodePng(Bytes, Image))
    return {};
  std::vector<unsigned long> Pixels;
  for (std::uint32_t Pixel : Image.Pixels) Pixels.push_back(Pixel & 0xFFFFFF);
  return Pixels;
}

std::size_t CountOf(const std::vector<unsigned long>& Pixels, unsigned long Value) {
  return static_cast<std::size_t>(std::count(Pixels.begin(), Pixels.end(), Value));
}

TEST_F(EndToEndTest, TheScreenShowsExactlyTheFramesThePainterMakes) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const TButtonPlace Whole{0, 0, MenuWidth, MenuHeight};
  const std::vector<unsigned long> Plain = InspectorFrame(Folder, "");
  const std::vector<unsigned long> Hot = InspectorFrame(Folder, "--hot 0");
  const std::vector<unsigned long> Down = InspectorFrame(Folder, "--down 0");
  ASSERT_EQ(Plain.size(), static_cast<std::size_t>(MenuWidth * MenuHeight));
  // The caption is yellow, and lime while the pointer is over the button.
  constexpr unsigned long Yellow = 0xFFFF00, Lime = 0x00FF00;
  EXPECT_GT(CountOf(Plain, Yellow), 20u);
  EXPECT_EQ(CountOf(Plain, Lime), 0u);
  EXPECT_GT(CountOf(Hot, Lime), 20u);
  EXPECT_EQ(CountOf(Hot, Yellow), 0u);
  EXPECT_NE(Down, Hot) << "a held button is sunken, its caption shifted";

  Xdotool("mousemove 0 0");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  const std::string Into = "mousemove --window " + std::to_string(W) + " ";
  Xdotool(Into + std::to_string(FreeX) + " " + std::to_string(FreeY));
  EXPECT_TRUE(WaitUntil([&] { return Area(W, Whole) == Plain; })) << "the plain face";
  Xdotool(Into + std::to_string(FirstButton.CenterX()) + " " +
          std::to_string(FirstButton.CenterY()));
  EXPECT_TRUE(WaitUntil([&] { return Area(W, Whole) == Hot; })) << "the hot button";
  Xdotool("mousedown 1");
  EXPECT_TRUE(WaitUntil([&] { return Area(W, Whole) == Down; })) << "the held button";
  // Released away from the button: no click, and the face is plain again.
  Xdotool(Into + std::to_string(FreeX) + " " + std::to_string(FreeY) + " mouseup 1");
  EXPECT_TRUE(WaitUntil([&] { return Area(W, Whole) == Plain; })) << "the plain face again";
  EXPECT_FALSE(WaitUntil([&] { return access(Folder.File("ran").c_str(), F_OK) == 0; }, 500));
}

TEST_F(EndToEndTest, WithoutAnIconInTheMenuTheWindowShowsTheProgramsOwn) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  ASSERT_EQ(XGetWindowProperty(Probe, W, XInternAtom(Probe, "_NET_WM_ICON", False), 0, 2, False,
                               XA_CARDINAL, &Type, &Format, &Count, &After, &Data),
            Success);
  ASSERT_EQ(Count, 2u);
  const auto* Size = reinterpret_cast<const unsigned long*>(Data);
  // The program's icon holds 48, 32 and 16 pixel images; the largest comes first.
  EXPECT_EQ(Size[0], 48u);
  EXPECT_EQ(Size[1], 48u);
  EXPECT_GT(After, 0u);
  XFree(Data);
}

}  // namespace
