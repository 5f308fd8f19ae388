// A window without a display, for tests: presents into a screen image of its own, records what
// the program set on it, and reports whatever pointer position the test sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

class THeadlessWindow : public TNativeWindow {
 public:
  struct TPresented {
    int X, Y, Width, Height;
  };

  THeadlessWindow(int Width, int Height);
  explicit THeadlessWindow(const TWindowOptions& Options);

  void Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
               int Height) override;
  void ClientOrigin(int& X, int& Y) const override;
  void CursorPos(int& X, int& Y) const override;
  void SetCaption(const std::string& Utf8) override { Caption = Utf8; }
  void SetIconName(const std::string& Utf8) override { IconName = Utf8; }
  void SetIcons(const std::vector<TIconPixels>& Value) override { Icons = Value; }
  void SetClientSize(int Width, int Height) override;
  void Show(int X, int Y) override;
  void Hide() override { Visible = false; }

  // What the screen shows of the client area.
  std::uint32_t ScreenPixel(int X, int Y) const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Every rectangle presented since the last call, oldest first.
  std::vector<TPresented> TakePresented();

  TWindowOptions Options;
  std::string Caption;
  std::string IconName;
  std::vector<TIconPixels> Icons;
  bool Visible = false;
  int OriginX = 100;
  int OriginY = 80;
  int PointerX = 0;
  int PointerY = 0;

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint32_t> FScreen;
  std::vector<TPresented> FPresented;
};
