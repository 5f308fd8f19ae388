// TForm: a top-level window of the framework: the root of its controls, shown in a native window
// of fixed client size, with caption, icon and position, shown normally or modally. The form owns
// the window's back buffer, collects the area to repaint, presents it, and passes the window's
// mouse and key events to the control they are meant for; it holds the mouse capture, the
// control under the pointer and the keyboard focus.
#pragma once

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Icon.h"
#include "framework/WinControl.h"
#include "platform/WindowSystem.h"

enum class TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsDialog };
enum class TPosition : std::uint8_t { poDesigned, poScreenCenter };

// What a modal form was closed with.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

class TApplication;

// Where a window's client area goes so that the window, frame included, is centred in Area.
TPoint CentredClientOrigin(const TRect& Area, const TFrameExtents& Frame, int Width, int Height);

class TForm : public TWinControl, public TWindowClient {
 public:
  // Owner is normally the application, which then finds the form's events.
  explicit TForm(TComponent* Owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
  void SetClientHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
  void SetBounds(int Left, int Top, int Width, int Height) override;

  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSingle;
  TPosition Position = TPosition::poDesigned;
  // Shown as a tip: no frame, no task-bar entry, and it never takes the keyboard.
  bool PopupWindow = false;
  // The window's icon; an empty icon leaves the window with the platform's default.
  TIcon Icon;

  // Shows the window; the first time, when Position says so, centred with its frame on the
  // monitor that holds the pointer, inside the desktop's work area.
  void Show();
  void Hide();
  bool Showing() const { return FShowing; }
  // The user or the program asks the form to close: the main form ends the application, a
  // modal form ends its modal loop, any other form hides.
  virtual void Close();
  // Shows the form and runs a nested message loop until ModalResult is set; returns it.
  int ShowModal();
  int ModalResult = mrNone;

  // A key that no accelerator took; true when the form handled it. The form moves the keyboard
  // focus and clicks the focused control.
  virtual bool KeyDown(unsigned Key, char32_t Character, TShiftState Shift);

  TNativeWindow* NativeWindow() const { return FNativeWindow.get(); }
  // Applies the application's title and this form's icon to the native window.
  void UpdateTitleAndIcon();

  void Paint() override;

  // --- Painting and presenting ---
  // The platform window that shows the back buffer: the native window once shown, or one that
  // is set here (a test's or a benchmark's); not owned.
  void SetWindow(TPlatformWindow* Window) { FWindow = Window; }
  TPlatformWindow* Window() const { return FWindow; }
  TBitmap& BackBuffer() { return FBackBuffer; }
  // Adds a window rectangle to the area painted at the next UpdateWindow.
  void InvalidateWindowRect(const TRect& Rect);
  bool HasInvalidArea() const { return !FInvalid.IsEmpty(); }
  // Paints the invalid area and presents it.
  void UpdateWindow();
  // Paints the form's face, then its visible controls, each clipped to itself. Area is in window
  // coordinates.
  void PaintTree(const TRect& Area);
  // Paints one control at once, without what lies under or over it, and presents it.
  void PaintControlNow(TControl& Control);
  // Shows a window rectangle of the back buffer.
  void PresentRect(const TRect& Rect);
  // The pointer's screen position, from the platform window.
  TPoint CursorPos() const;

  // --- Mouse and keys, in window client coordinates ---
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

  // --- Keyboard focus ---
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
  // The control, or an ancestor of it, left the form: nothing holds on to it any longer.
  void Forget(TControl* Control);

 protected:
  void TextChanged() override;

 private:
  // The deepest control under a window point that takes mouse input (enabled ones only unless
  // AllowDisabled), and that point in its client coordinates.
  TControl* MouseTarget(TPoint Point, bool AllowDisabled, TPoint& Local);
  // Where a mouse event at a window point goes: the capturing control, else the one under it.
  TControl* EventTarget(int X, int Y, TPoint& Local);
  void SetHover(TControl* Control);
  // Paints Control's face where it meets Area (window coordinates) on a canvas made for it.
  void PaintFace(TControl& Control, const TRect& Area);
  void PaintBranch(TControl& Control, const TRect& Area);

  std::unique_ptr<TNativeWindow> FNativeWindow;
  TPlatformWindow* FWindow = nullptr;
  TBitmap FBackBuffer;
  TRect FInvalid;
  TControl* FCapture = nullptr;
  TControl* FHover = nullptr;
  TControl* FFocus = nullptr;
  bool FFocusCue = false;
  bool FShowing = false;
  bool FPlaced = false;
};
