// TWinControl: a control that holds children and paints them over its own face in z-order. A
// TWinControl without a parent is the root of a window: it owns the back buffer, collects the
// area to repaint, presents to the platform window and dispatches the window's mouse and key
// events to the control they are meant for.
#pragma once

#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "platform/Window.h"

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* Owner);
  // Destroys the child controls too, as a window destroys what it shows.
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order: the first is painted first, the last is on top.
  TControl* Controls(int Index) const { return FControls[static_cast<std::size_t>(Index)]; }
  // The topmost visible child containing Point (client coordinates); disabled ones only when
  // asked for. Nested children are not searched.
  TControl* ControlAtPos(TPoint Point, bool AllowDisabled) const;
  void BringToFront(TControl* Control);

  // Paints this control's face, then its visible children, each clipped to itself. Area is in
  // window coordinates.
  void PaintTree(const TRect& Area);

  // --- Root of a window ---
  // The platform window that shows the back buffer; not owned.
  void SetWindow(TPlatformWindow* Window) { FWindow = Window; }
  TPlatformWindow* Window() const { return FWindow; }
  TBitmap& BackBuffer() { return FBackBuffer; }
  void SetBounds(int Left, int Top, int Width, int Height) override;
  // Adds a window rectangle to the area painted at the next UpdateWindow.
  void InvalidateWindowRect(const TRect& Rect);
  bool HasInvalidArea() const { return !FInvalid.IsEmpty(); }
  // Paints the invalid area and presents it.
  void UpdateWindow();
  // Shows a window rectangle of the back buffer.
  void PresentRect(const TRect& Rect);
  // The pointer's screen position, from the platform window.
  TPoint CursorPos() const;

  // Window events, in window client coordinates.
  void WindowMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void WindowMouseMove(TShiftState Shift, int X, int Y);
  void WindowMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The pointer left the window.
  void WindowMouseLeave();
  // An accelerator key; true when a control took it.
  bool WindowDialogChar(char32_t Key);
  // The control that has the mouse while a button is held, if any.
  TControl* CaptureControl() const { return FCapture; }
  // The control under the pointer, disabled ones included, if any.
  TControl* HoverControl() const { return FHover; }

  // --- Keyboard focus of a window ---
  TControl* FocusedControl() const { return FFocus; }
  bool FocusCueShown() const { return FFocusCue; }
  // Moves the focus, repainting the control that loses it and the one that gains it; nullptr
  // leaves no control focused.
  void SetFocusedControl(TControl* Control);
  // Tab and Shift+Tab, the arrows, Home and End move the focus among the visible, enabled
  // controls that take it, and show the focus cue from then on; Enter and Space click the
  // focused control. True when the key did one of these.
  bool WindowNavigationKey(unsigned Key, TShiftState Shift);
  // The control, or an ancestor of it, was hidden or disabled: the focus leaves it.
  void FocusGone(TControl* Control);

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;
  void FontChanged() override;

 private:
  friend class TControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  // The deepest control under a window point that takes mouse input (enabled ones only unless
  // AllowDisabled), and that point in its client coordinates.
  TControl* MouseTarget(TPoint Point, bool AllowDisabled, TPoint& Local);
  // Where a mouse event at a window point goes: the capturing control, else the one under it.
  TControl* EventTarget(int X, int Y, TPoint& Local);
  void Forget(TControl* Control);
  void SetHover(TControl* Control);
  void PaintControl(TControl& Control, const TRect& Area);
  // Whether a shown, opaque child of Control covers Shown (window coordinates): Control's own
  // face would be painted there only to be painted over.
  static bool CoveredByChild(const TControl& Control, const TRect& Shown);

  std::vector<TControl*> FControls;
  TPlatformWindow* FWindow = nullptr;
  TBitmap FBackBuffer;
  TRect FInvalid;
  TControl* FCapture = nullptr;
  TControl* FHover = nullptr;
  TControl* FFocus = nullptr;
  bool FFocusCue = false;
};
