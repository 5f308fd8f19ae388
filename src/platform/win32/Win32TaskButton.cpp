// The task-bar entry and what it passes on to the main window.
#include "platform/win32/Win32TaskButton.h"

namespace {

constexpr const wchar_t* TaskButtonClass = L"OstrelTaskButton";

}  // namespace

TWin32TaskButton::TWin32TaskButton(HINSTANCE Instance, const std::wstring& Title, HICON Big,
                                   HICON Small)
    : FInstance(Instance) {
  WNDCLASSEXW Class{};
  Class.cbSize = sizeof Class;
  Class.lpfnWndProc = ObjectWindowProc<TWin32TaskButton>;
  Class.hInstance = Instance;
  Class.hIcon = Big;
  Class.hIconSm = Small;
  Class.lpszClassName = TaskButtonClass;
  RegisterClassExW(&Class);
  // Centred and of no size: the system animates minimising towards where the entry lies.
  const int X = GetSystemMetrics(SM_CXSCREEN) / 2, Y = GetSystemMetrics(SM_CYSCREEN) / 2;
  FHandle = CreateWindowExW(0, TaskButtonClass, Title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, X, Y, 0, 0,
                            nullptr, nullptr, Instance, this);
}

TWin32TaskButton::~TWin32TaskButton() {
  DestroyObjectWindow(FHandle);
  UnregisterClassW(TaskButtonClass, FInstance);
}

LRESULT TWin32TaskButton::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_SETFOCUS:
      // The entry was clicked or chosen with Alt+Tab: the main window is what the user wants.
      if (FMain != nullptr && IsWindowVisible(FMain)) {
        SetFocus(FMain);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (FMain != nullptr) PostMessageW(FMain, WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(FHandle, Message, WParam, LParam);
}

void TWin32TaskButton::SetTitle(const std::wstring& Title) {
  SetWindowTextW(FHandle, Title.c_str());
}

void TWin32TaskButton::SetIcons(HICON Big, HICON Small) {
  SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Big));
  SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Small));
}

void TWin32TaskButton::Show() {
  ShowWindow(FHandle, SW_SHOWNOACTIVATE);
}

void TWin32TaskButton::Hide() {
  ShowWindow(FHandle, SW_HIDE);
}

void TWin32TaskButton::Minimise() {
  ShowWindow(FHandle, SW_MINIMIZE);
}
