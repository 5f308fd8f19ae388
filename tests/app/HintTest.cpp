// The buttons' tips: when they come and go, where they lie, and how they look.
#include <gtest/gtest.h>

#include <string>

#include "MenuWindowFixture.h"
#include "framework/HintWindow.h"
#include "platform/Driver.h"

namespace {

class HintTest : public TMenuWindowFixture {
 protected:
  // Two buttons, one above the other, the first with a tip.
  TForm1* TwoButtonMenu() {
    const std::string Target = Dir.Write("a.txt", "text");
    return MenuOf({"X=10\nY=10\nWidth=100\nHeight=30\nButtonText=One\nHint=Opens the first file\n"
                   "ExePath=" +
                       Target,
                   "X=10\nY=45\nWidth=100\nHeight=30\nButtonText=Two\nExePath=" + Target},
                  200, 120);
  }

  // Moves the pointer to a client point of the form and lets the time pass.
  void PointAt(TForm1& Form, int X, int Y) {
    const TPoint Screen = Form.ClientToScreen({X, Y});
    System.MovePointer(Screen.X, Screen.Y);
    TWindowEvent Move;
    Move.Kind = TWindowEvent::TKind::wkPointerMove;
    Move.Window = Form.NativeWindow();
    Move.X = X;
    Move.Y = Y;
    System.Post(Move);
    App.HandleMessage(false);
  }

  void After(int Milliseconds) {
    System.Clock += Milliseconds;
    App.HandleMessage(false);
  }

  bool TipShown() {
    const THintWindow* Tip = App.Hints().Window();
    return Tip && Tip->Showing() &&
           static_cast<const THeadlessWindow*>(Tip->NativeWindow())->Visible;
  }

  TRect TipRect() {
    const THintWindow* Tip = App.Hints().Window();
    return Bounds(Tip->Left(), Tip->Top(), Tip->Width(), Tip->Height());
  }
};

TEST_F(HintTest, TheTipComesHalfASecondAfterThePointerRestsAndGoesWhenItLeaves) {
  auto* Form = TwoButtonMenu();
  PointAt(*Form, 20, 20);
  After(499);
  EXPECT_FALSE(TipShown());
  After(1);
  ASSERT_TRUE(TipShown());
  EXPECT_EQ(App.Hints().Window()->HintText(), "Opens the first file");
  PointAt(*Form, 30, 22);
  EXPECT_TRUE(TipShown()) << "moving within the button keeps it";
  PointAt(*Form, 20, 55);
  EXPECT_FALSE(TipShown()) << "the second button has no tip";
  After(1000);
  EXPECT_FALSE(TipShown());
}

TEST_F(HintTest, APressOrAKeyHidesTheTipAndAMoveWithinTheButtonDoesNotBringItBack) {
  auto* Form = TwoButtonMenu();
  PointAt(*Form, 20, 20);
  After(500);
  ASSERT_TRUE(TipShown());
  PostKey(System, static_cast<THeadlessWindow*>(Form->NativeWindow()), vkEscape);
  App.HandleMessage(false);
  EXPECT_FALSE(TipShown());
  PointAt(*Form, 25, 20);
  After(1000);
  EXPECT_FALSE(TipShown());
}

// An accelerator that opens a message hides the tip before the message shows.
TEST_F(HintTest, TheTipIsGoneWhileAMessageTheKeyOpenedIsUp) {
  auto* Form = MenuOf({"X=10\nY=10\nWidth=100\nHeight=30\nButtonText=&One\nHint=Tip\n"
                       "PreRunMessage=Starting\nExePath=" +
                       Dir.Write("a.txt", "text")},
                      200, 120);
  PointAt(*Form, 20, 20);
  After(500);
  ASSERT_TRUE(TipShown());
  bool ShownWithMessage = true;
  System.OnWait = [&] {
    if (THeadlessWindow* Dialog = VisibleDialog(System)) {
      ShownWithMessage = TipShown();
      PostKey(System, Dialog, vkReturn);
    }
  };
  TWindowEvent Key;
  Key.Kind = TWindowEvent::TKind::wkKeyDown;
  Key.Window = Form->NativeWindow();
  Key.Character = U'o';
  Key.Modifiers = emAlt;
  System.Post(Key);
  App.HandleMessage(false);
  ASSERT_EQ(Launches.size(), 1u);
  EXPECT_FALSE(ShownWithMessage);
}

TEST_F(HintTest, TheKeyboardFocusBringsTheTipBelowTheButtonWithoutCoveringIt) {
  auto* Form = TwoButtonMenu();
  PostKey(System, static_cast<THeadlessWindow*>(Form->NativeWindow()), vkTab);
  App.HandleMessage(false);
  After(500);
  ASSERT_TRUE(TipShown());
  const TPoint Button = Form->ClientToScreen({10, 10});
  const TRect Tip = TipRect();
  EXPECT_EQ(Tip.Left, Button.X);
  EXPECT_EQ(Tip.Top, Button.Y + 30 + THintController::Gap);
  // Below the first button lies the second; above is free.
  EXPECT_TRUE(IntersectRect(Tip, Bounds(Button.X, Button.Y, 100, 30)).IsEmpty());
}

TEST_F(HintTest, ATipThatWouldCoverTheFocusedButtonGoesAboveTheHotOne) {
  auto* Form =
      MenuOf({"X=10\nY=50\nWidth=100\nHeight=20\nButtonText=One\nHint=Tip\nExePath=" +
                  Dir.Write("a.txt", "text"),
              "X=10\nY=72\nWidth=100\nHeight=20\nButtonText=Two\nExePath=" + Dir.File("a.txt")},
             200, 120);
  PostKey(System, static_cast<THeadlessWindow*>(Form->NativeWindow()), vkEnd);
  App.HandleMessage(false);
  PointAt(*Form, 20, 55);
  After(500);
  ASSERT_TRUE(TipShown());
  const TRect Tip = TipRect();
  EXPECT_EQ(Tip.Bottom, Form->ClientToScreen({10, 50}).Y - THintController::Gap);
}

TEST_F(HintTest, TheTipHasTheInfoColoursAndABlackFrame) {
  auto* Form = TwoButtonMenu();
  PointAt(*Form, 20, 20);
  After(500);
  ASSERT_TRUE(TipShown());
  const auto* Window = static_cast<const THeadlessWindow*>(App.Hints().Window()->NativeWindow());
  const auto Rgb = [](std::uint32_t Pixel) { return Pixel & 0xFFFFFFu; };
  const auto Swap = [](std::uint32_t BGR) {
    return ((BGR & 0xFF) << 16) | (BGR & 0xFF00) | ((BGR >> 16) & 0xFF);
  };
  EXPECT_EQ(Rgb(Window->ScreenPixel(0, 0)), 0u);
  EXPECT_EQ(Rgb(Window->ScreenPixel(Window->Width() - 1, Window->Height() - 1)), 0u);
  EXPECT_EQ(Rgb(Window->ScreenPixel(1, 1)), Swap(Driver().SystemColorRGB(24)));
  int TextPixels = 0;
  for (int Y = 1; Y < Window->Height() - 1; ++Y)
    for (int X = 1; X < Window->Width() - 1; ++X)
      TextPixels += Rgb(Window->ScreenPixel(X, Y)) != Swap(Driver().SystemColorRGB(24));
  EXPECT_GT(TextPixels, 20);
  EXPECT_TRUE(Window->Options.Popup);
}

}  // namespace
