// THintWindow: the tip shown for a control the pointer rests on or the keyboard focus is on: the
// info colours, a one-pixel black frame and the message font, in a window that never takes the
// keyboard.
#pragma once

#include <string>

#include "framework/Form.h"

class THintWindow : public TForm {
 public:
  // Pixels between the frame and the text.
  static constexpr int Padding = 2;
  // Longer texts wrap at word boundaries.
  static constexpr int MaxTextWidth = 300;

  explicit THintWindow(TComponent* Owner);
  const char* ClassName() const override { return "THintWindow"; }

  // Takes Text and the size it needs; the window stays hidden.
  void SetHintText(const std::string& Text);
  const std::string& HintText() const { return FText; }

  void Paint() override;

 private:
  std::string FText;
  TRect FTextRect;
};
