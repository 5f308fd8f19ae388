// TButton: a push button that clicks on a press released over it or on its accelerator.
#include "framework/Button.h"

#include "framework/Accelerator.h"

TButton::TButton(TComponent* Owner) : TControl(Owner) {
  ControlStyle = {TControlStyle::csCaptureMouse, TControlStyle::csOpaque};
}

void TButton::Paint() {
  TCanvas& C = Canvas();
  TRect R = ClientRect();
  C.Brush = {clBtnFace, TBrushStyle::bsSolid};
  C.FillRect(R);
  if (Default) {
    C.Brush.Color = clWindowFrame;
    C.FrameRect(R);
    R = InflateRect(R, -1, -1);
  }
  C.DrawEdge(R, Down() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  // A pressed face moves its caption as if pushed into the screen.
  if (Down()) R = OffsetRect(R, 1, 1);
  C.Font.Assign(Font);
  C.Font.SetColor(Enabled() ? clBtnText : clGrayText);
  C.Brush.Style = TBrushStyle::bsClear;
  C.DrawText(Caption(), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FHeld = true;
  FInside = true;
  Invalidate();
}

void TButton::MouseMove(TShiftState Shift, int X, int Y) {
  TControl::MouseMove(Shift, X, Y);
  if (!FHeld) return;
  const bool Inside = ClientRect().Contains({X, Y});
  if (Inside == FInside) return;
  FInside = Inside;
  Invalidate();
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FHeld) return;
  const bool Clicked = ClientRect().Contains({X, Y});
  FHeld = false;
  FInside = false;
  Invalidate();
  if (Clicked) Click();
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (TForm* Form = ParentForm()) Form->ModalResult = ModalResult;
  TControl::Click();
}

bool TButton::DialogChar(char32_t Key) {
  if (!Enabled() || !IsAccel(Key, Caption(), Font.Charset())) return false;
  Click();
  return true;
}
