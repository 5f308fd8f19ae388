// TKitBaseGraphicButton: the behaviour of the family's windowless buttons: their state machine
// under the mouse and accelerator keys, hover tracking, groups, auto-repeat and drop-down menus.
#pragma once

#include <array>
#include <cstdint>

#include "controls/button/KitButtonLayout.h"
#include "controls/button/KitButtonState.h"
#include "controls/button/KitGlyph.h"
#include "controls/core/KitBaseControl.h"
#include "controls/draw/KitFxCaption.h"
#include "core/Colors.h"
#include "framework/Canvas.h"

class TPopupMenu;

// A button that draws itself on its parent and follows the mouse. Every change of state made by
// the mouse goes through StateChange, which repaints and starts or stops the hover check.
//
// Transitions of an enabled button that is not grouped, has no menu and does not repeat:
//
//   from           event                                  to
//   bsUp           pointer enters (enter notice, or a     bsMouseOver; hover check starts
//                  move inside while MouseOver is false)
//   bsMouseOver    leave notice                           the state before it (bsUp)
//   bsMouseOver    hover check finds the pointer outside  bsUp; hover check stops
//   bsUp, hot      left press                             bsDown, press armed
//   bsDown, armed  move outside                           bsUp
//   bsUp, armed    move back inside                       bsDown
//   bsDown, armed  release inside                         bsDown while OnClick runs, then
//                                                         bsMouseOver
//   bsUp, armed    release outside                        bsUp, no click
//   any            Enabled := false                       bsDisabledUp (bsDisabledDown latched)
//   bsDisabledUp   Enabled := true                        bsUp (bsOptionSet latched)
//
// The hit tests differ on purpose: a move counts x = Width and y = Height as inside, a release
// and the hover check count only y = Height, and an accelerator checks the pointer strictly
// inside the button's rectangle in its window's coordinates.
class TKitBaseGraphicButton : public TKitBaseControl {
 public:
  // The timer slots a button holds.
  static constexpr int HoverTimer = 0;
  static constexpr int RepeatTimer = 1;
  // The period of the hover check, milliseconds.
  static constexpr std::uint16_t HoverInterval = 100;

  explicit TKitBaseGraphicButton(TComponent* Owner);
  // Stops both timers before the owned settings go.
  ~TKitBaseGraphicButton() override;
  const char* ClassName() const override { return "TKitBaseGraphicButton"; }

  TKitButtonState State() const { return FState; }
  // The pointer is known to be over the button.
  bool MouseOver() const { return FMouseOver; }

  // Hot tracking: the bsMouseOver state and the hover check.
  bool AllowMouseOver() const { return FAllowMouseOver; }
  void SetAllowMouseOver(bool Value);
  // Hit tests ask VerifyTransparency, and the enter notice is ignored.
  bool AllowTransparency() const { return FAllowTransparency; }
  void SetAllowTransparency(bool Value);
  // The button paints no opaque face of its own.
  bool Transparent() const { return FTransparent; }

  // The caption's colour while the button is hot or pressed, when EnterColorChange is set.
  TColor EnterColor() const { return FEnterColor; }
  void SetEnterColor(TColor Value);
  bool EnterColorChange() const { return FEnterColorChange; }
  void SetEnterColorChange(bool Value);
  // False draws no text.
  bool UseCaption() const { return FUseCaption; }
  void SetUseCaption(bool Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);

  // The owned settings objects; setting one copies the settings of Value into it.
  TKitFxCaption& FontFX() { return FFontFX; }
  void SetFontFX(const TKitFxCaption& Value) { FFontFX.Assign(Value); }
  TKitButtonLayout& ButtonLayout() { return FButtonLayout; }
  void SetButtonLayout(const TKitButtonLayout& Value) { FButtonLayout.Assign(Value); }

  const TBitmap& Glyph() const { return FGlyph.Glyph(); }
  void SetGlyph(const TBitmap& Value) { FGlyph.SetGlyph(Value); }
  int NumGlyphs() const { return FGlyph.NumGlyphs(); }
  // Paints at once.
  void SetNumGlyphs(int Value);

  // Buttons of one parent with the same GroupIndex (not 0) latch down one at a time.
  std::int32_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(std::int32_t Value);
  // A latched button may be released with none of its group down.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  // Latched down; always false while GroupIndex is 0.
  bool Pressed() const { return FPressed; }
  void SetPressed(bool Value);

  // While held, the button clicks at once, again after RepeatingDelay and then every
  // RepeatingInterval milliseconds (multiples of the timer pool's base interval).
  bool RepeatedClick() const { return FRepeatedClick; }
  void SetRepeatedClick(bool Value) { FRepeatedClick = Value; }
  std::uint16_t RepeatingDelay() const { return FRepeatingDelay; }
  void SetRepeatingDelay(std::uint16_t Value);
  std::uint16_t RepeatingInterval() const { return FRepeatingInterval; }
  void SetRepeatingInterval(std::uint16_t Value) { FRepeatingInterval = Value; }

  // The menu a press opens; not owned, forgotten when it is destroyed.
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  // A separate arrow part of DropDownComboWidth pixels on the right opens the menu; switching it
  // widens or narrows the button by that much.
  bool DropDownCombo() const { return FDropDownCombo; }
  void SetDropDownCombo(bool Value);
  std::int32_t DropDownComboWidth() const { return FDropDownComboWidth; }
  void SetDropDownComboWidth(std::int32_t Value);
  // How far the menu is moved along the button's edge.
  std::int32_t DropDownIndent() const { return FDropDownIndent; }
  void SetDropDownIndent(std::int32_t Value);
  // Open the menu at the right edge instead of below.
  bool DropDownRight() const { return FDropDownRight; }
  void SetDropDownRight(bool Value);
  bool DropDownComboActive() const { return FDropDownMenu && FDropDownCombo; }
  // Opens the menu and returns when it has closed.
  void DropDown();
  bool GetDroppedState() const { return FState == TKitButtonState::bsDropDownOpen; }

  // Hit test of a button with AllowTransparency: inside when 0 <= X <= Width and
  // 0 <= Y <= Height.
  virtual bool VerifyTransparency(int X, int Y) const;
  // The hover check: ends the hot state when the pointer is no longer over the enabled button.
  void VerifyMouseOver(TObject* Sender);
  // The repeat timer's handler: clicks again while the pointer is over the button.
  void ExecuteRepeatedClick(TObject* Sender);
  void EndRepeatedClick() { DeActivateTimer(RepeatTimer); }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DialogChar(char32_t Key) override;
  bool TakesFocus() const override { return true; }
  // Enter or Space on the focused button: the same as its accelerator.
  void KeyClick() override;

  TNotifyEvent OnDblClick;
  TNotifyEvent OnDropDown;

 protected:
  // The one way the mouse changes the state: repaints when the face or the caption differs, and
  // runs the hover check exactly while the button is hot.
  void StateChange(TKitButtonState NewState);
  void SetMouseOver(bool Value);
  // The state the button is drawn in: a focused button whose cue is shown looks hot.
  TKitButtonState ShownState() const;
  void MouseEnter() override;
  void MouseExit() override;
  // The parent lends its background and the button does not paint its own.
  bool CheckOptimized() const override;

  // Starts the timer of Slot unless it runs; raises EOutOfResources "Not enough timers available"
  // when the pool has no timer to give.
  void ActivateTimer(int Slot, std::uint16_t Interval, TNotifyEvent Handler);
  void DeActivateTimer(int Slot);
  // One click of auto-repeat; later ones come at RepeatingInterval.
  virtual void DoRepeatedClick();
  // Whether the face itself differs between bsUp and bsMouseOver, and whether it follows the
  // MouseOver flag; the face styles answer.
  virtual bool FaceShowsHotState() const { return false; }
  virtual bool FaceShowsMouseOver() const { return false; }

  // Paints the caption and glyph into Rect, in EnterColor while hot or pressed.
  void DrawGlyphAndText(TCanvas& Canvas, const TRect& Rect);
  TKitGlyph& GlyphHolder() { return FGlyph; }
  // Keeps the framework's opaque flag the opposite of Value.
  void SetTransparent(bool Value);

  void EnabledChanged() override;
  void FontChanged() override;
  void TextChanged() override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  // Told by a button of the same parent that it latched down.
  void ButtonPressed(std::int32_t Group, const TKitBaseGraphicButton& Sender);
  // Tells the parent's buttons that this one latched, and passes on AllowAllUp.
  void InformOptionSet();
  // What an accelerator or Enter does to an enabled, visible button: a click shown hot, a
  // latch, or the drop-down menu. False when the button cannot be pressed.
  bool PressByKey();
  // The part of a left press that decides the state it leads to.
  void Press(int X, int Y, TKitButtonState& Target);
  // The hit tests of moves and of releases, in client coordinates.
  bool InsideForMove(int X, int Y) const;
  bool InsideForRelease(int X, int Y) const;
  // The release test applied to the pointer's position now.
  bool PointerInside() const;
  // The accelerator's test: the pointer strictly inside the button's bounds. The pointer is taken
  // in window coordinates, which agree with the bounds while the parent lies at the window's
  // top-left, as the menu's panel does.
  bool PointerInsideBounds() const;
  // Paints a new state at once when the button can restore what lies under it, else leaves it
  // to the next paint of the window.
  void PaintState();

  TKitButtonState FState = TKitButtonState::bsUp;
  TKitButtonState FStateBefore = TKitButtonState::bsUp;
  bool FMouseOver = false;
  bool FPressArmed = false;
  bool FAllowMouseOver = false;
  bool FAllowTransparency = true;
  bool FTransparent = false;
  TColor FEnterColor = clCaptionText;
  bool FEnterColorChange = false;
  bool FUseCaption = true;
  bool FMultiLine = false;
  TKitFxCaption FFontFX;
  TKitButtonLayout FButtonLayout;
  TKitGlyph FGlyph;
  std::int32_t FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FPressed = false;
  bool FRepeatedClick = false;
  std::uint16_t FRepeatingDelay = 500;
  std::uint16_t FRepeatingInterval = 100;
  std::array<std::uint16_t, 2> FTimers{};
  TPopupMenu* FDropDownMenu = nullptr;
  bool FDropDownCombo = false;
  std::int32_t FDropDownComboWidth = 12;
  std::int32_t FDropDownIndent = 0;
  bool FDropDownRight = false;
};
