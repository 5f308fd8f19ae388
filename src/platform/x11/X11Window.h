// A top-level X window of fixed client size that shows the framework's back buffer.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "platform/WindowSystem.h"
#include "platform/x11/X11Image.h"

class TX11WindowSystem;

// The window tells window managers everything through properties: fixed size hints, the
// functions and decorations it wants (no maximise), its names, icons, owner and kind.
class TX11Window : public TNativeWindow {
 public:
  TX11Window(TX11WindowSystem& System, const TWindowOptions& Options);
  ~TX11Window() override;
  TX11Window(const TX11Window&) = delete;
  TX11Window& operator=(const TX11Window&) = delete;

  void Present(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
               int Height) override;
  void ClientOrigin(int& X, int& Y) const override;
  void CursorPos(int& X, int& Y) const override;
  void SetCaption(const std::string& Utf8) override;
  void SetIconName(const std::string& Utf8) override;
  void SetIcons(const std::vector<TIconPixels>& Icons) override;
  void SetClientSize(int Width, int Height) override;
  // Positions only a window that is not shown: one on the screen stays where the user put it.
  void Show(int X, int Y) override;
  void Hide() override;

  ::Window Handle() const { return FHandle; }
  // Another client destroyed the window: it is neither drawn into nor destroyed again.
  void Lost() { FLost = true; }
  // The server has asked for the window's face: it is viewable, and what is put from now on is
  // kept.
  void Exposed() { FExposed = true; }
  // Mapped by the program and not destroyed by another client.
  bool Shown() const { return FMapped && !FLost; }

 private:
  // The image the back buffer is put through, for the current client size.
  void CreateImage();
  // Fixed size, and once shown the position, which window managers should keep.
  void SetSizeHints();
  void SetFunctions(bool Dialog);
  void SetKind(const TWindowOptions& Options);
  void SetClass(const std::string& ClassName);
  // A name both as UTF-8 and, for older window managers, as Latin-1 text.
  void SetName(Atom Utf8Property, Atom LatinProperty, const std::string& Utf8);

  TX11WindowSystem& FSystem;
  Display* FDisplay;
  ::Window FHandle = 0;
  GC FGc = nullptr;
  int FWidth = 1;
  int FHeight = 1;
  bool FMapped = false;
  bool FExposed = false;
  bool FPositioned = false;
  bool FLost = false;
  int FX = 0;
  int FY = 0;
  std::unique_ptr<TX11Image> FImage;
};
