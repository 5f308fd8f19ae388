// The menu window drawn on the headless display, posed through its own mouse handling.
#include "MenuRender.h"

#include "app/MainForm.h"
#include "controls/button/KitButtonState.h"
#include "framework/Application.h"
#include "framework/FileName.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

TKitSpeedButton* ButtonOfEntry(const TForm1& Form, int Entry) {
  if (Entry < 0 || Entry >= Form.MenuInfo().EntryCount()) return nullptr;
  for (int I = 0; I < Form.RunPanel->ControlCount(); ++I) {
    auto* Button = dynamic_cast<TKitSpeedButton*>(Form.RunPanel->Controls(I));
    if (Button && Button->Tag == Entry) return Button;
  }
  return nullptr;
}

// Moves the pointer over the window point, so that the hover check finds it where the move
// event says it is, and hands the move to the window.
void MovePointerTo(THeadlessDriver& System, TForm1& Form, TPoint Point) {
  int OriginX = 0, OriginY = 0;
  Form.NativeWindow()->ClientOrigin(OriginX, OriginY);
  System.MovePointer(OriginX + Point.X, OriginY + Point.Y);
  Form.WindowMouseMove({}, Point.X, Point.Y);
}

// Poses the entry's button by the pointer; false with Refusal set when it cannot take the pose.
bool Pose(THeadlessDriver& System, TForm1& Form, const TRenderRequest& Request,
          std::string& Refusal) {
  const std::string Name = "entry " + std::to_string(Request.Entry);
  TKitSpeedButton* Button = ButtonOfEntry(Form, Request.Entry);
  if (!Button) {
    Refusal = Name + " does not exist; the menu has " +
              std::to_string(Form.MenuInfo().EntryCount()) + " entries";
    return false;
  }
  if (!Button->Enabled()) {
    Refusal = Name + " is disabled, as its target is not available";
    return false;
  }
  const TPoint Origin = Button->WindowOrigin();
  const TPoint Centre{Origin.X + Button->Width() / 2, Origin.Y + Button->Height() / 2};
  MovePointerTo(System, Form, Centre);
  TKitButtonState Wanted = TKitButtonState::bsMouseOver;
  if (Request.Pose == TRenderPose::rpDown) {
    Form.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, Centre.X, Centre.Y);
    Wanted = TKitButtonState::bsDown;
  }
  if (Button->State() != Wanted) {
    Refusal = Name + " does not take the pointer at its centre";
    return false;
  }
  return true;
}

}  // namespace

bool RenderMenu(const TRenderRequest& Request, std::string& Refusal) {
  THeadlessDriver System;
  System.Scale = Request.Scale;
  // No monitor is too small for the menu: the face is the menu's own, never fitted to a screen.
  System.ScreenWidth = System.ScreenHeight = 65535;
  TApplication App(System);
  App.SetExeName(NormalDir(Request.MenuDir) + "ostrel");
  auto* Form = App.CreateForm<TForm1>(MenuFolder());
  Form->Show();
  if (Request.Pose != TRenderPose::rpNone && !Pose(System, *Form, Request, Refusal)) return false;
  Form->UpdateWindow();
  Form->BackBuffer().SaveToPngFile(Request.PngFile);
  return true;
}
