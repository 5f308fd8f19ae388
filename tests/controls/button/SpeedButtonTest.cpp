// The speed button's state machine driven by real window events: each row of its transition
// table, the edges of its hit tests, double and right clicks, disabled buttons, a click handler
// that takes events of its own, the hover check on timer ticks, accelerators, running out of
// timers, groups, auto-repeat and the drop-down menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button/KitSpeedButton.h"
#include "controls/button/PopupMenu.h"
#include "controls/core/KitApplication.h"
#include "core/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/headless/HeadlessWindow.h"

namespace {

// The button under test lies at (20, 10), 40 x 20, in a 120 x 80 window.
constexpr int BL = 20;
constexpr int BT = 10;
constexpr int BW = 40;
constexpr int BH = 20;
constexpr TShiftState LeftHeld{TShiftFlag::ssLeft};

// Drives a window holding menu buttons, with the platform's pointer following the events.
class SpeedButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, 120, 80);
    Button = MakeButton(BL, BT);
    Button->OnClick = [this](TObject*) { Clicks.push_back(Button->State()); };
  }

  // A button set up as the menu's template is.
  TKitSpeedButton* MakeButton(int Left, int Top) {
    auto* Made = new TKitSpeedButton(&Root);
    Made->SetParent(&Root);
    Made->SetBounds(Left, Top, BW, BH);
    Made->SetStyle(TKitUserButtonStyle::ubsExplorer);
    Made->SetEnterColorChange(true);
    Made->SetEnterColor(clLime);
    return Made;
  }

  // Puts the platform's pointer over window point (X, Y) without an event.
  void Point(int X, int Y) {
    Window.PointerX = Window.OriginX + X;
    Window.PointerY = Window.OriginY + Y;
  }
  void Move(int X, int Y, TShiftState Shift = {}) {
    Point(X, Y);
    Root.WindowMouseMove(Shift, X, Y);
  }
  void Down(int X, int Y, TShiftState Shift = LeftHeld, TMouseButton Which = TMouseButton::mbLeft) {
    Point(X, Y);
    Root.WindowMouseDown(Which, Shift, X, Y);
  }
  void Up(int X, int Y, TShiftState Shift = {}, TMouseButton Which = TMouseButton::mbLeft) {
    Point(X, Y);
    Root.WindowMouseUp(Which, Shift, X, Y);
  }
  void ClickAt(int X, int Y) {
    Move(X, Y);
    Down(X, Y);
    Up(X, Y);
  }
  // Ticks of the application, which drive the controls' timer pool while it holds timers.
  void Ticks(int Count) {
    for (int Index = 0; Index < Count; ++Index) {
      System.Clock += TApplication::TickInterval;
      App.HandleMessage(false);
    }
  }
  int Timers() { return Kit.TimerPool().Count(); }

  THeadlessDriver System;
  // The buttons' timers go to this test's own pool, which outlives the buttons that remove them.
  TKitApplication Kit;
  TApplication App{System};
  THeadlessWindow Window{120, 80};
  TForm Root{nullptr};
  TKitSpeedButton* Button = nullptr;
  // The state the button was in at each click.
  std::vector<TKitButtonState> Clicks;
};

TEST_F(SpeedButtonTest, PointerEnteringMakesItHotAndStartsOneHoverCheck) {
  Move(30, 15);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  EXPECT_TRUE(Button->MouseOver());
  EXPECT_EQ(Timers(), 1);
  Move(31, 16);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  EXPECT_EQ(Timers(), 1);
}

TEST_F(SpeedButtonTest, LeavingEndsTheHotStateAndItsHoverCheck) {
  Move(30, 15);
  Root.WindowMouseLeave();
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  EXPECT_FALSE(Button->MouseOver());
  EXPECT_EQ(Timers(), 0);
  Move(30, 15);
  Move(90, 50);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  EXPECT_EQ(Timers(), 0);
}

TEST_F(SpeedButtonTest, HoverCheckEndsAMissedLeaveOnTheTickThatMakes100Ms) {
  Move(30, 15);
  Ticks(4);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver) << "the pointer is still there";
  Point(90, 50);
  Ticks(1);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  Ticks(1);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  EXPECT_EQ(Timers(), 0);
}

TEST_F(SpeedButtonTest, HoverCheckCountsTheBottomEdgeInsideAndTheRightEdgeOutside) {
  Move(30, 15);
  Point(30, BT + BH);
  Ticks(2);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  Point(BL + BW, 15);
  Ticks(2);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
}

TEST_F(SpeedButtonTest, ReleaseInsideClicksOnceWhileStillDownThenShowsHot) {
  Move(30, 15);
  Down(30, 15);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  EXPECT_EQ(Timers(), 0) << "no hover check while held";
  Up(30, 15);
  EXPECT_EQ(Clicks, std::vector{TKitButtonState::bsDown});
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  EXPECT_EQ(Timers(), 1);
}

TEST_F(SpeedButtonTest, PressWithoutAnEarlierMoveGoesDownToo) {
  Down(30, 15);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  Up(30, 15);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, DraggingOffShowsItUpAndDraggingBackShowsItDown) {
  Move(30, 15);
  Down(30, 15);
  Move(70, 15, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  EXPECT_FALSE(Button->MouseOver());
  Move(30, 15, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  Up(30, 15);
  EXPECT_EQ(Clicks, std::vector{TKitButtonState::bsDown});
}

TEST_F(SpeedButtonTest, ReleaseOutsideGivesNoClick) {
  Move(30, 15);
  Down(30, 15);
  Move(70, 15, LeftHeld);
  Up(70, 15);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  EXPECT_EQ(Timers(), 0);
}

TEST_F(SpeedButtonTest, RightEdgeIsInsideForMovesButOutsideForReleases) {
  Move(30, 15);
  Down(30, 15);
  Move(BL + BW, 15, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  Up(BL + BW, 15);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
}

TEST_F(SpeedButtonTest, BottomEdgeIsInsideForMovesAndReleases) {
  Move(30, 15);
  Down(30, 15);
  Move(30, BT + BH, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  Up(30, BT + BH);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, LeftAndTopEdgesEndAtTheButtonsOwnPixels) {
  Down(30, 15);
  Move(BL - 1, 15, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  Move(BL, BT, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDown);
  Move(30, BT - 1, LeftHeld);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  Up(30, BT - 1);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SpeedButtonTest, DoubleClickGivesTwoClicks) {
  int DoubleClicks = 0;
  Button->OnDblClick = [&](TObject*) { ++DoubleClicks; };
  ClickAt(30, 15);
  Down(30, 15, {TShiftFlag::ssLeft, TShiftFlag::ssDouble});
  Up(30, 15);
  EXPECT_EQ(Clicks, (std::vector{TKitButtonState::bsDown, TKitButtonState::bsDown}));
  EXPECT_EQ(DoubleClicks, 0) << "only a latched button hears of the double click";
}

TEST_F(SpeedButtonTest, RightPressDoesNothingButItsReleaseEndsALeftPress) {
  Move(30, 15);
  Down(30, 15, {TShiftFlag::ssRight}, TMouseButton::mbRight);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  Up(30, 15, {}, TMouseButton::mbRight);
  EXPECT_TRUE(Clicks.empty());

  Down(30, 15);
  Down(30, 15, {TShiftFlag::ssLeft, TShiftFlag::ssRight}, TMouseButton::mbRight);
  Up(30, 15, LeftHeld, TMouseButton::mbRight);
  EXPECT_EQ(Clicks, std::vector{TKitButtonState::bsDown});
  Up(30, 15);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, DisabledButtonIsNeverHotNorPressedNorClicked) {
  Button->SetEnabled(false);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDisabledUp);
  ClickAt(30, 15);
  Ticks(2);
  EXPECT_EQ(Button->State(), TKitButtonState::bsDisabledUp);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Timers(), 0);
  Button->SetEnabled(true);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  Move(31, 15);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
}

TEST_F(SpeedButtonTest, ClickHandlerSeesItDownAndItsOwnEventsKeepItDown) {
  std::vector<TKitButtonState> Seen;
  // A modal message: the pointer wanders while it shows, and ends up away from the button.
  Button->OnClick = [&](TObject*) {
    Seen.push_back(Button->State());
    Move(90, 50);
    Seen.push_back(Button->State());
    Move(30, 15);
    Seen.push_back(Button->State());
    Move(90, 50);
  };
  ClickAt(30, 15);
  EXPECT_EQ(Seen, (std::vector{TKitButtonState::bsDown, TKitButtonState::bsDown,
                               TKitButtonState::bsDown}));
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver) << "hot when the handler returns";
  Ticks(1);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  Ticks(1);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
}

TEST_F(SpeedButtonTest, AcceleratorClicksShowingHotAndTheHoverCheckEndsThatLook) {
  Button->SetCaption("&Play");
  std::vector<bool> OverAtClick;
  Button->OnClick = [&](TObject*) {
    Clicks.push_back(Button->State());
    OverAtClick.push_back(Button->MouseOver());
  };
  Point(90, 50);
  EXPECT_FALSE(Root.WindowDialogChar(U'l'));
  EXPECT_TRUE(Root.WindowDialogChar(U'p'));
  EXPECT_EQ(Clicks, std::vector{TKitButtonState::bsMouseOver});
  EXPECT_EQ(OverAtClick, std::vector{true});
  EXPECT_FALSE(Button->MouseOver());
  Ticks(2);
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
}

TEST_F(SpeedButtonTest, AcceleratorWithThePointerOverTheButtonLeavesItHot) {
  Button->SetCaption("&Play");
  Point(BL + 1, BT + 1);
  EXPECT_TRUE(Root.WindowDialogChar(U'P'));
  EXPECT_TRUE(Button->MouseOver());
  Ticks(2);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
}

TEST_F(SpeedButtonTest, AcceleratorCountsTheButtonsEdgeAsOutside) {
  Button->SetCaption("&Play");
  Point(BL, BT + 1);
  EXPECT_TRUE(Root.WindowDialogChar(U'P'));
  EXPECT_FALSE(Button->MouseOver());
}

TEST_F(SpeedButtonTest, DisabledButtonIgnoresItsAccelerator) {
  Button->SetCaption("&Play");
  Button->SetEnabled(false);
  EXPECT_FALSE(Root.WindowDialogChar(U'p'));
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SpeedButtonTest, NoFreeTimerRaisesNotEnoughTimersAfterTheStateChanged) {
  std::vector<std::uint16_t> Taken;
  while (const std::uint16_t Ident = Kit.AddTimer(50, nullptr)) Taken.push_back(Ident);
  std::string Message;
  try {
    Move(30, 15);
  } catch (const EOutOfResources& Error) {
    Message = Error.Message();
  }
  for (const std::uint16_t Ident : Taken) Kit.RemoveTimer(Ident);
  EXPECT_EQ(Message, "Not enough timers available");
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  EXPECT_EQ(Timers(), 0);
}

TEST_F(SpeedButtonTest, DestroyingAHotButtonStopsItsHoverCheck) {
  Move(30, 15);
  delete Button;
  EXPECT_EQ(Timers(), 0);
}

TEST_F(SpeedButtonTest, ExplorerStylesAreSeeThroughAndTheOthersOpaque) {
  EXPECT_TRUE(Button->Transparent());
  EXPECT_FALSE(Button->ControlStyle.Contains(TControlStyle::csOpaque));
  Button->SetStyle(TKitUserButtonStyle::ubsExplorerColored);
  EXPECT_TRUE(Button->Transparent());
  Button->SetStyle(TKitUserButtonStyle::ubsFlat);
  EXPECT_FALSE(Button->Transparent());
  EXPECT_TRUE(Button->ControlStyle.Contains(TControlStyle::csOpaque));
}

TEST_F(SpeedButtonTest, PlainFaceWithoutHotColourDoesNotNeedTheHotState) {
  Button->SetStyle(TKitUserButtonStyle::ubsWin40);
  Button->SetEnterColorChange(false);
  Move(30, 15);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  EXPECT_EQ(Timers(), 1) << "the hover check runs whether or not hot looks different";
}

// --- Groups ---

TEST_F(SpeedButtonTest, GroupedButtonsLatchOneAtATime) {
  TKitSpeedButton* Other = MakeButton(70, 10);
  Button->SetGroupIndex(1);
  Other->SetGroupIndex(1);
  ClickAt(30, 15);
  EXPECT_TRUE(Button->Pressed());
  EXPECT_EQ(Button->State(), TKitButtonState::bsOptionSet);
  ClickAt(80, 15);
  EXPECT_TRUE(Other->Pressed());
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
  ClickAt(30, 15);
  Clicks.clear();
  ClickAt(30, 15);
  EXPECT_TRUE(Clicks.empty()) << "a latched button without AllowAllUp ignores clicks";
  EXPECT_EQ(Button->State(), TKitButtonState::bsOptionSet);
}

TEST_F(SpeedButtonTest, AllowAllUpReachesTheGroupAndLetsALatchedButtonGo) {
  TKitSpeedButton* Other = MakeButton(70, 10);
  Other->SetGroupIndex(1);
  Button->SetGroupIndex(1);
  Button->SetAllowAllUp(true);
  EXPECT_TRUE(Other->AllowAllUp());
  ClickAt(30, 15);
  ClickAt(30, 15);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
}

TEST_F(SpeedButtonTest, UngroupedButtonCannotLatch) {
  Button->SetPressed(true);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Button->State(), TKitButtonState::bsUp);
}

TEST_F(SpeedButtonTest, DoubleClickOnALatchedButtonFiresOnDblClick) {
  int DoubleClicks = 0;
  Button->OnDblClick = [&](TObject*) { ++DoubleClicks; };
  Button->SetGroupIndex(1);
  Button->SetPressed(true);
  ClickAt(30, 15);
  Down(30, 15, {TShiftFlag::ssLeft, TShiftFlag::ssDouble});
  Up(30, 15);
  EXPECT_EQ(DoubleClicks, 1);
  EXPECT_TRUE(Clicks.empty());
}

// --- Auto-repeat ---

TEST_F(SpeedButtonTest, HeldRepeatButtonClicksAtOnceAfterTheDelayAndThenEveryInterval) {
  Button->SetRepeatedClick(true);
  Move(30, 15);
  Down(30, 15);
  EXPECT_EQ(Clicks.size(), 1u);
  Ticks(9);
  EXPECT_EQ(Clicks.size(), 1u);
  Ticks(1);
  EXPECT_EQ(Clicks.size(), 2u) << "after 500 ms";
  Ticks(2);
  EXPECT_EQ(Clicks.size(), 3u);
  Ticks(2);
  EXPECT_EQ(Clicks.size(), 4u);
  Up(30, 15);
  EXPECT_EQ(Clicks.size(), 4u) << "the release adds no click";
  EXPECT_EQ(Timers(), 1) << "only the hover check is left";
}

TEST_F(SpeedButtonTest, RepeatPausesWhileThePointerIsOffTheButton) {
  Button->SetRepeatedClick(true);
  Move(30, 15);
  Down(30, 15);
  Move(90, 50, LeftHeld);
  Ticks(20);
  EXPECT_EQ(Clicks.size(), 1u);
  Up(90, 50);
  EXPECT_EQ(Timers(), 0);
}

// --- Drop-down menu ---

// Records where it was asked to pop up, and the state of the button it belongs to meanwhile.
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int X, int Y) override {
    At.push_back({X, Y});
    States.push_back(Button->State());
  }
  const TKitSpeedButton* Button = nullptr;
  std::vector<TPoint> At;
  std::vector<TKitButtonState> States;
};

class SpeedButtonMenuTest : public SpeedButtonTest {
 protected:
  void SetUp() override {
    SpeedButtonTest::SetUp();
    Menu->Button = Button;
    Button->SetDropDownMenu(Menu);
  }
  TRecordingMenu* Menu = new TRecordingMenu(&Root);
};

TEST_F(SpeedButtonMenuTest, PressOpensTheMenuBelowAndTheButtonIsHotWhenItCloses) {
  int DropDowns = 0;
  Button->OnDropDown = [&](TObject*) { ++DropDowns; };
  Button->SetDropDownIndent(3);
  Move(30, 15);
  Down(30, 15);
  EXPECT_EQ(Menu->At, (std::vector<TPoint>{{100 + BL + 3, 80 + BT + BH}}));
  EXPECT_EQ(Menu->States, std::vector{TKitButtonState::bsDropDownOpen});
  EXPECT_EQ(DropDowns, 1);
  EXPECT_EQ(Button->State(), TKitButtonState::bsMouseOver);
  Up(30, 15);
  EXPECT_TRUE(Clicks.empty());
  Button->SetDropDownRight(true);
  ClickAt(30, 15);
  EXPECT_EQ(Menu->At.back(), (TPoint{100 + BL + BW, 80 + BT + 3}));
}

TEST_F(SpeedButtonMenuTest, ComboOpensTheMenuOnlyFromItsArrowPart) {
  Button->SetDropDownCombo(true);
  EXPECT_EQ(Button->Width(), BW + 12);
  ClickAt(30, 15);
  EXPECT_TRUE(Menu->At.empty());
  EXPECT_EQ(Clicks.size(), 1u);
  ClickAt(BL + BW, 15);  // the arrow part's first column
  EXPECT_EQ(Menu->At.size(), 1u);
  EXPECT_EQ(Clicks.size(), 1u);
  Button->SetDropDownCombo(false);
  EXPECT_EQ(Button->Width(), BW);
}

TEST_F(SpeedButtonMenuTest, AcceleratorOpensTheMenu) {
  Button->SetCaption("&Menu");
  EXPECT_TRUE(Root.WindowDialogChar(U'm'));
  EXPECT_EQ(Menu->At.size(), 1u);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SpeedButtonMenuTest, DestroyedMenuIsForgotten) {
  delete Menu;
  EXPECT_EQ(Button->DropDownMenu(), nullptr);
  ClickAt(30, 15);
  EXPECT_EQ(Clicks.size(), 1u);
}

// --- Bounds notices ---

TEST_F(SpeedButtonTest, BoundsChangeTellsWhatReallyChanged) {
  std::vector<std::string> Seen;
  Button->OnBoundsChange = [&](TObject*, TKitBoundsChanges Changes) {
    Seen.push_back(std::string(Changes.Contains(TKitBoundsChange::bcPosition) ? "p" : "") +
                   (Changes.Contains(TKitBoundsChange::bcSize) ? "s" : ""));
  };
  Button->SetLeft(21);
  Button->SetHeight(21);
  Button->SetBounds(0, 0, 10, 10);
  Button->SetBounds(0, 0, 10, 10);
  Button->BeginLoading();
  Button->SetLeft(5);
  Button->EndLoading();
  EXPECT_EQ(Seen, (std::vector<std::string>{"p", "s", "ps"}));
}

}  // namespace
