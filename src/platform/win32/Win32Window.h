// A top-level window of fixed client size that shows the framework's back buffer.
#pragma once

#include "platform/WindowSystem.h"

#include <windows.h>

// The system's macro of this name would rename the window system's method.
#undef CreateWindow

#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32TaskButton.h"
#include "platform/win32/Win32WindowObject.h"

class TWin32WindowSystem;

// Keeps a copy of the presented pixels in a DIB section, from which painting answers the
// system at once without waking the framework. A dialog is owned by its owner's window and
// has no minimise box.
class TWin32Window : public TNativeWindow {
 public:
  TWin32Window(TWin32WindowSystem& System, const TWindowOptions& Options);
  ~TWin32Window() override;
  TWin32Window(const TWin32Window&) = delete;
  TWin32Window& operator=(const TWin32Window&) = delete;

  void Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
               int Height) override;
  void ClientOrigin(int& X, int& Y) const override;
  void CursorPos(int& X, int& Y) const override;
  void SetCaption(const std::string& Utf8) override;
  // The main window's task-bar text; other windows have no entry of their own.
  void SetIconName(const std::string& Utf8) override;
  void SetIcons(const std::vector<TIconPixels>& Icons) override;
  void SetClientSize(int Width, int Height) override;
  // Positions only a window that is not shown: one on the screen stays where the user put it.
  void Show(int X, int Y) override;
  void Hide() override;

  HWND Handle() const { return FHandle; }
  // The window styles of a top-level window or a dialog, for its frame.
  static DWORD StyleOf(bool Dialog);
  static DWORD ExStyleOf(bool Dialog);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND Handle, UINT Message, WPARAM WParam, LPARAM LParam);
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam);
  void Paint();
  void MakeBuffer();
  void FreeBuffer();
  // The outer size and offset of a window whose client area has the current size.
  RECT FrameFor() const;
  void ReplaceIcon(WPARAM Kind, HICON Icon);

  TWin32WindowSystem& FSystem;
  DWORD FStyle;
  DWORD FExStyle;
  bool FPopup;
  HWND FHandle = nullptr;
  int FWidth = 1;
  int FHeight = 1;
  HDC FBufferDC = nullptr;
  HBITMAP FBuffer = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  std::uint32_t* FBits = nullptr;
  std::wstring FCaption;
  bool FShown = false;
  // The system has painted the window since it was last shown.
  bool FPainted = false;
  // The main window's task-bar entry, which owns it; nullptr for the other windows.
  TWin32TaskButton* FTaskButton = nullptr;
  HICON FBigIcon = nullptr;
  HICON FSmallIcon = nullptr;
  std::unique_ptr<TWin32Input> FInput;
};
