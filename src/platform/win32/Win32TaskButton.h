// The program's task-bar entry: a window of no size that carries the application title and owns
// the main window, so that the task bar shows the title while the main window's caption shows
// the menu's name. Activating it activates the main window, minimising it hides the main window
// with it, and closing it closes the main window.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Win32WindowObject.h"

class TWin32TaskButton {
 public:
  // Registers the entry's window class, whose icons are the program's, and makes the entry,
  // hidden, with Title as its text.
  TWin32TaskButton(HINSTANCE Instance, const std::wstring& Title, HICON Big, HICON Small);
  ~TWin32TaskButton();
  TWin32TaskButton(const TWin32TaskButton&) = delete;
  TWin32TaskButton& operator=(const TWin32TaskButton&) = delete;

  HWND Handle() const { return FHandle; }
  // The window that activation and closing are passed on to.
  void SetMainWindow(HWND Main) { FMain = Main; }
  void SetTitle(const std::wstring& Title);
  // The icons stay the caller's; it sets new ones before it destroys the old.
  void SetIcons(HICON Big, HICON Small);
  // Shows the entry without taking the activation from the main window about to show.
  void Show();
  void Hide();
  // Minimises the entry, which hides the windows it owns.
  void Minimise();

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND Handle, UINT Message, WPARAM WParam, LPARAM LParam);
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam);

  HINSTANCE FInstance;
  HWND FHandle = nullptr;
  HWND FMain = nullptr;
};
