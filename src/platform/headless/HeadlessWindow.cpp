// A window without a display, for tests.
#include "platform/headless/HeadlessWindow.h"

#include <algorithm>

THeadlessWindow::THeadlessWindow(int Width, int Height) {
  SetClientSize(Width, Height);
}

THeadlessWindow::THeadlessWindow(const TWindowOptions& WindowOptions)
    : Options(WindowOptions), Caption(WindowOptions.Caption), IconName(WindowOptions.IconName) {
  SetClientSize(WindowOptions.ClientWidth, WindowOptions.ClientHeight);
}

void THeadlessWindow::SetClientSize(int Width, int Height) {
  FWidth = std::max(Width, 0);
  FHeight = std::max(Height, 0);
  FScreen.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
}

void THeadlessWindow::Show(int X, int Y) {
  OriginX = X;
  OriginY = Y;
  Visible = true;
}

void THeadlessWindow::Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
                              int Height) {
  FPresented.push_back({X, Y, Width, Height});
  const int Left = std::max(X, 0), Top = std::max(Y, 0);
  const int Right = std::min(X + Width, FWidth), Bottom = std::min(Y + Height, FHeight);
  for (int Row = Top; Row < Bottom; ++Row)
    for (int Col = Left; Col < Right; ++Col)
      FScreen[static_cast<std::size_t>(Row) * FWidth + Col] =
          Pixels[static_cast<std::size_t>(Row) * Stride + Col];
}

void THeadlessWindow::ClientOrigin(int& X, int& Y) const {
  X = OriginX;
  Y = OriginY;
}

void THeadlessWindow::CursorPos(int& X, int& Y) const {
  X = PointerX;
  Y = PointerY;
}

std::uint32_t THeadlessWindow::ScreenPixel(int X, int Y) const {
  return FScreen[static_cast<std::size_t>(Y) * FWidth + X];
}

std::vector<THeadlessWindow::TPresented> THeadlessWindow::TakePresented() {
  std::vector<TPresented> Result;
  Result.swap(FPresented);
  return Result;
}
