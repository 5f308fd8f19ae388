// Turns the display's events into the window system's: double clicks, held buttons and keys
// with modifiers, and runs of exposures and motions merged into one event each.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "platform/WindowSystem.h"
#include "platform/x11/X11Atoms.h"

class TX11EventTranslator {
 public:
  // A second press of the same button within this time and distance is a double click.
  static constexpr Time DoubleClickTime = 500;
  static constexpr int DoubleClickDistance = 4;

  TX11EventTranslator(Display* Dpy, const TX11Atoms& Atoms);

  // Translates Source, an event of Target's window; false for events the program has no use
  // for. Merging takes the events that follow from the queue and may change Source.
  bool Translate(XEvent& Source, TNativeWindow* Target, TWindowEvent& Event);

 private:
  // A press that a quick second press close by would make a double click.
  struct TPress {
    ::Window Window = 0;
    unsigned Button = 0;
    Time When = 0;
    int X = 0;
    int Y = 0;
  };

  bool TranslateExpose(XExposeEvent& Source, TWindowEvent& Event);
  bool TranslatePress(const XButtonEvent& Source, TWindowEvent& Event);
  bool TranslateRelease(const XButtonEvent& Source, TWindowEvent& Event);
  bool TranslateMotion(XEvent& Source, TWindowEvent& Event);
  bool TranslateKey(XKeyEvent& Source, TWindowEvent& Event);
  bool TranslateClientMessage(const XClientMessageEvent& Source, TWindowEvent& Event);
  bool IsDoubleClick(const XButtonEvent& Source) const;

  Display* FDisplay;
  const TX11Atoms& FAtoms;
  std::optional<TPress> FLastPress;
};
