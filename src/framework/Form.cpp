// TForm: a top-level window shown through the window system.
#include "framework/Form.h"

#include <algorithm>

#include "framework/Application.h"

TForm::TForm(TComponent* Owner) : TWinControl(Owner) {
  SetColor(clBtnFace);
  if (auto* App = dynamic_cast<TApplication*>(Owner)) App->AddForm(this);
}

TForm::~TForm() {
  if (Application) Application->RemoveForm(this);
}

void TForm::SetBounds(int Left, int Top, int Width, int Height) {
  TWinControl::SetBounds(Left, Top, Width, Height);
  if (FWindow) FWindow->SetClientSize(this->Width(), this->Height());
}

void TForm::Paint() {
  Canvas().Brush = {Color(), TBrushStyle::bsSolid};
  Canvas().FillRect(ClientRect());
}

void TForm::TextChanged() {
  TWinControl::TextChanged();
  if (FWindow) FWindow->SetCaption(Caption());
}

namespace {

std::vector<TIconPixels> IconPixelsOf(const TIcon& Icon) {
  std::vector<TIconPixels> Result;
  for (int I = 0; I < Icon.ImageCount(); ++I) {
    const TIconImage& Image = Icon.Image(I);
    Result.push_back({Image.Width, Image.Height, Image.Pixels});
  }
  return Result;
}

}  // namespace

void TForm::UpdateTitleAndIcon() {
  if (!FWindow) return;
  if (Application) FWindow->SetIconName(Application->Title());
  FWindow->SetIcons(IconPixelsOf(Icon.Empty() && Application ? Application->Icon : Icon));
}

TPoint CentredClientOrigin(const TRect& Area, const TFrameExtents& Frame, int Width, int Height) {
  const int OuterWidth = Frame.Left + Width + Frame.Right;
  const int OuterHeight = Frame.Top + Height + Frame.Bottom;
  // A window larger than the area keeps its caption on it, where the user can take it.
  const int Left = std::max(Area.Left + (Area.Width() - OuterWidth) / 2, Area.Left);
  const int Top = std::max(Area.Top + (Area.Height() - OuterHeight) / 2, Area.Top);
  return {Left + Frame.Left, Top + Frame.Top};
}

void TForm::Show() {
  if (!Application) return;
  TWindowSystem& System = Application->WindowSystem();
  TWindowOptions Options;
  Options.Dialog = BorderStyle == TFormBorderStyle::bsDialog;
  if (!FWindow) {
    Options.ClientWidth = Width();
    Options.ClientHeight = Height();
    Options.Caption = Caption();
    Options.IconName = Application->Title();
    Options.ClassName = Application->Title();
    Options.Popup = PopupWindow;
    if (Application->MainForm() != this && Application->MainForm())
      Options.Owner = Application->MainForm()->NativeWindow();
    FWindow = System.CreateWindow(Options);
    SetWindow(FWindow.get());
    UpdateTitleAndIcon();
  }
  if (!FPlaced) {
    FPlaced = true;
    if (Position == TPosition::poScreenCenter) {
      const TPoint Origin = CentredClientOrigin(
          System.PointerWorkArea(), System.FrameExtents(Options.Dialog), Width(), Height());
      TControl::SetBounds(Origin.X, Origin.Y, Width(), Height());
    }
  }
  InvalidateWindowRect(ClientRect());
  UpdateWindow();
  FWindow->Show(Left(), Top());
  FShowing = true;
}

void TForm::Hide() {
  if (FWindow) FWindow->Hide();
  FShowing = false;
}

void TForm::Close() {
  if (Application && Application->ModalForm() == this) {
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return;
  }
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  Hide();
}

int TForm::ShowModal() {
  ModalResult = mrNone;
  Show();
  Application->PushModal(this);
  try {
    while (ModalResult == mrNone && !Application->Terminated()) Application->HandleMessage(true);
  } catch (...) {
    Application->PopModal();
    Hide();
    throw;
  }
  Application->PopModal();
  Hide();
  return ModalResult;
}

bool TForm::KeyDown(unsigned Key, char32_t, TShiftState Shift) {
  return WindowNavigationKey(Key, Shift);
}
