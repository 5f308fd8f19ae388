// TButton: a push button with a caption, drawn with the 3D edge routine, that can close its form
// with a modal result.
#pragma once

#include "framework/Control.h"
#include "framework/Form.h"

class TButton : public TControl {
 public:
  explicit TButton(TComponent* Owner);
  const char* ClassName() const override { return "TButton"; }

  // The button Enter stands for; it wears a dark frame.
  bool Default = false;
  // The button Esc stands for.
  bool Cancel = false;
  // Given to the form the button is on when it is clicked; mrNone leaves the form alone.
  int ModalResult = mrNone;

  // True while the button shows pressed: held with the pointer over it.
  bool Down() const { return FHeld && FInside; }

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Sets the form's modal result, then fires OnClick.
  void Click() override;
  bool DialogChar(char32_t Key) override;

 private:
  bool FHeld = false;
  bool FInside = false;
};
