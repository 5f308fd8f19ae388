// THintController: when a control's tip shows and where. A tip comes Pause milliseconds after
// the pointer came to rest on a control with a Hint, or after the keyboard focus moved to one;
// it goes when the pointer leaves the control, a mouse button is pressed or a key is typed. A
// tip never covers the control it is for, nor the window's focused or hovered control.
#pragma once

#include <cstdint>

#include "core/Types.h"
#include "platform/WindowSystem.h"

class TApplication;
class TControl;
class TForm;
class THintWindow;

class THintController {
 public:
  static constexpr int Pause = 500;
  // Pixels between the tip and the control it is for.
  static constexpr int Gap = 2;

  explicit THintController(TApplication& App) : FApp(App) {}

  // Before a press, a release or a key is handled: what it does may open a message, so the tip
  // goes first.
  void BeforeEvent(TWindowEvent::TKind Kind);
  // Follows an event Form has just handled; FocusBefore is the form's focused control before it.
  void AfterEvent(TForm& Form, TWindowEvent::TKind Kind, const TControl* FocusBefore);
  // Milliseconds until the waiting tip is due, or -1 when none waits.
  int MillisecondsToDue(std::int64_t Now) const;
  // Shows the waiting tip once it is due.
  void Deliver(std::int64_t Now);
  // Hides the tip and forgets the one waiting.
  void Cancel();
  // Form is going: nothing of it may be shown or remembered.
  void FormGone(const TForm* Form);

  // The tip's window once one was shown, and the control it is for.
  THintWindow* Window() const { return FWindow; }
  const TControl* Control() const { return FControl; }

 private:
  void Wait(TForm& Form, TControl* Control, bool ByPointer);
  // Where a tip of Size goes for the control: below it, else above it, whichever covers none of
  // the controls to keep clear and stays on the screen.
  TPoint Place(TPoint Size, bool ByPointer) const;
  bool StillShown(const TControl* Control) const;

  TApplication& FApp;
  TForm* FForm = nullptr;
  TControl* FControl = nullptr;
  // The control the pointer was last seen over, so that moves within it change nothing.
  TControl* FHover = nullptr;
  bool FByPointer = false;
  std::int64_t FDue = -1;
  // Owned by the application, as every form.
  THintWindow* FWindow = nullptr;
};
