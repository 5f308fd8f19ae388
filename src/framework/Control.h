// TControl: a windowless control that draws on its parent's surface at its own position, with
// bounds, visibility, enabling, caption, font, colour and mouse handling.
#pragma once

#include <string>

#include "core/Types.h"
#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Mouse.h"

class TForm;
class TWinControl;

// What the framework does for a control on its own.
enum class TControlStyle : std::uint8_t {
  csCaptureMouse,  // keeps the mouse while a button is held over it
  csDoubleClicks,  // takes a second press as a double click instead of a plain press
  csOpaque,        // covers its whole rectangle when it paints
  csReplicatable,
};

class TControlStyles {
 public:
  constexpr TControlStyles() = default;
  constexpr TControlStyles(std::initializer_list<TControlStyle> Styles) {
    for (TControlStyle Style : Styles) Include(Style);
  }
  constexpr bool Contains(TControlStyle S) const { return (FBits >> static_cast<int>(S)) & 1u; }
  constexpr void Include(TControlStyle S) {
    FBits = static_cast<std::uint8_t>(FBits | (1u << static_cast<int>(S)));
  }
  constexpr void Exclude(TControlStyle S) {
    FBits = static_cast<std::uint8_t>(FBits & ~(1u << static_cast<int>(S)));
  }

 private:
  std::uint8_t FBits = 0;
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* Owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* Parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control; the old and the new rectangle are repainted.
  virtual void SetBounds(int Left, int Top, int Width, int Height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  // The control's font. Changing it ends ParentFont; with ParentFont the parent's font is
  // copied into it whenever the parent's changes.
  TFont Font;
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  TControlStyles ControlStyle;
  // The tip shown while the pointer rests on the control or the keyboard focus is on it.
  std::string Hint;

  // While the control paints: a canvas on the window's back buffer with this control's top-left
  // as origin, clipped to the part being painted. Raises std::logic_error outside a paint.
  TCanvas& Canvas();

  // Paints the control's face on Canvas(); the default paints nothing.
  virtual void Paint() {}
  // Asks for the control's rectangle to be repainted when the window is next idle.
  virtual void Invalidate();
  // Paints whatever is waiting to be painted in the window, now.
  void Update();
  // Invalidate followed by Update.
  virtual void Repaint();
  // Runs Paint at once on Canvas() and shows the result, without repainting what is under or
  // over the control; nothing while the root control has no window.
  void PaintNow();

  // The control's top-left corner in the coordinates of the window's client area.
  TPoint WindowOrigin() const;
  TPoint ClientToScreen(TPoint Point) const;
  TPoint ScreenToClient(TPoint Point) const;
  // The form that shows this control, or nullptr while it is not in one.
  TForm* ParentForm() const;

  // The mouse operations the window calls, in client coordinates.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  // The pointer came over the control, or left it.
  virtual void MouseEntered() {}
  virtual void MouseLeft() {}
  // An accelerator key (Alt with a letter): true when the control took it.
  virtual bool DialogChar(char32_t Key) {
    (void)Key;
    return false;
  }
  // Whether the keyboard may move the focus here while the control is visible and enabled.
  virtual bool TakesFocus() const { return false; }
  // The focus is here and its cue is shown: a navigation key has been used in this window.
  bool ShowsFocus() const;
  // Enter or Space while the control has the focus.
  virtual void KeyClick() { Click(); }

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  // Told after the change took place.
  virtual void EnabledChanged();
  virtual void FontChanged();
  virtual void TextChanged();
  virtual void VisibleChanged();

 private:
  friend class TWinControl;
  friend class TForm;
  void ParentFontChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FApplyingParentFont = false;
  std::string FCaption;
  TColor FColor = clBtnFace;
  // The canvas of the paint under way, made by the form for it.
  TCanvas* FCanvas = nullptr;
};
