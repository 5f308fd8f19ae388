// The menu by keyboard alone: the focus moves with Tab, the arrows, Home and End over the
// enabled buttons, Enter and Space act as a click, and the focused face is the hot face with
// the dotted focus outline, shown only once a navigation key was used.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "MenuWindowFixture.h"

namespace {

class KeyboardFocusTest : public TMenuWindowFixture {
 protected:
  // An entry at a place, opening a file of the menu folder that exists unless Missing.
  std::string Entry(int X, int Y, const std::string& Target, bool Missing = false) {
    const std::string Path = Missing ? Dir.File(Target) : Dir.Write(Target, "text");
    return "X=" + std::to_string(X) + "\nY=" + std::to_string(Y) +
           "\nWidth=100\nHeight=30\nButtonText=" + Target + "\nExePath=" + Path;
  }

  void Press(TForm1& Form, unsigned Key, unsigned Modifiers = 0) {
    PostKey(System, static_cast<THeadlessWindow*>(Form.NativeWindow()), Key, Modifiers);
    App.ProcessMessages();
  }

  int FocusedIndex(TForm1& Form) {
    for (int I = 0; I < Form.RunPanel->ControlCount(); ++I)
      if (Form.FocusedControl() == ButtonOf(Form, I)) return I;
    return -1;
  }

  std::vector<std::string> LaunchedNames() const {
    std::vector<std::string> Names;
    for (const TLaunch& Launch : Launches)
      Names.push_back(Launch.FileName.substr(Launch.FileName.rfind('/') + 1));
    return Names;
  }

  // The pixels of a window rectangle of the back buffer.
  static std::vector<TColor> PixelsOf(TForm1& Form, const TRect& Area) {
    std::vector<TColor> Pixels;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X)
        Pixels.push_back(static_cast<TColor>(Form.BackBuffer().Pixel(X, Y) & 0xFFFFFFu));
    return Pixels;
  }
};

TEST_F(KeyboardFocusTest, NothingHasTheFocusUntilANavigationKey) {
  auto* Form = MenuOf({Entry(10, 10, "a.txt"), Entry(10, 50, "b.txt")}, 200, 100);
  App.ProcessMessages();
  const std::vector<TColor> Before = PixelsOf(*Form, Form->ClientRect());
  Press(*Form, vkReturn);
  Press(*Form, vkSpace);
  EXPECT_TRUE(Launches.empty());
  EXPECT_EQ(Form->FocusedControl(), nullptr);
  EXPECT_EQ(PixelsOf(*Form, Form->ClientRect()), Before) << "mouse users see no cue";
}

TEST_F(KeyboardFocusTest, TabTabEnterStartsTheSecondTarget) {
  auto* Form =
      MenuOf({Entry(10, 10, "a.txt"), Entry(10, 50, "b.txt"), Entry(10, 90, "c.txt")}, 200, 140);
  Press(*Form, vkTab);
  EXPECT_EQ(FocusedIndex(*Form), 0);
  Press(*Form, vkTab);
  Press(*Form, vkReturn);
  EXPECT_EQ(LaunchedNames(), (std::vector<std::string>{"b.txt"}));
  Press(*Form, vkTab);
  Press(*Form, vkTab);
  EXPECT_EQ(FocusedIndex(*Form), 0) << "Tab wraps";
  Press(*Form, vkTab, emShift);
  EXPECT_EQ(FocusedIndex(*Form), 2) << "Shift+Tab wraps back";
  Press(*Form, vkSpace);
  EXPECT_EQ(LaunchedNames(), (std::vector<std::string>{"b.txt", "c.txt"}));
}

TEST_F(KeyboardFocusTest, TheFirstKeyChoosesAnEndAndHomeAndEndJump) {
  auto* Form =
      MenuOf({Entry(10, 10, "a.txt"), Entry(10, 50, "b.txt"), Entry(10, 90, "c.txt")}, 200, 140);
  Press(*Form, vkTab, emShift);
  EXPECT_EQ(FocusedIndex(*Form), 2);
  Press(*Form, vkHome);
  EXPECT_EQ(FocusedIndex(*Form), 0);
  Press(*Form, vkEnd);
  EXPECT_EQ(FocusedIndex(*Form), 2);
  Press(*Form, vkTab, emAlt);
  Press(*Form, vkTab, emCtrl);
  EXPECT_EQ(FocusedIndex(*Form), 2) << "Alt and Ctrl with Tab belong to the desktop";
}

TEST_F(KeyboardFocusTest, ArrowsCrossAGridAndPassOverDisabledButtons) {
  //   a        b
  //
  //   c(gone)  d
  auto* Form = MenuOf({Entry(10, 10, "a.txt"), Entry(150, 10, "b.txt"),
                       Entry(10, 160, "c.txt", true), Entry(150, 160, "d.txt")},
                      300, 220);
  ASSERT_FALSE(ButtonOf(*Form, 2)->Enabled());
  Press(*Form, vkDown);
  EXPECT_EQ(FocusedIndex(*Form), 0) << "the first arrow focuses the first button";
  Press(*Form, vkDown);
  EXPECT_EQ(FocusedIndex(*Form), 3) << "c is disabled; d lies 43 degrees off";
  Press(*Form, vkUp);
  EXPECT_EQ(FocusedIndex(*Form), 1);
  Press(*Form, vkUp);
  EXPECT_EQ(FocusedIndex(*Form), 1) << "nothing above";
  Press(*Form, vkLeft);
  EXPECT_EQ(FocusedIndex(*Form), 0);
  Press(*Form, vkTab);
  Press(*Form, vkTab);
  EXPECT_EQ(FocusedIndex(*Form), 3) << "Tab passes over the disabled button too";
  Press(*Form, vkSpace);
  EXPECT_EQ(LaunchedNames(), (std::vector<std::string>{"d.txt"}));
}

TEST_F(KeyboardFocusTest, AButtonDisabledWhileFocusedLosesTheFocus) {
  auto* Form = MenuOf({Entry(10, 10, "a.txt"), Entry(10, 50, "b.txt")}, 200, 100);
  Press(*Form, vkTab);
  ASSERT_EQ(std::remove(Dir.File("a.txt").c_str()), 0);
  Press(*Form, vkReturn);
  EXPECT_EQ(Dialogs, (std::vector<std::string>{"Cannot open " + Dir.File("a.txt") +
                                               "\nIt is no longer there."}));
  EXPECT_FALSE(ButtonOf(*Form, 0)->Enabled());
  EXPECT_EQ(Form->FocusedControl(), nullptr);
  Press(*Form, vkTab);
  EXPECT_EQ(FocusedIndex(*Form), 1);
}

TEST_F(KeyboardFocusTest, EnterShowsTheMessagesAndClosesTheMenuAsAClickDoes) {
  auto* Form = MenuOf({Entry(10, 10, "a.txt") +
                       "\nPreRunMessage=Before\nAfterRunMessage=After\nTerminateAfterStart=1"},
                      200, 60);
  Press(*Form, vkTab);
  Press(*Form, vkReturn);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog Menu", "launch", "dialog Menu"}));
  EXPECT_EQ(Dialogs, (std::vector<std::string>{"Before", "After"}));
  EXPECT_TRUE(App.Terminated());
}

// The focused face is the hot face with every other pixel of an outline one pixel inside the
// frame inverted.
TEST_F(KeyboardFocusTest, TheFocusedFaceIsTheHotFaceWithADottedOutline) {
  auto* Form = MenuOf({Entry(10, 10, "a.txt"), Entry(10, 50, "b.txt")}, 200, 100);
  const TRect Face = Bounds(10, 10, 100, 30);
  App.ProcessMessages();
  const std::vector<TColor> Resting = PixelsOf(*Form, Face);
  Press(*Form, vkTab);
  const std::vector<TColor> Focused = PixelsOf(*Form, Face);

  Press(*Form, vkTab);
  EXPECT_EQ(PixelsOf(*Form, Face), Resting) << "the focus left without a trace";
  TWindowEvent Move;
  Move.Kind = TWindowEvent::TKind::wkPointerMove;
  Move.Window = Form->NativeWindow();
  Move.X = 50;
  Move.Y = 20;
  System.MovePointer(50, 20);
  System.Post(Move);
  App.ProcessMessages();
  const std::vector<TColor> Hot = PixelsOf(*Form, Face);
  ASSERT_NE(Hot, Resting);

  // The explorer face's frame is one pixel wide: the outline lies two pixels in.
  const TRect Outline = Bounds(2, 2, 96, 26);
  int Dots = 0;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 100; ++X) {
      const std::size_t I = static_cast<std::size_t>(Y * 100 + X);
      const bool OnOutline =
          Outline.Contains({X, Y}) && !InflateRect(Outline, -1, -1).Contains({X, Y});
      const bool Dot = OnOutline && (X + 10 + Y + 10) % 2 == 0;
      Dots += Dot;
      ASSERT_EQ(Focused[I], Dot ? (Hot[I] ^ 0xFFFFFF) : Hot[I]) << "at " << X << "," << Y;
    }
  EXPECT_EQ(Dots, 120);
}

}  // namespace
