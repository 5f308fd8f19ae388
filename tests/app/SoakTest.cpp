// A seeded run of 100000 pointer, key and timer events over a menu of forty buttons, each checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/Launcher.h"
#include "app/MainForm.h"
#include "controls/core/KitApplication.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessDriver.h"
#include "support/TempDir.h"

namespace {
using TKind = TWindowEvent::TKind;

constexpr std::uint32_t Seed = 20261208;
constexpr int EventCount = 100000;
constexpr int ButtonCount = 40;
constexpr int Columns = 4;
constexpr int ClientWidth = 640;
constexpr int ClientHeight = 360;
// Capture of the model: nobody, or the panel under the buttons; otherwise a button's index.
constexpr int NoCapture = -1;
constexpr int PanelCapture = -2;

// What the last step of the stream was, for the checks that depend on it.
enum class TStep : std::uint8_t { stMove, stPress, stRelease, stLeave, stKey, stTicks };

// One button as the test laid it out.
struct TPlace {
  int X, Y, Width, Height;
  char Accel;  // 0 when the caption has none
  bool Enabled;
  bool Message;

  bool Contains(int PX, int PY) const {
    return PX >= X && PX < X + Width && PY >= Y && PY < Y + Height;
  }
  // The hit test of a release and of the hover check: the bottom edge counts, the right does not.
  bool HoldsForRelease(int PX, int PY) const {
    return PX >= X && PX < X + Width && PY >= Y && PY <= Y + Height;
  }
  // The hit test of a move: both far edges count.
  bool HoldsForMove(int PX, int PY) const {
    return PX >= X && PX <= X + Width && PY >= Y && PY <= Y + Height;
  }
};

// Forty buttons in four columns; the first two columns and the last two touch side by side and
// rows are one to eight pixels apart, so a point is over two buttons only by the move test,
// which takes the right edge in. Every fifth button, from the fourth on, has a missing target.
// Accelerator letters repeat after 26 buttons, so some letters belong to two buttons, the first
// of them sometimes disabled.
std::vector<TPlace> Layout() {
  const int ColumnX[Columns] = {4, 154, 312, 462};
  const int Gaps[] = {1, 2, 3, 5, 8};
  std::vector<TPlace> Places;
  int Y = 4;
  for (int Row = 0; Row < ButtonCount / Columns; ++Row) {
    const int Height = 20 + (Row % 4) * 2;
    for (int Column = 0; Column < Columns; ++Column) {
      const int I = Row * Columns + Column;
      const char Accel = I % 9 == 8 ? '\0' : static_cast<char>('a' + (I * 7) % 26);
      Places.push_back({ColumnX[Column], Y, 150, Height, Accel, I % 5 != 3, I == 6 || I == 17});
    }
    Y += Height + Gaps[Row % 5];
  }
  return Places;
}

std::string Caption(const TPlace& Place, int Index) {
  if (!Place.Accel) return "Plain && " + std::to_string(Index);
  return std::string("Item &") + static_cast<char>(Place.Accel - 'a' + 'A') + " " +
         std::to_string(Index);
}

const char* StateName(TKitButtonState State) {
  static const char* const Names[] = {
      "TKitButtonState::bsUp",           "TKitButtonState::bsDisabledUp",
      "TKitButtonState::bsMouseOver",    "TKitButtonState::bsOptionSet",
      "TKitButtonState::bsDown",         "TKitButtonState::bsDragOver",
      "TKitButtonState::bsDropDownOpen", "TKitButtonState::bsDisabledDown"};
  return Names[static_cast<int>(State)];
}

// The model the checks compare with is the window's routing, not the button's state machine:
// a press goes to the enabled button under the pointer unless a held button already gave the
// mouse to a control; a left press there arms it; any release ends the armed press and clicks
// when the pointer is over the button by the release test; Alt and a letter click the first
// enabled button whose caption marks that letter.
class SoakTest : public testing::Test {
 protected:
  void SetUp() override {
    App.SetExeName(Dir.File("ostrel"));
    App.OnException = [this](const std::exception& E) { Errors.push_back(E.what()); };
    System.OnShellOpen = [this](const THeadlessLaunch& Launch) {
      ++Launched[static_cast<std::size_t>(std::stoi(Launch.Parameters))];
      if (LastDialogPending) LaunchedAfterDialog.push_back(std::stoi(Launch.Parameters));
      LastDialogPending = false;
    };
    // Every message that opens is counted and closed with Enter.
    System.OnWait = [this] {
      for (THeadlessWindow* Window : System.Windows())
        if (Window->Visible && Window->Options.Dialog) {
          ++Dialogs;
          LastDialogPending = true;
          TWindowEvent Key;
          Key.Kind = TKind::wkKeyDown;
          Key.Window = Window;
          Key.Key = vkReturn;
          System.Post(Key);
          return;
        }
    };
  }

  void BuildMenu() {
    TBitmap Picture(ClientWidth, ClientHeight);
    Picture.SaveToFile(Dir.File("menu.bmp"));
    const std::string Tool = Dir.Write("tool.sh", "#!/bin/sh\n");
    std::string Ini = "[Main]\nAppTaskName=Soak\nProgCount=" + std::to_string(ButtonCount) + "\n";
    for (int I = 0; I < ButtonCount; ++I) {
      const TPlace& P = Places[static_cast<std::size_t>(I)];
      Ini += "[Prog_" + std::to_string(I + 1) + "]\nX=" + std::to_string(P.X) +
             "\nY=" + std::to_string(P.Y) + "\nWidth=" + std::to_string(P.Width) +
             "\nHeight=" + std::to_string(P.Height) + "\nButtonText=" + Caption(P, I) +
             "\nExePath=" + (P.Enabled ? Tool : Dir.File("missing.sh")) +
             "\nExeCommandLine=" + std::to_string(I) + "\nTerminateAfterStart=0\n" +
             (P.Message ? "PreRunMessage=Before &run\n" : "");
    }
    Dir.Write("menu.ini", Ini);
    Form = App.CreateForm<TForm1>(MenuFolder());
    Form->Show();
    for (int I = 0; I < ButtonCount; ++I)
      Buttons.push_back(dynamic_cast<TKitSpeedButton*>(Form->RunPanel->Controls(I)));
    Form->NativeWindow()->ClientOrigin(OriginX, OriginY);
    App.ProcessMessages();
  }

  // --- The model: pointer, held buttons, capture, armed press, expected clicks ---

  bool PointerInClient() const {
    return PX >= 0 && PX < ClientWidth && PY >= 0 && PY < ClientHeight;
  }
  int EnabledButtonAt(int X, int Y) const {
    for (int I = 0; I < ButtonCount; ++I)
      if (Places[static_cast<std::size_t>(I)].Enabled &&
          Places[static_cast<std::size_t>(I)].Contains(X, Y))
        return I;
    return -1;
  }

  void Post(TKind Kind, TPointerButton Button = TPointerButton::pbLeft, bool DoubleClick = false,
            char32_t Character = 0) {
    TWindowEvent Event;
    Event.Kind = Kind;
    Event.Window = Form->NativeWindow();
    Event.X = PX;
    Event.Y = PY;
    Event.Button = Button;
    Event.DoubleClick = DoubleClick;
    Event.Character = Character;
    Event.Modifiers = Held | (Character ? emAlt : 0u);
    System.Post(Event);
    App.ProcessMessages();
  }

  void MovePointer(int X, int Y) {
    PX = X;
    PY = Y;
    System.MovePointer(OriginX + X, OriginY + Y);
  }

  void Move(int X, int Y) {
    const bool WasIn = PointerInClient();
    MovePointer(X, Y);
    if (Held != 0 || PointerInClient()) {
      Note("move " + std::to_string(X) + "," + std::to_string(Y));
      Post(TKind::wkPointerMove);
    } else if (WasIn) {
      // Without a grab the window hears only that the pointer left.
      Note("out " + std::to_string(X) + "," + std::to_string(Y));
      Post(TKind::wkPointerLeave);
    }
  }

  void Press(TPointerButton Button, unsigned Mask, bool DoubleClick = false) {
    Note(std::string(DoubleClick ? "double " : "press ") + std::to_string(Mask));
    if (Capture == NoCapture) {
      const int Target = EnabledButtonAt(PX, PY);
      Capture = Target >= 0 ? Target : PanelCapture;
    }
    JustArmed = Mask == emLeftButton && Capture >= 0;
    if (JustArmed) Armed = Capture;
    Post(TKind::wkButtonDown, Button, DoubleClick);
    Held |= Mask;
  }

  void Release(TPointerButton Button, unsigned Mask) {
    Note("release " + std::to_string(Mask));
    if (Armed >= 0) {
      if (Places[static_cast<std::size_t>(Armed)].HoldsForRelease(PX, PY))
        ++Expected[static_cast<std::size_t>(Armed)];
      Armed = -1;
    }
    Held &= ~Mask;
    if (Held == 0) Capture = NoCapture;
    Post(TKind::wkButtonUp, Button);
    if (Held == 0 && !PointerInClient()) {
      // The grab ends outside: now the window hears that the pointer has gone.
      Note("ungrab leave");
      Post(TKind::wkPointerLeave);
    }
  }

  void Accelerator(char Letter) {
    Note(std::string("alt+") + Letter);
    for (int I = 0; I < ButtonCount; ++I) {
      const TPlace& P = Places[static_cast<std::size_t>(I)];
      if (P.Enabled && P.Accel == Letter) {
        ++Expected[static_cast<std::size_t>(I)];
        break;
      }
    }
    Post(TKind::wkKeyDown, TPointerButton::pbLeft, false, static_cast<char32_t>(Letter));
  }

  // Lets Count ticks of 50 ms pass; the clock moves only when nothing runs.
  void Ticks(int Count) {
    Note("ticks " + std::to_string(Count));
    for (int T = 0; T < Count; ++T) {
      if (App.Ticking()) {
        App.HandleMessage(true);
      } else {
        System.Clock += TApplication::TickInterval;
      }
    }
  }

  void Note(const std::string& Text) {
    History.push_back(Text);
    if (History.size() > 12) History.pop_front();
  }

  // --- The checks after each event ---

  testing::AssertionResult Check(TStep Last, int TicksSinceInput) {
    int Hot = 0;
    for (int I = 0; I < ButtonCount; ++I) {
      const TPlace& P = Places[static_cast<std::size_t>(I)];
      const TKitButtonState State = Buttons[static_cast<std::size_t>(I)]->State();
      auto Fail = [&](const std::string& Why) {
        return testing::AssertionFailure()
               << "button " << I << " is " << StateName(State) << ": " << Why;
      };
      if (!P.Enabled) {
        if (State != TKitButtonState::bsDisabledUp) return Fail("a disabled button only rests");
        continue;
      }
      if (State != TKitButtonState::bsUp && State != TKitButtonState::bsMouseOver &&
          State != TKitButtonState::bsDown)
        return Fail("a menu button is up, hot or down");
      if (State == TKitButtonState::bsDown && (Armed != I || !(Held & emLeftButton)))
        return Fail("down without a held press that began on it");
      if (Armed == I && Last == TStep::stMove &&
          State != (P.HoldsForMove(PX, PY) ? TKitButtonState::bsDown : TKitButtonState::bsUp))
        return Fail("a held press shows down exactly while the pointer is over the button");
      if (Armed == I && Last == TStep::stPress && JustArmed && State != TKitButtonState::bsDown)
        return Fail("the press that arms a button shows it down");
      if (State == TKitButtonState::bsMouseOver) {
        ++Hot;
        if (TicksSinceInput >= 2 && !P.HoldsForRelease(PX, PY))
          return Fail("two ticks with the pointer elsewhere end the hot look");
      }
      if (Last == TStep::stMove && Held == 0 && P.Contains(PX, PY) &&
          State != TKitButtonState::bsMouseOver)
        return Fail("the button under a free pointer is hot");
      if (Launched[static_cast<std::size_t>(I)] != Expected[static_cast<std::size_t>(I)])
        return Fail("clicked " + std::to_string(Launched[static_cast<std::size_t>(I)]) +
                    " times, expected " + std::to_string(Expected[static_cast<std::size_t>(I)]));
    }
    const int Timers = Kit.TimerPool().Count();
    if (Timers != Hot || App.Ticking() != (Hot > 0))
      return testing::AssertionFailure() << Hot << " hot buttons, " << Timers << " timers, tick "
                                         << (App.Ticking() ? "on" : "off");
    MaxHot = std::max(MaxHot, Hot);
    if (!Errors.empty()) return testing::AssertionFailure() << "error: " << Errors.front();
    return testing::AssertionSuccess();
  }

  // States may change in a tick only by the hover check ending a hot look the pointer left.
  testing::AssertionResult CheckTick(const std::vector<TKitButtonState>& Before) {
    for (int I = 0; I < ButtonCount; ++I) {
      const TKitButtonState Was = Before[static_cast<std::size_t>(I)];
      const TKitButtonState Now = Buttons[static_cast<std::size_t>(I)]->State();
      if (Was == Now) continue;
      if (Was != TKitButtonState::bsMouseOver || Now != TKitButtonState::bsUp ||
          Places[static_cast<std::size_t>(I)].HoldsForRelease(PX, PY))
        return testing::AssertionFailure() << "button " << I << " went from " << StateName(Was)
                                           << " to " << StateName(Now) << " in a tick";
    }
    return testing::AssertionSuccess();
  }

  std::string Context(int Event) const {
    std::ostringstream Out;
    Out << "seed " << Seed << ", event " << Event << " of " << EventCount << "; last steps:";
    for (const std::string& Step : History) Out << " [" << Step << "]";
    return Out.str();
  }

  std::vector<TKitButtonState> States() const {
    std::vector<TKitButtonState> Result;
    for (const TKitSpeedButton* Button : Buttons) Result.push_back(Button->State());
    return Result;
  }

  TTempDir Dir;
  THeadlessDriver System;
  // The buttons' timers go to this test's own pool, which outlives the form and its buttons.
  TKitApplication Kit;
  TApplication App{System};
  TForm1* Form = nullptr;
  std::vector<TPlace> Places = Layout();
  std::vector<TKitSpeedButton*> Buttons;
  int OriginX = 0, OriginY = 0;
  int PX = -50, PY = -50;
  unsigned Held = 0;
  int Capture = NoCapture;
  int Armed = -1;
  bool JustArmed = false;
  std::vector<int> Expected = std::vector<int>(ButtonCount);
  std::vector<int> Launched = std::vector<int>(ButtonCount);
  std::vector<int> LaunchedAfterDialog;
  bool LastDialogPending = false;
  int Dialogs = 0;
  int MaxHot = 0;
  std::vector<std::string> Errors;
  std::deque<std::string> History;
};

TEST_F(SoakTest, HundredThousandRandomEventsKeepEveryButtonInALawfulState) {
  BuildMenu();
  std::mt19937 Random(Seed);
  auto Chance = [&](int Percent) {
    return std::uniform_int_distribution<int>(0, 99)(Random) < Percent;
  };
  auto Between = [&](int Low, int High) {
    return std::uniform_int_distribution<int>(Low, High)(Random);
  };
  const TPointerButton PointerButtons[] = {TPointerButton::pbLeft, TPointerButton::pbRight,
                                           TPointerButton::pbMiddle};
  const unsigned Masks[] = {emLeftButton, emRightButton, emMiddleButton};
  int TicksSinceInput = 0;
  int Presses = 0, AcceleratorKeys = 0, TickCount = 0;

  for (int Event = 0; Event < EventCount; ++Event) {
    const int Roll = Between(0, 99);
    std::vector<TStep> Steps;
    if (Roll < 40) {
      // Around a button (its edges included), anywhere in the window, or outside it.
      const int Where = Between(0, 9);
      if (Where < 5) {
        const TPlace& P = Places[static_cast<std::size_t>(Between(0, ButtonCount - 1))];
        Move(Between(P.X - 2, P.X + P.Width + 2), Between(P.Y - 2, P.Y + P.Height + 2));
      } else if (Where < 8) {
        Move(Between(0, ClientWidth - 1), Between(0, ClientHeight - 1));
      } else {
        Move(Chance(50) ? Between(-40, -1) : Between(ClientWidth, ClientWidth + 40),
             Between(-40, ClientHeight + 40));
      }
      Steps.push_back(TStep::stMove);
    } else if (Roll < 42) {
      // A leave out of turn, as other windows and grabs cause them.
      Note("stray leave");
      Post(TKind::wkPointerLeave);
      Steps.push_back(TStep::stLeave);
    } else if (Roll < 54) {
      const int Which = Chance(80) ? 0 : Between(1, 2);
      // Presses come inside the window, or anywhere while a grab holds the pointer.
      if ((Held & Masks[Which]) == 0 && (PointerInClient() || Held != 0)) {
        Press(PointerButtons[Which], Masks[Which]);
        ++Presses;
        Steps.push_back(TStep::stPress);
      }
    } else if (Roll < 66) {
      for (int Which = 0; Which < 3; ++Which)
        if (Held & Masks[Which]) {
          Release(PointerButtons[Which], Masks[Which]);
          Steps.push_back(TStep::stRelease);
          break;
        }
    } else if (Roll < 69) {
      if (Held == 0 && PointerInClient()) {
        for (bool Second : {false, true}) {
          Press(TPointerButton::pbLeft, emLeftButton, Second);
          ASSERT_TRUE(Check(TStep::stPress, 0)) << Context(Event);
          Release(TPointerButton::pbLeft, emLeftButton);
          if (!Second) {
            ASSERT_TRUE(Check(TStep::stRelease, 0)) << Context(Event);
          }
        }
        Presses += 2;
        Steps.push_back(TStep::stRelease);
      }
    } else if (Roll < 75) {
      const int Letter = Between(0, 26);
      Accelerator(Letter == 26 ? '1' : static_cast<char>('a' + Letter));
      ++AcceleratorKeys;
      Steps.push_back(TStep::stKey);
    } else {
      const std::vector<TKitButtonState> Before = States();
      const int Count = Between(1, 3);
      Ticks(Count);
      TickCount += Count;
      TicksSinceInput += Count;
      ASSERT_TRUE(CheckTick(Before)) << Context(Event);
      ASSERT_TRUE(Check(TStep::stTicks, TicksSinceInput)) << Context(Event);
      continue;
    }
    if (Steps.empty()) continue;
    TicksSinceInput = 0;
    ASSERT_TRUE(Check(Steps.back(), 0)) << Context(Event);
  }

  int Clicks = 0;
  for (int Count : Launched) Clicks += Count;
  int MessageClicks = 0;
  for (int I = 0; I < ButtonCount; ++I)
    if (Places[static_cast<std::size_t>(I)].Message) MessageClicks += Launched[I];
  EXPECT_EQ(Dialogs, MessageClicks) << "each click of an entry with a message shows it once";
  EXPECT_EQ(static_cast<int>(LaunchedAfterDialog.size()), MessageClicks);
  for (int Index : LaunchedAfterDialog)
    EXPECT_TRUE(Places[static_cast<std::size_t>(Index)].Message) << Index;
  EXPECT_GT(Clicks, 1000) << "the stream clicks often enough to test clicking";
  std::printf(
      "soak: %d events, %d presses, %d accelerator keys, %d ticks, %d clicks, %d dialogs, "
      "at most %d hot buttons at once\n",
      EventCount, Presses, AcceleratorKeys, TickCount, Clicks, Dialogs, MaxHot);
}

}  // namespace
