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
  const bool Resized = Width != this->Width() || Height != this->Height();
  TWinControl::SetBounds(Left, Top, Width, Height);
  if (!Resized) return;
  FBackBuffer.SetSize(std::max(Width, 0), std::max(Height, 0));
  InvalidateWindowRect(ClientRect());
  if (FNativeWindow) FNativeWindow->SetClientSize(this->Width(), this->Height());
}

void TForm::TextChanged() {
  TWinControl::TextChanged();
  if (FNativeWindow) FNativeWindow->SetCaption(Caption());
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
  if (!FNativeWindow) return;
  if (Application) FNativeWindow->SetIconName(Application->Title());
  FNativeWindow->SetIcons(IconPixelsOf(Icon.Empty() && Application ? Application->Icon : Icon));
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
  if (!FNativeWindow) {
    Options.ClientWidth = Width();
    Options.ClientHeight = Height();
    Options.Caption = Caption();
    Options.IconName = Application->Title();
    Options.ClassName = Application->Title();
    Options.Popup = PopupWindow;
    if (Application->MainForm() != this && Application->MainForm())
      Options.Owner = Application->MainForm()->NativeWindow();
    FNativeWindow = System.CreateWindow(Options);
    FNativeWindow->SetClient(this);
    SetWindow(FNativeWindow.get());
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
  // Mapped first, so that the system maps the window while the frame is painted; the frame is
  // put when the system asks for it.
  FNativeWindow->Show(Left(), Top());
  InvalidateWindowRect(ClientRect());
  UpdateWindow();
  FShowing = true;
}

void TForm::Hide() {
  if (FNativeWindow) FNativeWindow->Hide();
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
