// TForm: a top-level window of the framework: a root control shown in a native window of fixed
// client size, with caption, icon and position, shown normally or modally.
#pragma once

#include <memory>

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

class TForm : public TWinControl {
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

  TNativeWindow* NativeWindow() const { return FWindow.get(); }
  // Applies the application's title and this form's icon to the native window.
  void UpdateTitleAndIcon();

  void Paint() override;

 protected:
  void TextChanged() override;

 private:
  std::unique_ptr<TNativeWindow> FWindow;
  bool FShowing = false;
  bool FPlaced = false;
};
