// The Windows desktop as the window system: one window class, the thread's message queue, and
// the events its window procedure collects.
#include "platform/win32/Win32WindowSystem.h"

#include <chrono>

#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Window.h"

namespace {

// The resource the program's icon is linked in as.
constexpr const wchar_t* MainIconName = L"MAINICON";

HICON LoadMainIcon(HINSTANCE Instance, int Side) {
  return static_cast<HICON>(LoadImageW(Instance, MainIconName, IMAGE_ICON, Side, Side, 0));
}

}  // namespace

std::unique_ptr<TWin32WindowSystem> TWin32WindowSystem::Open(std::string& Error) {
  // The program scales the menu itself, from the monitor's DPI: the system must not stretch
  // its window on screens set to larger text (the manifest says so too, per monitor, where the
  // system reads it).
  SetProcessDPIAware();
  HINSTANCE Instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW Class{};
  Class.cbSize = sizeof Class;
  Class.style = CS_DBLCLKS;
  Class.lpfnWndProc = ObjectWindowProc<TWin32Window>;
  Class.hInstance = Instance;
  Class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  Class.hIcon = LoadMainIcon(Instance, GetSystemMetrics(SM_CXICON));
  Class.hIconSm = LoadMainIcon(Instance, GetSystemMetrics(SM_CXSMICON));
  Class.lpszClassName = TWin32WindowSystem::ClassName();
  if (RegisterClassExW(&Class) == 0) {
    Error = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::make_unique<TWin32WindowSystem>(Instance);
}

TWin32WindowSystem::TWin32WindowSystem(HINSTANCE Instance) : FInstance(Instance) {}

TWin32WindowSystem::~TWin32WindowSystem() {
  UnregisterClassW(ClassName(), FInstance);
}

const wchar_t* TWin32WindowSystem::ClassName() {
  return L"OstrelWindow";
}

TWin32TaskButton* TWin32WindowSystem::TaskButtonFor(const TWindowOptions& Options) {
  if (Options.Owner != nullptr || Options.Dialog || Options.Popup) return nullptr;
  if (!FTaskButton) {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof Class;
    GetClassInfoExW(FInstance, ClassName(), &Class);
    FTaskButton = std::make_unique<TWin32TaskButton>(FInstance, WideOf(Options.IconName),
                                                     Class.hIcon, Class.hIconSm);
  }
  return FTaskButton.get();
}

std::unique_ptr<TNativeWindow> TWin32WindowSystem::CreateWindow(const TWindowOptions& Options) {
  return std::make_unique<TWin32Window>(*this, Options);
}

bool TWin32WindowSystem::NextEvent(TWindowEvent& Event, int TimeoutMs) {
  const std::int64_t Deadline = Milliseconds() + TimeoutMs;
  for (;;) {
    if (!FQueue.empty()) {
      Event = FQueue.front();
      FQueue.pop_front();
      return true;
    }
    MSG Message;
    if (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE)) {
      // Makes the character messages of key presses, which carry what the keys type.
      TranslateMessage(&Message);
      DispatchMessageW(&Message);
      continue;
    }
    DWORD Wait = INFINITE;
    if (TimeoutMs >= 0) {
      const std::int64_t Left = Deadline - Milliseconds();
      if (Left <= 0) return false;
      Wait = static_cast<DWORD>(Left);
    }
    // Input-available: messages that came while the queue was read also end the wait.
    MsgWaitForMultipleObjectsEx(0, nullptr, Wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void TWin32WindowSystem::ScreenSize(int& Width, int& Height) const {
  Width = GetSystemMetrics(SM_CXSCREEN);
  Height = GetSystemMetrics(SM_CYSCREEN);
}

void TWin32WindowSystem::CursorPos(int& X, int& Y) const {
  POINT Point{};
  GetCursorPos(&Point);
  X = Point.x;
  Y = Point.y;
}

std::int64_t TWin32WindowSystem::Milliseconds() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
