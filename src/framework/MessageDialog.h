// The application's message boxes: the plain message dialog and the error box with the stop
// icon, each a modal form captioned with the application title.
#pragma once

#include <string>

#include "framework/Button.h"
#include "framework/Form.h"

#include <vector>

enum class TMessageKind : std::uint8_t { mkPlain, mkError, mkQuestion };

// A message form: Text word-wrapped in a label at most half the screen wide, the stop icon to
// its left for an error, and its buttons centred below: one "OK", default and cancel, or for a
// question "Yes", the default, and "No", the cancel button. Sized and laid out for the text
// when made; placed at the centre of the screen when shown.
// The font of message texts, the dialogs' and the tips': the system's message font.
void AssignMessageFont(TFont& Font);

class TMessageForm : public TForm {
 public:
  // Pixels between the client edge and the icon, text and button.
  static constexpr int Margin = 12;
  // Pixels between the icon and the text.
  static constexpr int IconGap = 10;
  // Pixels between the text (or icon) and the button.
  static constexpr int ButtonGap = 14;
  static constexpr int IconSize = 32;
  static constexpr int ButtonWidth = 75;
  static constexpr int ButtonHeight = 23;
  // Pixels between two buttons.
  static constexpr int ButtonSpacing = 6;
  // Formatting of the text: wrapped at word boundaries, tabs expanded, "&" marking the
  // character to underline.
  static constexpr unsigned TextFormat = DT_WORDBREAK | DT_EXPANDTABS;

  // Owner is normally the application. An error's text gets the full stop of ErrorBoxText.
  TMessageForm(TComponent* Owner, TMessageKind Kind, const std::string& Text);
  const char* ClassName() const override { return "TMessageForm"; }

  TMessageKind Kind() const { return FKind; }
  // The text as shown, "&" marks included.
  const std::string& Text() const { return FText; }
  // Where the text is drawn, in client coordinates.
  TRect TextRect() const { return FTextRect; }
  // The first button: "OK", or "Yes" of a question.
  TButton* OkButton() const { return FButtons.front(); }
  // Left to right.
  const std::vector<TButton*>& Buttons() const { return FButtons; }

  void Paint() override;
  // Enter clicks the default button, Esc the cancel button.
  bool KeyDown(unsigned Key, char32_t Character, TShiftState Shift) override;

 private:
  void PaintStopIcon(int Left, int Top);

  TMessageKind FKind;
  std::string FText;
  TRect FTextRect;
  std::vector<TButton*> FButtons;
};

// Shows Text in the plain message dialog and waits until the user closes it. Without an
// application the text goes to the standard error stream instead.
void ShowMessage(const std::string& Text);
// Shows Text in the error box and waits until the user closes it; the same fallback applies.
void ShowErrorBox(const std::string& Text);
// Asks Text with Yes and No and waits for the answer: true for Yes; No, Esc and the close box
// are false. Without an application nobody can answer, and the answer is false.
bool AskYesNo(const std::string& Text);
