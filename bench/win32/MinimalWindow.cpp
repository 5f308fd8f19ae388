// The least a Windows program can do to show a menu's face: one window of the picture's size and,
// on every paint, one StretchDIBits of the picture's raw 32-bit rows read from a file, nothing
// decoded. The start-up benchmark measures the menu program under Wine against it.
//   minimal_window.exe PIXELS.raw WIDTH HEIGHT
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Rows;  // top row first, 4 bytes a pixel: blue, green, red, unused
};

TPicture Picture;

LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_PAINT: {
      PAINTSTRUCT Paint;
      HDC Dc = BeginPaint(Window, &Paint);
      BITMAPINFO Info{};
      Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      Info.bmiHeader.biWidth = Picture.Width;
      Info.bmiHeader.biHeight = -Picture.Height;
      Info.bmiHeader.biPlanes = 1;
      Info.bmiHeader.biBitCount = 32;
      Info.bmiHeader.biCompression = BI_RGB;
      StretchDIBits(Dc, 0, 0, Picture.Width, Picture.Height, 0, 0, Picture.Width, Picture.Height,
                    Picture.Rows.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
      EndPaint(Window, &Paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(Window, Message, WParam, LParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: minimal_window PIXELS.raw WIDTH HEIGHT\n", stderr);
    return 2;
  }
  Picture.Width = std::atoi(argv[2]);
  Picture.Height = std::atoi(argv[3]);
  Picture.Rows.resize(static_cast<std::size_t>(Picture.Width) * Picture.Height * 4);
  std::FILE* File = std::fopen(argv[1], "rb");
  if (!File ||
      std::fread(Picture.Rows.data(), 1, Picture.Rows.size(), File) != Picture.Rows.size()) {
    std::fprintf(stderr, "minimal_window: cannot read %s\n", argv[1]);
    return 1;
  }
  std::fclose(File);

  WNDCLASSA Class{};
  Class.lpfnWndProc = WindowProc;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  Class.lpszClassName = "MinimalWindow";
  RegisterClassA(&Class);
  const DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT Outer{0, 0, Picture.Width, Picture.Height};
  AdjustWindowRect(&Outer, Style, FALSE);
  HWND Window = CreateWindowA("MinimalWindow", "Start-up benchmark", Style, CW_USEDEFAULT,
                              CW_USEDEFAULT, Outer.right - Outer.left, Outer.bottom - Outer.top,
                              nullptr, nullptr, Class.hInstance, nullptr);
  ShowWindow(Window, SW_SHOWNORMAL);
  MSG Message;
  while (GetMessageA(&Message, nullptr, 0, 0) > 0) {
    TranslateMessage(&Message);
    DispatchMessageA(&Message);
  }
  return 0;
}
