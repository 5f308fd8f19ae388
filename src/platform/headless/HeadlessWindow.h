// A window without a display, for tests: presents into a screen image of its own and reports
// whatever pointer position the test sets.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Window.h"

class THeadlessWindow : public TPlatformWindow {
 public:
  struct TPresented {
    int X, Y, Width, Height;
  };

  THeadlessWindow(int Width, int Height);

  void Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
               int Height) override;
  void ClientOrigin(int& X, int& Y) const override;
  void CursorPos(int& X, int& Y) const override;

  // What the screen shows of the client area, rows of Width pixels.
  std::uint32_t ScreenPixel(int X, int Y) const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Every rectangle presented since the last call, oldest first.
  std::vector<TPresented> TakePresented();

  int OriginX = 100;
  int OriginY = 80;
  int PointerX = 0;
  int PointerY = 0;

 private:
  int FWidth;
  int FHeight;
  std::vector<std::uint32_t> FScreen;
  std::vector<TPresented> FPresented;
};
