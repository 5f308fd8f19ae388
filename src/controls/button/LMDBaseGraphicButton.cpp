// TLMDBaseGraphicButton: the state machine under mouse, keys and timers, and the settings that
// repaint the button.
#include "controls/button/LMDBaseGraphicButton.h"

#include <utility>

#include "controls/button/LMDApplicationInstance.h"
#include "controls/button/LMDDrawButtonCaption.h"
#include "controls/button/PopupMenu.h"
#include "framework/Exception.h"
#include "framework/WinControl.h"

namespace {

using enum TLMDButtonState;

bool IsDisabled(TLMDButtonState State) {
  return State == bsDisabledUp || State == bsDisabledDown;
}

// Stores Value in Field when it differs; true when it did.
template <typename T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

TLMDBaseGraphicButton::TLMDBaseGraphicButton(TComponent* Owner) : TLMDBaseControl(Owner) {
  ControlStyle = {TControlStyle::csCaptureMouse, TControlStyle::csDoubleClicks,
                  TControlStyle::csReplicatable, TControlStyle::csOpaque};
  FFontFX.OnChange = [this](TObject*) { FontChanged(); };
  FButtonLayout.OnChange = [this](TObject* Sender) { GetChange(Sender); };
  FGlyph.OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TLMDBaseGraphicButton::~TLMDBaseGraphicButton() {
  DeActivateTimer(HoverTimer);
  DeActivateTimer(RepeatTimer);
  FFontFX.OnChange = nullptr;
  FButtonLayout.OnChange = nullptr;
  FGlyph.OnChange = nullptr;
}

// --- State ---

void TLMDBaseGraphicButton::StateChange(TLMDButtonState NewState) {
  if (NewState == FState) return;
  auto Between = [&](TLMDButtonState A, TLMDButtonState B) {
    return (FState == A && NewState == B) || (FState == B && NewState == A);
  };
  // Without a hot face, a hot caption colour or hot pictures, hovering looks like resting; and a
  // latched button looks the same hot or not unless its strip has pictures for it.
  const bool Quiet =
      (Between(bsUp, bsMouseOver) && FGlyph.Style() != TLMDGlyphStyle::gsExplorer &&
       !FaceShowsHotState() && NumGlyphs() < 3 && !(FAllowMouseOver && FEnterColorChange)) ||
      (NumGlyphs() < 3 && Between(bsMouseOver, bsOptionSet));
  FStateBefore = NewState == bsMouseOver && FState != bsOptionSet ? bsUp : FState;
  FState = NewState;
  if (!Quiet && Visible()) PaintState();
  if (!FAllowMouseOver) return;
  if (FState != bsMouseOver) {
    DeActivateTimer(HoverTimer);
  } else if (!FPressed) {
    ActivateTimer(HoverTimer, HoverInterval, [this](TObject* Sender) { VerifyMouseOver(Sender); });
  }
}

void TLMDBaseGraphicButton::PaintState() {
  if (!FTransparent || CheckOptimized()) {
    PaintNow();
  } else {
    Invalidate();
  }
}

void TLMDBaseGraphicButton::SetMouseOver(bool Value) {
  if (Value && !FMouseOver && FState == bsUp && FAllowMouseOver) {
    TLMDControl::MouseEnter();
    StateChange(bsMouseOver);
  }
  if (!Value && FMouseOver) TLMDControl::MouseExit();
  if (Value == FMouseOver) return;
  FMouseOver = Value;
  if (FaceShowsMouseOver()) Repaint();
}

void TLMDBaseGraphicButton::MouseEnter() {
  if (FAllowTransparency) return;
  TLMDControl::MouseEnter();
  if (FState == bsUp && FAllowMouseOver && Enabled()) {
    StateChange(bsMouseOver);
    SetMouseOver(true);
  }
}

void TLMDBaseGraphicButton::MouseExit() {
  TLMDControl::MouseExit();
  if (FState == bsMouseOver) StateChange(FStateBefore);
  SetMouseOver(false);
}

void TLMDBaseGraphicButton::VerifyMouseOver(TObject*) {
  if (Enabled() && !PointerInside()) StateChange(bsUp);
}

// --- Hit tests ---

bool TLMDBaseGraphicButton::VerifyTransparency(int X, int Y) const {
  return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

bool TLMDBaseGraphicButton::InsideForMove(int X, int Y) const {
  if (FAllowTransparency) return VerifyTransparency(X, Y);
  return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

bool TLMDBaseGraphicButton::InsideForRelease(int X, int Y) const {
  if (FAllowTransparency) return VerifyTransparency(X, Y);
  return X >= 0 && X < Width() && Y >= 0 && Y <= Height();
}

bool TLMDBaseGraphicButton::PointerInside() const {
  const TWinControl* Root = RootControl();
  if (!Root) return false;
  const TPoint Pointer = ScreenToClient(Root->CursorPos());
  return InsideForRelease(Pointer.X, Pointer.Y);
}

bool TLMDBaseGraphicButton::PointerInsideBounds() const {
  const TWinControl* Root = RootControl();
  if (!Root) return false;
  const TPoint Pointer = Root->ScreenToClient(Root->CursorPos());
  return Left() < Pointer.X && Pointer.X < Left() + Width() && Top() < Pointer.Y &&
         Pointer.Y < Top() + Height();
}

// --- Mouse ---

void TLMDBaseGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLMDBaseControl::MouseDown(Button, Shift, X, Y);
  const bool Hit = !FAllowTransparency || VerifyTransparency(X, Y);
  if (Hit && Enabled() && Button == TMouseButton::mbLeft) {
    // The state the press decides on is taken however the press ends.
    TLMDButtonState Target = FState;
    try {
      Press(X, Y, Target);
    } catch (...) {
      StateChange(Target);
      throw;
    }
    StateChange(Target);
  }
  // A double click arrives as a second press; only a latched button has more to say to it.
  if (Button == TMouseButton::mbLeft && Shift.Contains(TShiftFlag::ssDouble) && FPressed &&
      OnDblClick)
    OnDblClick(this);
}

void TLMDBaseGraphicButton::Press(int X, int Y, TLMDButtonState& Target) {
  if (FDropDownMenu) {
    if (GetDroppedState()) {
      Target = bsMouseOver;
      return;
    }
    const bool OnArrow =
        X >= Width() - FDropDownComboWidth && X < Width() && Y >= 0 && Y < Height();
    if (!DropDownComboActive() || OnArrow) {
      DropDown();
      return;
    }
  }
  FPressArmed = true;
  if (FStateBefore == bsOptionSet && FState == bsMouseOver && FGroupIndex != 0) {
    Target = bsOptionSet;
  } else if (!FPressed) {
    Target = bsDown;
    if (FRepeatedClick) {
      DoRepeatedClick();
      ActivateTimer(RepeatTimer, FRepeatingDelay,
                    [this](TObject* Sender) { ExecuteRepeatedClick(Sender); });
    }
  }
}

void TLMDBaseGraphicButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (GetDroppedState()) return;
  TLMDBaseControl::MouseMove(Shift, X, Y);
  if (!Enabled()) return;
  TLMDButtonState Target = FState;
  const bool Inside = InsideForMove(X, Y);
  if (FPressArmed) {
    if (Inside) {
      Target = FPressed ? bsOptionSet : bsDown;
    } else if (FGroupIndex == 0 || FState == bsDown) {
      Target = bsUp;
    }
  }
  StateChange(Target);
  if (Inside && !FMouseOver) {
    TLMDControl::MouseEnter();
    if (FState == bsUp && FAllowMouseOver) StateChange(bsMouseOver);
    SetMouseOver(true);
  }
  SetMouseOver(Inside);
}

void TLMDBaseGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (GetDroppedState()) return;
  TLMDBaseControl::MouseUp(Button, Shift, X, Y);
  // Any button's release ends the press, the left one's or not.
  if (!FPressArmed) return;
  FPressArmed = false;
  bool Suppress = false;
  if (FRepeatedClick) EndRepeatedClick();
  const bool Inside = InsideForRelease(X, Y);
  TLMDButtonState Target = IsDisabled(FState) ? FState : bsUp;
  if (FGroupIndex != 0) {
    if (Inside) {
      if (FState == bsOptionSet && !FAllowAllUp) return;
      SetPressed(!FPressed);
      if (FPressed) {
        Target = FState;
      } else if (FAllowMouseOver) {
        Target = bsUp;
      } else {
        Suppress = true;
      }
    } else if (FPressed) {
      Target = bsOptionSet;
    }
  } else if (Inside && FAllowMouseOver && !IsDisabled(FState)) {
    Target = bsMouseOver;
  }
  if (!Inside) {
    if (!Suppress) StateChange(Target);
    return;
  }
  // Buttons whose pictures change with the hot state stay drawn pressed while OnClick runs, and
  // look at the pointer again afterwards, since the handler may have taken any time.
  const bool CheckAfterClick = NumGlyphs() > 2 || FGlyph.Style() == TLMDGlyphStyle::gsExplorer;
  if (!CheckAfterClick && !Suppress) StateChange(Target);
  if (!FRepeatedClick) Click();
  if (!CheckAfterClick || Suppress || IsDisabled(FState)) return;
  if (PointerInside() && Target == bsUp) Target = bsMouseOver;
  StateChange(Target);
}

// --- Keys, enabling, caption and font ---

bool TLMDBaseGraphicButton::DialogChar(char32_t Key) {
  if (!IsAccel(Key, Caption()) || !Enabled() || !Visible() || (Parent() && !Parent()->Enabled()))
    return false;
  if (FDropDownMenu) {
    if (GetDroppedState()) {
      StateChange(bsMouseOver);
    } else {
      DropDown();
    }
  } else if (FGroupIndex != 0) {
    if (FPressed && !FAllowAllUp) return true;
    SetPressed(!FPressed);
    if (!FAllowMouseOver) return true;
    if (FPressed) {
      StateChange(bsOptionSet);
      Click();
    } else {
      StateChange(bsUp);
    }
  } else {
    // The button shows hot while it clicks; the hover check ends that look later when the
    // pointer is elsewhere.
    SetMouseOver(true);
    Repaint();
    Click();
    Repaint();
    if (!PointerInsideBounds()) {
      SetMouseOver(false);
      Repaint();
    }
  }
  return true;
}

void TLMDBaseGraphicButton::EnabledChanged() {
  TLMDBaseControl::EnabledChanged();
  // Set directly: the state before and the timers stay as they were.
  if (Enabled()) {
    FState = FPressed ? bsOptionSet : bsUp;
  } else {
    FState = FPressed ? bsDisabledDown : bsDisabledUp;
  }
  Invalidate();
}

void TLMDBaseGraphicButton::TextChanged() {
  if (FTransparent) {
    PaintNow();
  } else {
    Invalidate();
  }
}

void TLMDBaseGraphicButton::FontChanged() {
  GetChange(this);
  if (FTransparent) {
    PaintNow();
  } else {
    TLMDBaseControl::FontChanged();
  }
}

void TLMDBaseGraphicButton::DrawGlyphAndText(TCanvas& Canvas, const TRect& Rect) {
  const TLMDButtonCaption Settings{.Font = Font,
                                   .Layout = FButtonLayout,
                                   .Caption = Caption(),
                                   .UseCaption = FUseCaption,
                                   .Enabled = Enabled(),
                                   .AllowMouseOver = FAllowMouseOver,
                                   .EnterColorChange = FEnterColorChange,
                                   .EnterColor = FEnterColor,
                                   .RightToLeft = false,
                                   .MultiLine = FMultiLine,
                                   .FontFX = &FFontFX,
                                   .Glyph = &FGlyph};
  LMDDrawButtonCaption(Canvas, Rect, FState, Settings);
}

bool TLMDBaseGraphicButton::CheckOptimized() const {
  return FTransparent && TLMDBaseControl::CheckOptimized();
}

void TLMDBaseGraphicButton::SetTransparent(bool Value) {
  FTransparent = Value;
  if (Value) {
    ControlStyle.Exclude(TControlStyle::csOpaque);
  } else {
    ControlStyle.Include(TControlStyle::csOpaque);
  }
}

// --- Timers ---

void TLMDBaseGraphicButton::ActivateTimer(int Slot, std::uint16_t Interval, TNotifyEvent Handler) {
  std::uint16_t& Ident = FTimers[static_cast<std::size_t>(Slot)];
  if (Ident != 0) return;
  TLMDApplication& App = LMDApplication();
  Ident = App.AddTimer(Interval, std::move(Handler));
  if (Ident == 0) throw EOutOfResources("Not enough timers available");
  App.GetTimer(Ident)->SetEnabled(true);
}

void TLMDBaseGraphicButton::DeActivateTimer(int Slot) {
  std::uint16_t& Ident = FTimers[static_cast<std::size_t>(Slot)];
  TLMDApplication& App = LMDApplication();
  TLMDTimerItem* Timer = App.GetTimer(Ident);
  if (!Timer) return;
  const std::uint16_t Removed = std::exchange(Ident, 0);
  Timer->SetEnabled(false);
  Timer->OnTimer = nullptr;
  App.RemoveTimer(Removed);
}

void TLMDBaseGraphicButton::DoRepeatedClick() {
  if (TLMDTimerItem* Timer = LMDApplication().GetTimer(FTimers[RepeatTimer]))
    Timer->SetInterval(FRepeatingInterval);
  Click();
}

void TLMDBaseGraphicButton::ExecuteRepeatedClick(TObject*) {
  if (FMouseOver) DoRepeatedClick();
}

// --- Groups ---

void TLMDBaseGraphicButton::SetPressed(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FPressed || (FPressed && !FAllowAllUp)) return;
  FPressed = Value;
  FState = Value ? bsOptionSet : bsUp;
  Invalidate();
  if (Value) InformOptionSet();
}

void TLMDBaseGraphicButton::InformOptionSet() {
  TWinControl* Container = Parent();
  if (FGroupIndex == 0 || !Container) return;
  for (int Index = 0; Index < Container->ControlCount(); ++Index) {
    if (auto* Button = dynamic_cast<TLMDBaseGraphicButton*>(Container->Controls(Index)))
      Button->ButtonPressed(FGroupIndex, *this);
  }
}

void TLMDBaseGraphicButton::ButtonPressed(std::int32_t Group, const TLMDBaseGraphicButton& Sender) {
  if (Group != FGroupIndex) return;
  if (&Sender != this && Sender.FPressed && FPressed) {
    FPressed = false;
    FStateBefore = FState;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = Sender.FAllowAllUp;
}

void TLMDBaseGraphicButton::SetGroupIndex(std::int32_t Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  InformOptionSet();
}

void TLMDBaseGraphicButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  InformOptionSet();
}

// --- Drop-down menu ---

void TLMDBaseGraphicButton::DropDown() {
  if (!FDropDownMenu || GetDroppedState()) return;
  StateChange(bsDropDownOpen);
  if (OnDropDown) OnDropDown(this);
  const TPoint At = FDropDownRight ? ClientToScreen({Width(), FDropDownIndent})
                                   : ClientToScreen({FDropDownIndent, Height()});
  // The handler may have taken the menu away.
  if (FDropDownMenu) FDropDownMenu->Popup(At.X, At.Y);
  StateChange(bsMouseOver);
}

void TLMDBaseGraphicButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) RemoveFreeNotification(FDropDownMenu);
  FDropDownMenu = Value;
  if (FDropDownMenu) FreeNotification(FDropDownMenu);
  GetChange(this);
}

void TLMDBaseGraphicButton::Notification(TComponent* Component, TOperation Operation) {
  TLMDBaseControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FDropDownMenu) FDropDownMenu = nullptr;
}

void TLMDBaseGraphicButton::SetDropDownCombo(bool Value) {
  if (Value == FDropDownCombo) return;
  FDropDownCombo = Value;
  if (!Loading()) SetWidth(Width() + (Value ? FDropDownComboWidth : -FDropDownComboWidth));
  GetChange(this);
}

void TLMDBaseGraphicButton::SetDropDownComboWidth(std::int32_t Value) {
  if (Value == FDropDownComboWidth) return;
  if (FDropDownCombo && !Loading()) SetWidth(Width() - FDropDownComboWidth + Value);
  FDropDownComboWidth = Value;
  GetChange(this);
}

// --- Plain settings: store a differing value and repaint ---

void TLMDBaseGraphicButton::SetAllowMouseOver(bool Value) {
  if (Store(FAllowMouseOver, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetAllowTransparency(bool Value) {
  if (Store(FAllowTransparency, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetEnterColor(TColor Value) {
  if (Store(FEnterColor, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetEnterColorChange(bool Value) {
  if (Store(FEnterColorChange, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetUseCaption(bool Value) {
  if (Store(FUseCaption, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetMultiLine(bool Value) {
  if (Store(FMultiLine, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetRepeatingDelay(std::uint16_t Value) {
  if (Store(FRepeatingDelay, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetDropDownIndent(std::int32_t Value) {
  if (Store(FDropDownIndent, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetDropDownRight(bool Value) {
  if (Store(FDropDownRight, Value)) GetChange(this);
}

void TLMDBaseGraphicButton::SetNumGlyphs(int Value) {
  if (Value == NumGlyphs()) return;
  FGlyph.SetNumGlyphs(Value);
  Repaint();
}
