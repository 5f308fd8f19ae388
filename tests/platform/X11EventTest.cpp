// The X11 window system's events from the pointer, the keyboard and window managers, driven
// by xdotool on the shared virtual display.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "X11TestDisplay.h"

namespace {

using TKind = TWindowEvent::TKind;

class X11EventTest : public TX11SessionTest {};

TEST_F(X11EventTest, PointerMovesAndClicksArriveInClientCoordinates) {
  auto Window = ShownWindow(System(), Options(320, 240));
  RunCommand("xdotool mousemove 150 130");
  auto Move = WaitFor(System(), [](const TWindowEvent& E) {
    return E.Kind == TKind::wkPointerMove && E.X == 50 && E.Y == 50;
  });
  ASSERT_TRUE(Move);
  EXPECT_EQ(Move->Window, Window.get());

  RunCommand("xdotool click 1");
  auto Down = WaitForKind(System(), TKind::wkButtonDown);
  ASSERT_TRUE(Down);
  EXPECT_EQ(Down->Button, TPointerButton::pbLeft);
  EXPECT_EQ(Down->X, 50);
  EXPECT_EQ(Down->Y, 50);
  EXPECT_EQ(Down->Modifiers, emLeftButton);
  EXPECT_FALSE(Down->DoubleClick);
  auto Up = WaitForKind(System(), TKind::wkButtonUp);
  ASSERT_TRUE(Up);
  EXPECT_EQ(Up->Button, TPointerButton::pbLeft);
  EXPECT_EQ(Up->X, 50);
  EXPECT_EQ(Up->Modifiers, 0u);

  // The wheel is no button to the program: the next press is the middle one.
  RunCommand("xdotool click 4 click 5 keydown shift click 3 keyup shift click 2");
  Down = WaitForKind(System(), TKind::wkButtonDown);
  ASSERT_TRUE(Down);
  EXPECT_EQ(Down->Button, TPointerButton::pbRight);
  EXPECT_EQ(Down->Modifiers, emRightButton | emShift);
  Down = WaitForKind(System(), TKind::wkButtonDown);
  ASSERT_TRUE(Down);
  EXPECT_EQ(Down->Button, TPointerButton::pbMiddle);
  EXPECT_EQ(Down->Modifiers, emMiddleButton);
}

std::vector<TWindowEvent> Presses(const std::vector<TWindowEvent>& Events) {
  std::vector<TWindowEvent> Result;
  for (const TWindowEvent& E : Events)
    if (E.Kind == TKind::wkButtonDown) Result.push_back(E);
  return Result;
}

TEST_F(X11EventTest, QuickSecondPressIsDoubleAndTheThirdSingleAgain) {
  auto Window = ShownWindow(System(), Options(320, 240));
  RunCommand("xdotool mousemove 150 130 click --repeat 3 --delay 60 1");
  const std::vector<TWindowEvent> Downs = Presses(Drain(System()));
  ASSERT_EQ(Downs.size(), 3u);
  EXPECT_FALSE(Downs[0].DoubleClick);
  EXPECT_TRUE(Downs[1].DoubleClick);
  EXPECT_FALSE(Downs[2].DoubleClick);
}

TEST_F(X11EventTest, SecondPressFarAwayOrOfAnotherButtonIsSingle) {
  auto Window = ShownWindow(System(), Options(320, 240));
  RunCommand("xdotool mousemove 150 130 click 1 mousemove 160 130 click 1 click 3");
  const std::vector<TWindowEvent> Downs = Presses(Drain(System()));
  ASSERT_EQ(Downs.size(), 3u);
  for (const TWindowEvent& Down : Downs) EXPECT_FALSE(Down.DoubleClick);
}

TEST_F(X11EventTest, PointerLeavesOnlyOnceNoButtonHoldsIt) {
  auto Window = ShownWindow(System(), Options(320, 240));
  RunCommand("xdotool mousemove 150 130 mousedown 1 mousemove 600 600 mouseup 1");
  std::vector<TWindowEvent> Events = Drain(System());
  ASSERT_GE(Events.size(), 2u);
  auto Leave = std::find_if(Events.begin(), Events.end(),
                            [](const TWindowEvent& E) { return E.Kind == TKind::wkPointerLeave; });
  auto Up = std::find_if(Events.begin(), Events.end(),
                         [](const TWindowEvent& E) { return E.Kind == TKind::wkButtonUp; });
  ASSERT_NE(Up, Events.end());
  EXPECT_EQ(Up->X, 500);
  EXPECT_EQ(Up->Y, 520);
  EXPECT_EQ(Up->Modifiers, 0u);
  ASSERT_NE(Leave, Events.end());
  EXPECT_GT(Leave - Events.begin(), Up - Events.begin());
  EXPECT_EQ(std::count_if(Events.begin(), Events.end(),
                          [](const TWindowEvent& E) { return E.Kind == TKind::wkPointerLeave; }),
            1);

  RunCommand("xdotool mousemove 150 130 mousemove 700 700");
  EXPECT_TRUE(WaitForKind(System(), TKind::wkPointerLeave));
}

// Gives the keysyms to keycodes that had none, so that xdotool types them without changing
// the keyboard mapping on the fly (which could change again before the event is read).
void MapSpareKeys(Display* Dpy, const std::vector<const char*>& Names) {
  int Min = 0, Max = 0, PerCode = 0;
  XDisplayKeycodes(Dpy, &Min, &Max);
  KeySym* Map = XGetKeyboardMapping(Dpy, static_cast<KeyCode>(Min), Max - Min + 1, &PerCode);
  std::size_t Next = 0;
  for (int Code = Max; Code >= Min && Next < Names.size(); --Code) {
    bool Empty = true;
    for (int I = 0; I < PerCode; ++I) Empty = Empty && Map[(Code - Min) * PerCode + I] == NoSymbol;
    if (!Empty) continue;
    KeySym Sym = XStringToKeysym(Names[Next++]);
    XChangeKeyboardMapping(Dpy, Code, 1, &Sym, 1);
  }
  XFree(Map);
  XSync(Dpy, False);
  ASSERT_EQ(Next, Names.size());
}

TEST_F(X11EventTest, KeysGiveVirtualKeysCharactersAndModifiers) {
  auto Window = ShownWindow(System(), Options(320, 240));
  // Without a window manager the keyboard follows the pointer.
  RunCommand("xdotool mousemove 150 130");
  MapSpareKeys(Probe(), {"Cyrillic_ze", "KP_1"});

  RunCommand(
      "xdotool key alt+p alt+shift+p shift+a ctrl+c Shift_L Return KP_Enter Escape Tab "
      "shift+Tab space Cyrillic_ze KP_1");
  struct TExpected {
    unsigned Key;
    char32_t Character;
    unsigned Modifiers;
  };
  const std::vector<TExpected> Expected = {
      {0, U'p', emAlt},    {0, U'p', emAlt | emShift}, {0, U'A', emShift}, {0, U'c', emCtrl},
      {vkReturn, 0, 0},    {vkReturn, 0, 0},           {vkEscape, 0, 0},   {vkTab, 0, 0},
      {vkTab, 0, emShift}, {vkSpace, U' ', 0},         {0, 0x0437, 0},     {0, U'1', 0},
  };
  for (const TExpected& Want : Expected) {
    auto Key = WaitForKind(System(), TKind::wkKeyDown);
    ASSERT_TRUE(Key);
    EXPECT_EQ(Key->Window, Window.get());
    EXPECT_EQ(Key->Key, Want.Key);
    EXPECT_EQ(Key->Character, Want.Character);
    EXPECT_EQ(Key->Modifiers, Want.Modifiers);
  }
}

TEST_F(X11EventTest, DeleteWindowMessageAsksToClose) {
  auto Window = ShownWindow(System(), Options(100, 100));
  XEvent Message{};
  Message.xclient.type = ClientMessage;
  Message.xclient.window = HandleOf(*Window);
  Message.xclient.message_type = AtomOf(Probe(), "WM_PROTOCOLS");
  Message.xclient.format = 32;
  Message.xclient.data.l[0] = static_cast<long>(AtomOf(Probe(), "WM_DELETE_WINDOW"));
  Message.xclient.data.l[1] = CurrentTime;
  XSendEvent(Probe(), HandleOf(*Window), False, NoEventMask, &Message);
  XFlush(Probe());
  auto Close = WaitForKind(System(), TKind::wkClose);
  ASSERT_TRUE(Close);
  EXPECT_EQ(Close->Window, Window.get());
}

TEST_F(X11EventTest, IdleWaitEndsAfterItsTimeout) {
  auto Window = ShownWindow(System(), Options(100, 100));
  Drain(System());
  TWindowEvent Event;
  EXPECT_FALSE(System().NextEvent(Event, 0));
  const std::int64_t Start = System().Milliseconds();
  EXPECT_FALSE(System().NextEvent(Event, 200));
  const std::int64_t Elapsed = System().Milliseconds() - Start;
  EXPECT_GE(Elapsed, 200);
  EXPECT_LT(Elapsed, 2000);
}

TEST_F(X11EventTest, EventsOfWindowsGoneAreDropped) {
  auto Gone = System().CreateWindow(Options(100, 100));
  auto Kept = System().CreateWindow(Options(100, 100));
  Gone->Show(100, 80);
  Kept->Show(400, 80);
  Sync(System());
  RunCommand("xdotool mousemove 150 130 click 1 mousemove 450 130 click 1");
  Gone.reset();
  const std::vector<TWindowEvent> Events = Drain(System());
  EXPECT_EQ(Presses(Events).size(), 1u);
  for (const TWindowEvent& Event : Events) EXPECT_EQ(Event.Window, Kept.get());
}

}  // namespace
