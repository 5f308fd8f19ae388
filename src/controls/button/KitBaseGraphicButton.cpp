// TKitBaseGraphicButton: the state machine under mouse, keys and timers, and the settings that
// repaint the button.
#include "controls/button/KitBaseGraphicButton.h"

#include <utility>

#include "controls/button/KitDrawButtonCaption.h"
#include "controls/button/PopupMenu.h"
#include "controls/core/KitApplicationInstance.h"
#include "core/Exception.h"
#include "framework/Accelerator.h"
#include "framework/Form.h"

namespace {

bool IsDisabled(TKitButtonState State) {
  return State == TKitButtonState::bsDisabledUp || State == TKitButtonState::bsDisabledDown;
}

// Stores Value in Field when it differs; true when it did.
template <typename T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

TKitBaseGraphicButton::TKitBaseGraphicButton(TComponent* Owner) : TKitBaseControl(Owner) {
  ControlStyle = {TControlStyle::csCaptureMouse, TControlStyle::csDoubleClicks,
                  TControlStyle::csReplicatable, TControlStyle::csOpaque};
  FFontFX.OnChange = [this](TObject*) { FontChanged(); };
  FButtonLayout.OnChange = [this](TObject* Sender) { GetChange(Sender); };
  FGlyph.OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TKitBaseGraphicButton::~TKitBaseGraphicButton() {
  DeActivateTimer(HoverTimer);
  DeActivateTimer(RepeatTimer);
  FFontFX.OnChange = nullptr;
  FButtonLayout.OnChange = nullptr;
  FGlyph.OnChange = nullptr;
}

// --- State ---

void TKitBaseGraphicButton::StateChange(TKitButtonState NewState) {
  if (NewState == FState) return;
  auto Between = [&](TKitButtonState A, TKitButtonState B) {
    return (FState == A && NewState == B) || (FState == B && NewState == A);
  };
  // Without a hot face, a hot caption colour or hot pictures, hovering looks like resting; and a
  // latched button looks the same hot or not unless its strip has pictures for it.
  const bool Quiet =
      (Between(TKitButtonState::bsUp, TKitButtonState::bsMouseOver) &&
       FGlyph.Style() != TKitGlyphStyle::gsExplorer && !FaceShowsHotState() && NumGlyphs() < 3 &&
       !(FAllowMouseOver && FEnterColorChange)) ||
      (NumGlyphs() < 3 && Between(TKitButtonState::bsMouseOver, TKitButtonState::bsOptionSet));
  FStateBefore = NewState == TKitButtonState::bsMouseOver && FState != TKitButtonState::bsOptionSet
                     ? TKitButtonState::bsUp
                     : FState;
  FState = NewState;
  if (!Quiet && Visible()) PaintState();
  if (!FAllowMouseOver) return;
  if (FState != TKitButtonState::bsMouseOver) {
    DeActivateTimer(HoverTimer);
  } else if (!FPressed) {
    ActivateTimer(HoverTimer, HoverInterval, [this](TObject* Sender) { VerifyMouseOver(Sender); });
  }
}

void TKitBaseGraphicButton::PaintState() {
  if (!FTransparent || CheckOptimized()) {
    PaintNow();
  } else {
    Invalidate();
  }
}

void TKitBaseGraphicButton::SetMouseOver(bool Value) {
  if (Value && !FMouseOver && FState == TKitButtonState::bsUp && FAllowMouseOver) {
    TKitControl::MouseEnter();
    StateChange(TKitButtonState::bsMouseOver);
  }
  if (!Value && FMouseOver) TKitControl::MouseExit();
  if (Value == FMouseOver) return;
  FMouseOver = Value;
  if (FaceShowsMouseOver()) Repaint();
}

void TKitBaseGraphicButton::MouseEnter() {
  if (FAllowTransparency) return;
  TKitControl::MouseEnter();
  if (FState == TKitButtonState::bsUp && FAllowMouseOver && Enabled()) {
    StateChange(TKitButtonState::bsMouseOver);
    SetMouseOver(true);
  }
}

void TKitBaseGraphicButton::MouseExit() {
  TKitControl::MouseExit();
  if (FState == TKitButtonState::bsMouseOver) StateChange(FStateBefore);
  SetMouseOver(false);
}

void TKitBaseGraphicButton::VerifyMouseOver(TObject*) {
  if (Enabled() && !PointerInside()) StateChange(TKitButtonState::bsUp);
}

// --- Hit tests ---

bool TKitBaseGraphicButton::VerifyTransparency(int X, int Y) const {
  return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

bool TKitBaseGraphicButton::InsideForMove(int X, int Y) const {
  if (FAllowTransparency) return VerifyTransparency(X, Y);
  return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

bool TKitBaseGraphicButton::InsideForRelease(int X, int Y) const {
  if (FAllowTransparency) return VerifyTransparency(X, Y);
  return X >= 0 && X < Width() && Y >= 0 && Y <= Height();
}

bool TKitBaseGraphicButton::PointerInside() const {
  const TForm* Form = ParentForm();
  if (!Form) return false;
  const TPoint Pointer = ScreenToClient(Form->CursorPos());
  return InsideForRelease(Pointer.X, Pointer.Y);
}

bool TKitBaseGraphicButton::PointerInsideBounds() const {
  const TForm* Form = ParentForm();
  if (!Form) return false;
  const TPoint Pointer = Form->ScreenToClient(Form->CursorPos());
  return Left() < Pointer.X && Pointer.X < Left() + Width() && Top() < Pointer.Y &&
         Pointer.Y < Top() + Height();
}

// --- Mouse ---

void TKitBaseGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TKitBaseControl::MouseDown(Button, Shift, X, Y);
  const bool Hit = !FAllowTransparency || VerifyTransparency(X, Y);
  if (Hit && Enabled() && Button == TMouseButton::mbLeft) {
    // The state the press decides on is taken however the press ends.
    TKitButtonState Target = FState;
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

void TKitBaseGraphicButton::Press(int X, int Y, TKitButtonState& Target) {
  if (FDropDownMenu) {
    if (GetDroppedState()) {
      Target = TKitButtonState::bsMouseOver;
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
  if (FStateBefore == TKitButtonState::bsOptionSet && FState == TKitButtonState::bsMouseOver &&
      FGroupIndex != 0) {
    Target = TKitButtonState::bsOptionSet;
  } else if (!FPressed) {
    Target = TKitButtonState::bsDown;
    if (FRepeatedClick) {
      DoRepeatedClick();
      ActivateTimer(RepeatTimer, FRepeatingDelay,
                    [this](TObject* Sender) { ExecuteRepeatedClick(Sender); });
    }
  }
}

void TKitBaseGraphicButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (GetDroppedState()) return;
  TKitBaseControl::MouseMove(Shift, X, Y);
  if (!Enabled()) return;
  TKitButtonState Target = FState;
  const bool Inside = InsideForMove(X, Y);
  if (FPressArmed) {
    if (Inside) {
      Target = FPressed ? TKitButtonState::bsOptionSet : TKitButtonState::bsDown;
    } else if (FGroupIndex == 0 || FState == TKitButtonState::bsDown) {
      Target = TKitButtonState::bsUp;
    }
  }
  StateChange(Target);
  if (Inside && !FMouseOver) {
    TKitControl::MouseEnter();
    if (FState == TKitButtonState::bsUp && FAllowMouseOver)
      StateChange(TKitButtonState::bsMouseOver);
    SetMouseOver(true);
  }
  SetMouseOver(Inside);
}

void TKitBaseGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (GetDroppedState()) return;
  TKitBaseControl::MouseUp(Button, Shift, X, Y);
  // Any button's release ends the press, the left one's or not.
  if (!FPressArmed) return;
  FPressArmed = false;
  bool Suppress = false;
  if (FRepeatedClick) EndRepeatedClick();
  const bool Inside = InsideForRelease(X, Y);
  TKitButtonState Target = IsDisabled(FState) ? FState : TKitButtonState::bsUp;
  if (FGroupIndex != 0) {
    if (Inside) {
      if (FState == TKitButtonState::bsOptionSet && !FAllowAllUp) return;
      SetPressed(!FPressed);
      if (FPressed) {
        Target = FState;
      } else if (FAllowMouseOver) {
        Target = TKitButtonState::bsUp;
      } else {
        Suppress = true;
      }
    } else if (FPressed) {
      Target = TKitButtonState::bsOptionSet;
    }
  } else if (Inside && FAllowMouseOver && !IsDisabled(FState)) {
    Target = TKitButtonState::bsMouseOver;
  }
  if (!Inside) {
    if (!Suppress) StateChange(Target);
    return;
  }
  // Buttons whose pictures change with the hot state stay drawn pressed while OnClick runs, and
  // look at the pointer again afterwards, since the handler may have taken any time.
  const bool CheckAfterClick = NumGlyphs() > 2 || FGlyph.Style() == TKitGlyphStyle::gsExplorer;
  if (!CheckAfterClick && !Suppress) StateChange(Target);
  if (!FRepeatedClick) Click();
  if (!CheckAfterClick || Suppress || IsDisabled(FState)) return;
  if (PointerInside() && Target == TKitButtonState::bsUp) Target = TKitButtonState::bsMouseOver;
  StateChange(Target);
}

// --- Keys, enabling, caption and font ---

bool TKitBaseGraphicButton::DialogChar(char32_t Key) {
  if (!IsAccel(Key, Caption(), Font.Charset())) return false;
  return PressByKey();
}

void TKitBaseGraphicButton::KeyClick() {
  PressByKey();
}

TKitButtonState TKitBaseGraphicButton::ShownState() const {
  return FState == TKitButtonState::bsUp && ShowsFocus() ? TKitButtonState::bsMouseOver : FState;
}

bool TKitBaseGraphicButton::PressByKey() {
  if (!Enabled() || !Visible() || (Parent() && !Parent()->Enabled())) return false;
  if (FDropDownMenu) {
    if (GetDroppedState()) {
      StateChange(TKitButtonState::bsMouseOver);
    } else {
      DropDown();
    }
  } else if (FGroupIndex != 0) {
    if (FPressed && !FAllowAllUp) return true;
    SetPressed(!FPressed);
    if (!FAllowMouseOver) return true;
    if (FPressed) {
      StateChange(TKitButtonState::bsOptionSet);
      Click();
    } else {
      StateChange(TKitButtonState::bsUp);
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

void TKitBaseGraphicButton::EnabledChanged() {
  TKitBaseControl::EnabledChanged();
  // Set directly: the state before and the timers stay as they were.
  if (Enabled()) {
    FState = FPressed ? TKitButtonState::bsOptionSet : TKitButtonState::bsUp;
  } else {
    FState = FPressed ? TKitButtonState::bsDisabledDown : TKitButtonState::bsDisabledUp;
  }
  Invalidate();
}

void TKitBaseGraphicButton::TextChanged() {
  if (FTransparent) {
    PaintNow();
  } else {
    Invalidate();
  }
}

void TKitBaseGraphicButton::FontChanged() {
  GetChange(this);
  if (FTransparent) {
    PaintNow();
  } else {
    TKitBaseControl::FontChanged();
  }
}

void TKitBaseGraphicButton::DrawGlyphAndText(TCanvas& Canvas, const TRect& Rect) {
  const TKitButtonCaption Settings{.Font = Font,
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
  KitDrawButtonCaption(Canvas, Rect, ShownState(), Settings);
}

bool TKitBaseGraphicButton::CheckOptimized() const {
  return FTransparent && TKitBaseControl::CheckOptimized();
}

void TKitBaseGraphicButton::SetTransparent(bool Value) {
  FTransparent = Value;
  if (Value) {
    ControlStyle.Exclude(TControlStyle::csOpaque);
  } else {
    ControlStyle.Include(TControlStyle::csOpaque);
  }
}

// --- Timers ---

void TKitBaseGraphicButton::ActivateTimer(int Slot, std::uint16_t Interval, TNotifyEvent Handler) {
  std::uint16_t& Ident = FTimers[static_cast<std::size_t>(Slot)];
  if (Ident != 0) return;
  TKitApplication& App = KitApplication();
  Ident = App.AddTimer(Interval, std::move(Handler));
  if (Ident == 0) throw EOutOfResources("Not enough timers available");
  App.GetTimer(Ident)->SetEnabled(true);
}

void TKitBaseGraphicButton::DeActivateTimer(int Slot) {
  std::uint16_t& Ident = FTimers[static_cast<std::size_t>(Slot)];
  TKitApplication& App = KitApplication();
  TKitTimerItem* Timer = App.GetTimer(Ident);
  if (!Timer) return;
  const std::uint16_t Removed = std::exchange(Ident, 0);
  Timer->SetEnabled(false);
  Timer->OnTimer = nullptr;
  App.RemoveTimer(Removed);
}

void TKitBaseGraphicButton::DoRepeatedClick() {
  if (TKitTimerItem* Timer = KitApplication().GetTimer(FTimers[RepeatTimer]))
    Timer->SetInterval(FRepeatingInterval);
  Click();
}

void TKitBaseGraphicButton::ExecuteRepeatedClick(TObject*) {
  if (FMouseOver) DoRepeatedClick();
}

// --- Groups ---

void TKitBaseGraphicButton::SetPressed(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FPressed || (FPressed && !FAllowAllUp)) return;
  FPressed = Value;
  FState = Value ? TKitButtonState::bsOptionSet : TKitButtonState::bsUp;
  Invalidate();
  if (Value) InformOptionSet();
}

void TKitBaseGraphicButton::InformOptionSet() {
  TWinControl* Container = Parent();
  if (FGroupIndex == 0 || !Container) return;
  for (int Index = 0; Index < Container->ControlCount(); ++Index) {
    if (auto* Button = dynamic_cast<TKitBaseGraphicButton*>(Container->Controls(Index)))
      Button->ButtonPressed(FGroupIndex, *this);
  }
}

void TKitBaseGraphicButton::ButtonPressed(std::int32_t Group, const TKitBaseGraphicButton& Sender) {
  if (Group != FGroupIndex) return;
  if (&Sender != this && Sender.FPressed && FPressed) {
    FPressed = false;
    FStateBefore = FState;
    FState = TKitButtonState::bsUp;
    Invalidate();
  }
  FAllowAllUp = Sender.FAllowAllUp;
}

void TKitBaseGraphicButton::SetGroupIndex(std::int32_t Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  InformOptionSet();
}

void TKitBaseGraphicButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  InformOptionSet();
}

// --- Drop-down menu ---

void TKitBaseGraphicButton::DropDown() {
  if (!FDropDownMenu || GetDroppedState()) return;
  StateChange(TKitButtonState::bsDropDownOpen);
  if (OnDropDown) OnDropDown(this);
  const TPoint At = FDropDownRight ? ClientToScreen({Width(), FDropDownIndent})
                                   : ClientToScreen({FDropDownIndent, Height()});
  // The handler may have taken the menu away.
  if (FDropDownMenu) FDropDownMenu->Popup(At.X, At.Y);
  StateChange(TKitButtonState::bsMouseOver);
}

void TKitBaseGraphicButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) RemoveFreeNotification(FDropDownMenu);
  FDropDownMenu = Value;
  if (FDropDownMenu) FreeNotification(FDropDownMenu);
  GetChange(this);
}

void TKitBaseGraphicButton::Notification(TComponent* Component, TOperation Operation) {
  TKitBaseControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FDropDownMenu) FDropDownMenu = nullptr;
}

void TKitBaseGraphicButton::SetDropDownCombo(bool Value) {
  if (Value == FDropDownCombo) return;
  FDropDownCombo = Value;
  if (!Loading()) SetWidth(Width() + (Value ? FDropDownComboWidth : -FDropDownComboWidth));
  GetChange(this);
}

void TKitBaseGraphicButton::SetDropDownComboWidth(std::int32_t Value) {
  if (Value == FDropDownComboWidth) return;
  if (FDropDownCombo && !Loading()) SetWidth(Width() - FDropDownComboWidth + Value);
  FDropDownComboWidth = Value;
  GetChange(this);
}

// --- Plain settings: store a differing value and repaint ---

void TKitBaseGraphicButton::SetAllowMouseOver(bool Value) {
  if (Store(FAllowMouseOver, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetAllowTransparency(bool Value) {
  if (Store(FAllowTransparency, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetEnterColor(TColor Value) {
  if (Store(FEnterColor, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetEnterColorChange(bool Value) {
  if (Store(FEnterColorChange, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetUseCaption(bool Value) {
  if (Store(FUseCaption, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetMultiLine(bool Value) {
  if (Store(FMultiLine, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetRepeatingDelay(std::uint16_t Value) {
  if (Store(FRepeatingDelay, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetDropDownIndent(std::int32_t Value) {
  if (Store(FDropDownIndent, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetDropDownRight(bool Value) {
  if (Store(FDropDownRight, Value)) GetChange(this);
}

void TKitBaseGraphicButton::SetNumGlyphs(int Value) {
  if (Value == NumGlyphs()) return;
  FGlyph.SetNumGlyphs(Value);
  Repaint();
}
