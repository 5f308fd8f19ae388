// A top-level window as the framework sees it: a place to present pixels, with a position on the
// screen and a pointer over it. Events come the other way, from each platform's loop.
#pragma once

#include <cstdint>

// What a window shows, as its owner registers it with the window, so that an event's window leads
// straight to it.
class TWindowClient {
 public:
  virtual ~TWindowClient() = default;
};

class TPlatformWindow {
 public:
  virtual ~TPlatformWindow() = default;
  // Copies a rectangle of the back buffer (rows of 0xAARRGGBB, Stride pixels apart, starting at
  // the buffer's top-left) to the window's client area at the same position.
  virtual void Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
                       int Height) = 0;
  // Screen position of the client area's top-left corner.
  virtual void ClientOrigin(int& X, int& Y) const = 0;
  // The pointer's position on the screen.
  virtual void CursorPos(int& X, int& Y) const = 0;

  TWindowClient* Client() const { return FClient; }
  void SetClient(TWindowClient* Client) { FClient = Client; }

 private:
  TWindowClient* FClient = nullptr;
};
