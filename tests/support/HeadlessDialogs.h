// Answering the dialogs a program opens on the headless display.
#pragma once

#include "platform/headless/HeadlessDriver.h"

// The dialog on screen, or nullptr.
inline THeadlessWindow* VisibleDialog(THeadlessDriver& System) {
  for (THeadlessWindow* Window : System.Windows())
    if (Window->Visible && Window->Options.Dialog) return Window;
  return nullptr;
}

// Presses a key in the window, as the user does, with the modifiers (emShift...) held.
inline void PostKey(THeadlessDriver& System, THeadlessWindow* Window, unsigned Key,
                    unsigned Modifiers = 0) {
  TWindowEvent Event;
  Event.Kind = TWindowEvent::TKind::wkKeyDown;
  Event.Window = Window;
  Event.Key = Key;
  Event.Modifiers = Modifiers;
  if (Key == vkSpace) Event.Character = U' ';
  System.Post(Event);
}
