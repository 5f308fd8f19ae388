// A top-level window of fixed client size that shows the framework's back buffer.
#include "platform/win32/Win32Window.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Icon.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

// Larger windows than this no screen shows, and their buffers would only waste memory.
constexpr int MaxWindowSide = 32767;

int ClampSide(int Value) {
  return std::clamp(Value, 1, MaxWindowSide);
}

HWND OwnerHandle(const TWindowOptions& Options) {
  const auto* Owner = dynamic_cast<const TWin32Window*>(Options.Owner);
  return Owner != nullptr ? Owner->Handle() : nullptr;
}

}  // namespace

TWin32Window::TWin32Window(TWin32WindowSystem& System, const TWindowOptions& Options)
    : FSystem(System),
      FStyle(Options.Popup ? WS_POPUP : StyleOf(Options.Dialog)),
      FExStyle(Options.Popup ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE
                             : ExStyleOf(Options.Dialog)),
      FPopup(Options.Popup),
      FWidth(ClampSide(Options.ClientWidth)),
      FHeight(ClampSide(Options.ClientHeight)),
      FCaption(WideOf(Options.Caption)),
      FTaskButton(System.TaskButtonFor(Options)) {
  MakeBuffer();
  const RECT Frame = FrameFor();
  FHandle = CreateWindowExW(
      FExStyle, TWin32WindowSystem::ClassName(), FCaption.c_str(), FStyle, CW_USEDEFAULT,
      CW_USEDEFAULT, Frame.right - Frame.left, Frame.bottom - Frame.top,
      FTaskButton ? FTaskButton->Handle() : OwnerHandle(Options), nullptr, System.Instance(), this);
  if (FTaskButton) FTaskButton->SetMainWindow(FHandle);
  FInput = std::make_unique<TWin32Input>(
      FHandle, this, [&System](const TWindowEvent& Event) { System.Post(Event); });
}

DWORD TWin32Window::StyleOf(bool Dialog) {
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (Dialog ? 0 : WS_MINIMIZEBOX);
}

DWORD TWin32Window::ExStyleOf(bool Dialog) {
  return Dialog ? WS_EX_DLGMODALFRAME : 0;
}

TWin32Window::~TWin32Window() {
  if (FTaskButton) {
    FTaskButton->Hide();
    FTaskButton->SetIcons(nullptr, nullptr);
    FTaskButton->SetMainWindow(nullptr);
  }
  DestroyObjectWindow(FHandle);
  if (FBigIcon != nullptr) DestroyIcon(FBigIcon);
  if (FSmallIcon != nullptr) DestroyIcon(FSmallIcon);
  FreeBuffer();
}

LRESULT TWin32Window::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      // Every pixel comes from the buffer; clearing first would only flicker.
      return 1;
    case WM_CLOSE: {
      TWindowEvent Event;
      Event.Kind = TWindowEvent::TKind::wkClose;
      Event.Window = this;
      FSystem.Post(Event);
      return 0;
    }
    case WM_SYSCOMMAND:
      // The main window is minimised through its task-bar entry, which hides it, rather than
      // into a caption of its own above the task bar.
      if ((WParam & 0xFFF0) == SC_MINIMIZE && FTaskButton) {
        FTaskButton->Minimise();
        return 0;
      }
      break;
    default:
      break;
  }
  if (FInput != nullptr && FInput->Handle(Message, WParam, LParam)) return 0;
  return DefWindowProcW(FHandle, Message, WParam, LParam);
}

void TWin32Window::Paint() {
  PAINTSTRUCT Paint{};
  HDC DC = BeginPaint(FHandle, &Paint);
  const RECT& Area = Paint.rcPaint;
  if (DC != nullptr && FBufferDC != nullptr)
    BitBlt(DC, Area.left, Area.top, Area.right - Area.left, Area.bottom - Area.top, FBufferDC,
           Area.left, Area.top, SRCCOPY);
  EndPaint(FHandle, &Paint);
  FPainted = true;
}

void TWin32Window::MakeBuffer() {
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = FWidth;
  Info.bmiHeader.biHeight = -FHeight;  // rows top-down, as the back buffer's
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  FBuffer = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  FBufferDC = CreateCompatibleDC(nullptr);
  if (FBuffer == nullptr || FBufferDC == nullptr || Bits == nullptr) {
    FreeBuffer();
    return;
  }
  FBits = static_cast<std::uint32_t*>(Bits);
  std::fill_n(FBits, static_cast<std::size_t>(FWidth) * FHeight, 0u);
  FOldBitmap = SelectObject(FBufferDC, FBuffer);
}

void TWin32Window::FreeBuffer() {
  if (FBufferDC != nullptr) {
    if (FOldBitmap != nullptr) SelectObject(FBufferDC, FOldBitmap);
    DeleteDC(FBufferDC);
  }
  if (FBuffer != nullptr) DeleteObject(FBuffer);
  FBufferDC = nullptr;
  FBuffer = nullptr;
  FOldBitmap = nullptr;
  FBits = nullptr;
}

RECT TWin32Window::FrameFor() const {
  RECT Frame{0, 0, FWidth, FHeight};
  AdjustWindowRectEx(&Frame, FStyle, FALSE, FExStyle);
  return Frame;
}

void TWin32Window::Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
                           int Height) {
  if (FBits == nullptr || Pixels == nullptr) return;
  const int Left = std::max(X, 0), Top = std::max(Y, 0);
  const int Right = std::min(X + Width, FWidth), Bottom = std::min(Y + Height, FHeight);
  if (Left >= Right || Top >= Bottom) return;
  // 0xAARRGGBB in memory order is the DIB's blue, green, red and unused byte.
  GdiFlush();
  for (int Row = Top; Row < Bottom; ++Row)
    std::memcpy(FBits + static_cast<std::size_t>(Row) * FWidth + Left,
                Pixels + static_cast<std::size_t>(Row) * Stride + Left,
                static_cast<std::size_t>(Right - Left) * sizeof(std::uint32_t));
  // Until the system first asks for the window's face, the buffer is only filled: that first
  // paint shows it whole.
  if (!FPainted) return;
  HDC DC = GetDC(FHandle);
  if (DC == nullptr) return;
  BitBlt(DC, Left, Top, Right - Left, Bottom - Top, FBufferDC, Left, Top, SRCCOPY);
  ReleaseDC(FHandle, DC);
}

void TWin32Window::ClientOrigin(int& X, int& Y) const {
  POINT Origin{0, 0};
  ClientToScreen(FHandle, &Origin);
  X = Origin.x;
  Y = Origin.y;
}

void TWin32Window::CursorPos(int& X, int& Y) const {
  FSystem.CursorPos(X, Y);
}

void TWin32Window::SetCaption(const std::string& Utf8) {
  FCaption = WideOf(Utf8);
  SetWindowTextW(FHandle, FCaption.c_str());
}

void TWin32Window::SetIconName(const std::string& Utf8) {
  if (FTaskButton) FTaskButton->SetTitle(WideOf(Utf8));
}

void TWin32Window::ReplaceIcon(WPARAM Kind, HICON Icon) {
  SendMessageW(FHandle, WM_SETICON, Kind, reinterpret_cast<LPARAM>(Icon));
  HICON& Slot = Kind == ICON_BIG ? FBigIcon : FSmallIcon;
  if (Slot != nullptr) DestroyIcon(Slot);
  Slot = Icon;
}

void TWin32Window::SetIcons(const std::vector<TIconPixels>& Icons) {
  // Without icons of its own the window shows its class's: the program's icon resource.
  const TIconPixels* Big = NearestIcon(Icons, GetSystemMetrics(SM_CXICON));
  const TIconPixels* Small = NearestIcon(Icons, GetSystemMetrics(SM_CXSMICON));
  HICON NewBig = Big != nullptr ? CreateIconFromPixels(*Big) : nullptr;
  HICON NewSmall = Small != nullptr ? CreateIconFromPixels(*Small) : nullptr;
  // The entry lets go of the old icons before they are destroyed.
  if (FTaskButton) FTaskButton->SetIcons(NewBig, NewSmall);
  ReplaceIcon(ICON_BIG, NewBig);
  ReplaceIcon(ICON_SMALL, NewSmall);
}

void TWin32Window::SetClientSize(int Width, int Height) {
  Width = ClampSide(Width);
  Height = ClampSide(Height);
  if (Width == FWidth && Height == FHeight) return;
  FWidth = Width;
  FHeight = Height;
  FreeBuffer();
  MakeBuffer();
  const RECT Frame = FrameFor();
  SetWindowPos(FHandle, nullptr, 0, 0, Frame.right - Frame.left, Frame.bottom - Frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Window::Show(int X, int Y) {
  if (FShown) {
    if (!FPopup) SetForegroundWindow(FHandle);
    return;
  }
  const RECT Frame = FrameFor();
  SetWindowPos(FHandle, nullptr, X + Frame.left, Y + Frame.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FShown = true;
  if (FPopup) {
    ShowWindow(FHandle, SW_SHOWNOACTIVATE);
    return;
  }
  ShowWindow(FHandle, SW_SHOWNORMAL);
  // The entry comes after the window it owns, so that the window keeps the activation.
  if (FTaskButton) FTaskButton->Show();
  SetForegroundWindow(FHandle);
}

void TWin32Window::Hide() {
  if (!FShown) return;
  ShowWindow(FHandle, SW_HIDE);
  if (FTaskButton) FTaskButton->Hide();
  FShown = false;
  FPainted = false;
}
