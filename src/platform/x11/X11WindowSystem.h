// The connection to an X display: the visual windows are made with, the windows of this
// program, and the wait for their events.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11EventTranslator.h"

class TX11Window;

// The display's visual for the windows: TrueColor, 24 bits where the screen has such a visual.
struct TX11VisualChoice {
  Visual* ChosenVisual = nullptr;
  int Depth = 0;
  // The default colormap, or one made for a visual that is not the screen's default.
  Colormap Colors = 0;
};

class TX11WindowSystem : public TWindowSystem {
 public:
  // The display DISPLAY names; nullptr with a message in Error when it cannot be opened or has
  // no TrueColor visual.
  static std::unique_ptr<TX11WindowSystem> Open(std::string& Error);
  // Takes over an open connection whose visual has been chosen.
  TX11WindowSystem(Display* Dpy, const TX11VisualChoice& Choice);
  ~TX11WindowSystem() override;
  TX11WindowSystem(const TX11WindowSystem&) = delete;
  TX11WindowSystem& operator=(const TX11WindowSystem&) = delete;

  std::unique_ptr<TNativeWindow> CreateWindow(const TWindowOptions& Options) override;
  bool NextEvent(TWindowEvent& Event, int TimeoutMs) override;
  void ScreenSize(int& Width, int& Height) const override;
  void CursorPos(int& X, int& Y) const override;
  // The RandR monitors and the current desktop's _NET_WORKAREA.
  TRect PointerWorkArea() const override;
  // Asked of the window manager once per kind through _NET_REQUEST_FRAME_EXTENTS, on a window
  // that is never shown.
  TFrameExtents FrameExtents(bool Dialog) override;
  // Xft.dpi of the X resources, unless OSTREL_SCALE says otherwise.
  double DesktopScale() const override;
  std::int64_t Milliseconds() const override;

  // X errors seen by this process so far: they are reported on stderr and otherwise ignored,
  // since a window that vanished under the program must not end it.
  static unsigned ErrorCount();

  Display* Dpy() const { return FDisplay; }
  int Screen() const { return FScreen; }
  ::Window Root() const { return FRoot; }
  const TX11VisualChoice& VisualChoice() const { return FVisual; }
  const TX11Atoms& Atoms() const { return FAtoms; }

 private:
  friend class TX11Window;
  // Whether windows should try shared memory for their images, asked of the display the first
  // time a window needs it; off for good after one failure.
  bool SharedImages();
  void SharedImagesFailed() { FSharedImages = false; }
  void Register(TX11Window* Added);
  void Unregister(TX11Window* Removed);
  std::vector<TRect> Monitors() const;
  TRect DesktopWorkArea() const;
  bool WindowManagerSupports(Atom Feature) const;
  TFrameExtents AskFrameExtents(bool Dialog);
  // Gives the window mapped last the keyboard when no other window holds it; true when it asked
  // the server.
  bool SettleFocus();

  Display* FDisplay;
  int FScreen;
  ::Window FRoot;
  TX11VisualChoice FVisual;
  bool FOwnColormap;
  TX11Atoms FAtoms;
  std::optional<bool> FSharedImages;
  // The work area under the pointer, kept until the next event is read: a start asks for it to
  // choose the scale and again to place the window, and each answer costs the display four
  // round trips.
  mutable std::optional<TRect> FPointerWorkArea;
  TX11EventTranslator FTranslator;
  std::unordered_map<::Window, TX11Window*> FWindows;
  // A normal window mapped since the keyboard focus was last settled.
  std::optional<::Window> FMappedUnsettled;
  // The frames of normal windows and dialogs, once asked.
  std::optional<TFrameExtents> FFrames[2];
};
