// TMessageForm: the plain message dialog and the error box, laid out for their text.
#include "framework/MessageDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "platform/Driver.h"

void AssignMessageFont(TFont& Font) {
  const TMessageFontSpec System = Driver().MessageFont();
  Font.SetName(System.Name);
  Font.SetHeight(System.Height);
  Font.SetCharset(DEFAULT_CHARSET);
}

TMessageForm::TMessageForm(TComponent* Owner, TMessageKind Kind, const std::string& Text)
    : TForm(Owner), FKind(Kind), FText(Kind == TMessageKind::mkError ? ErrorBoxText(Text) : Text) {
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  if (Application) SetCaption(Application->Title());
  AssignMessageFont(Font);

  int ScreenWidth = 0, ScreenHeight = 0;
  if (Application) Application->WindowSystem().ScreenSize(ScreenWidth, ScreenHeight);
  const int MaxTextWidth = std::max(ScreenWidth / 2, 1);
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.Assign(Font);
  TRect Extent{0, 0, MaxTextWidth, 0};
  Measure.Canvas().DrawText(FText, Extent, TextFormat | DT_CALCRECT);
  // A single word longer than the line still stops at half the screen.
  const int TextWidth = std::min(Extent.Width(), MaxTextWidth);
  const bool HasIcon = Kind == TMessageKind::mkError;
  const int TextLeft = Margin + (HasIcon ? IconSize + IconGap : 0);
  const int ContentHeight = std::max(Extent.Height(), HasIcon ? IconSize : 0);
  // Next to the icon, a short text sits at the icon's middle.
  const int TextTop = Margin + (ContentHeight - Extent.Height()) / 2;
  FTextRect = Bounds(TextLeft, TextTop, TextWidth, Extent.Height());

  struct TChoice {
    const char* Caption;
    int Result;
  };
  const std::vector<TChoice> Choices = Kind == TMessageKind::mkQuestion
                                           ? std::vector<TChoice>{{"&Yes", mrYes}, {"&No", mrNo}}
                                           : std::vector<TChoice>{{"OK", mrOk}};
  const int Count = static_cast<int>(Choices.size());
  const int RowWidth = Count * ButtonWidth + (Count - 1) * ButtonSpacing;
  const int ClientW = std::max(TextLeft + TextWidth, Margin + RowWidth) + Margin;
  const int ButtonTop = Margin + ContentHeight + ButtonGap;
  SetClientWidth(ClientW);
  SetClientHeight(ButtonTop + ButtonHeight + Margin);

  int Left = (ClientW - RowWidth) / 2;
  for (const TChoice& Choice : Choices) {
    auto* Button = new TButton(this);
    Button->SetCaption(Choice.Caption);
    Button->ModalResult = Choice.Result;
    Button->SetBounds(Left, ButtonTop, ButtonWidth, ButtonHeight);
    Button->SetParent(this);
    FButtons.push_back(Button);
    Left += ButtonWidth + ButtonSpacing;
  }
  FButtons.front()->Default = true;
  FButtons.back()->Cancel = true;
}

void TMessageForm::Paint() {
  TForm::Paint();
  if (FKind == TMessageKind::mkError) PaintStopIcon(Margin, Margin);
  TCanvas& C = Canvas();
  C.Font.Assign(Font);
  C.Font.SetColor(clWindowText);
  C.Brush.Style = TBrushStyle::bsClear;
  TRect R = FTextRect;
  C.DrawText(FText, R, TextFormat);
}

void TMessageForm::PaintStopIcon(int Left, int Top) {
  TCanvas& C = Canvas();
  // The disc, row by row, so that it needs no ellipse routine.
  const double Radius = IconSize / 2.0;
  C.Brush = {clRed, TBrushStyle::bsSolid};
  for (int Y = 0; Y < IconSize; ++Y) {
    const double DY = Y + 0.5 - Radius;
    const int Half = static_cast<int>(std::lround(std::sqrt(Radius * Radius - DY * DY)));
    C.FillRect({Left + IconSize / 2 - Half, Top + Y, Left + IconSize / 2 + Half, Top + Y + 1});
  }
  const TPen SavedPen = C.Pen;
  C.Pen = {clWhite, 3, TPenStyle::psSolid};
  const int Low = IconSize * 3 / 10;
  const int High = IconSize - Low;
  C.MoveTo(Left + Low, Top + Low);
  C.LineTo(Left + High, Top + High);
  C.MoveTo(Left + High - 1, Top + Low);
  C.LineTo(Left + Low - 1, Top + High);
  C.Pen = SavedPen;
}

bool TMessageForm::KeyDown(unsigned Key, char32_t Character, TShiftState Shift) {
  for (TButton* Button : FButtons)
    if ((Key == vkReturn && Button->Default) || (Key == vkEscape && Button->Cancel)) {
      Button->Click();
      return true;
    }
  return TForm::KeyDown(Key, Character, Shift);
}

namespace {

int ShowMessageForm(TMessageKind Kind, const std::string& Text) {
  if (!Application) {
    std::fprintf(stderr, "%s\n",
                 (Kind == TMessageKind::mkError ? ErrorBoxText(Text) : Text).c_str());
    return mrNone;
  }
  TMessageForm Form(Application, Kind, Text);
  return Form.ShowModal();
}

}  // namespace

void ShowMessage(const std::string& Text) {
  ShowMessageForm(TMessageKind::mkPlain, Text);
}

void ShowErrorBox(const std::string& Text) {
  ShowMessageForm(TMessageKind::mkError, Text);
}

bool AskYesNo(const std::string& Text) {
  return ShowMessageForm(TMessageKind::mkQuestion, Text) == mrYes;
}
