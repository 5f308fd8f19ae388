// TApplication: the message loop, forms, title, tick and error reporting.
#include "framework/Application.h"

#include <algorithm>
#include <cstdio>

#include "framework/FileName.h"
#include "framework/Form.h"
#include "framework/MessageDialog.h"
#include "framework/TextCodec.h"
#include "platform/Driver.h"
#include "platform/TextEngine.h"

TApplication* Application = nullptr;

TTimerService* RunningTimerService() {
  return Application;
}

std::string ErrorBoxText(const std::string& Message) {
  if (!Message.empty() && static_cast<unsigned char>(Message.back()) > '.') return Message + ".";
  return Message;
}

TApplication::TApplication(TWindowSystem& System)
    : TComponent(nullptr), FSystem(System), FHints(std::make_unique<THintController>(*this)) {
  if (!Application) Application = this;
}

TApplication::~TApplication() {
  // Forms are owned components; they go first, while the window system is still there.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& Value) {
  FTitle = Value;
  for (TForm* Form : FForms) Form->UpdateTitleAndIcon();
}

void TApplication::SetExeName(const std::string& Value) {
  FExeName = Value;
  // The title a program has until it sets its own: its file name without folder and
  // extension, the first character as it is and the rest in lower case.
  std::string BaseName = Value.substr(ExtractFilePath(Value).size());
  SetTitle(LowerCaseAfterFirst(BaseName.substr(0, BaseName.find('.'))));
}

void TApplication::AddForm(TForm* Form) {
  if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TApplication::RemoveForm(TForm* Form) {
  FHints->FormGone(Form);
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  FModal.erase(std::remove(FModal.begin(), FModal.end(), Form), FModal.end());
  if (FMainForm == Form) FMainForm = nullptr;
}

void TApplication::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove) RemoveForm(dynamic_cast<TForm*>(Component));
}

void TApplication::SetTicking(bool Value) {
  if (Value == FTicking) return;
  FTicking = Value;
  if (FTicking) FNextTick = FSystem.Milliseconds() + TickInterval;
}

void TApplication::RestartTick() {
  if (FTicking) FNextTick = FSystem.Milliseconds() + TickInterval;
}

int TApplication::MillisecondsToWake() const {
  const std::int64_t Now = FSystem.Milliseconds();
  const int ToTip = FHints->MillisecondsToDue(Now);
  if (!FTicking) return ToTip;
  const int ToTick = static_cast<int>(std::max<std::int64_t>(FNextTick - Now, 0));
  return ToTip < 0 ? ToTick : std::min(ToTick, ToTip);
}

void TApplication::DeliverTick() {
  if (!FTicking || FSystem.Milliseconds() < FNextTick) return;
  // A loop that fell behind does not catch up with a burst of ticks.
  FNextTick = std::max(FNextTick + TickInterval, FSystem.Milliseconds() + 1);
  if (FTickHandler) FTickHandler();
}

void TApplication::PaintForms() {
  for (TForm* Form : std::vector<TForm*>(FForms))
    if (Form->Showing()) Form->UpdateWindow();
}

void TApplication::HandleMessage(bool Wait) {
  try {
    PaintForms();
    TWindowEvent Event;
    if (FSystem.NextEvent(Event, Wait ? MillisecondsToWake() : 0)) Dispatch(Event);
    DeliverTick();
    FHints->Deliver(FSystem.Milliseconds());
    PaintForms();
  } catch (const std::exception& Error) {
    ShowException(Error);
  }
}

void TApplication::ProcessMessages() {
  TWindowEvent Event;
  while (!FTerminated) {
    try {
      if (!FSystem.NextEvent(Event, 0)) break;
      Dispatch(Event);
      DeliverTick();
      FHints->Deliver(FSystem.Milliseconds());
    } catch (const std::exception& Error) {
      ShowException(Error);
    }
  }
  PaintForms();
}

// What building the windows used for a while is given back before the first frame, which
// then brings in only what painting needs, so that a later repaint finds its memory at hand.
// The font answers are written once the system has asked for the main window's first frame and
// been given it, not while the frame waits (writing them stats every font folder), and again at
// the end only if more were learned.
void TApplication::Run() {
  Driver().ReleaseFreedMemory();
  if (FMainForm) FMainForm->Show();
  while (!FTerminated && FMainForm && !FMainFormExposed) HandleMessage(true);
  Driver().TextEngine().SaveAnswers();
  while (!FTerminated && FMainForm) HandleMessage(true);
  Driver().TextEngine().SaveAnswers();
}

namespace {

TShiftState ShiftOf(unsigned Modifiers, bool DoubleClick) {
  TShiftState Shift;
  if (Modifiers & emShift) Shift.Include(TShiftFlag::ssShift);
  if (Modifiers & emCtrl) Shift.Include(TShiftFlag::ssCtrl);
  if (Modifiers & emAlt) Shift.Include(TShiftFlag::ssAlt);
  if (Modifiers & emLeftButton) Shift.Include(TShiftFlag::ssLeft);
  if (Modifiers & emRightButton) Shift.Include(TShiftFlag::ssRight);
  if (Modifiers & emMiddleButton) Shift.Include(TShiftFlag::ssMiddle);
  if (DoubleClick) Shift.Include(TShiftFlag::ssDouble);
  return Shift;
}

TMouseButton ButtonOf(TPointerButton Button) {
  switch (Button) {
    case TPointerButton::pbRight:
      return TMouseButton::mbRight;
    case TPointerButton::pbMiddle:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

}  // namespace

void TApplication::Dispatch(const TWindowEvent& Event) {
  auto* Form = Event.Window ? dynamic_cast<TForm*>(Event.Window->Client()) : nullptr;
  if (!Form) return;
  using TKind = TWindowEvent::TKind;
  if (Event.Kind == TKind::wkExpose) {
    Form->UpdateWindow();
    Form->PresentRect(Bounds(Event.X, Event.Y, Event.Width, Event.Height));
    if (Form == FMainForm) FMainFormExposed = true;
    return;
  }
  // While a modal form is open, only its window takes input.
  if (ModalForm() && ModalForm() != Form) return;
  const TShiftState Shift = ShiftOf(Event.Modifiers, Event.DoubleClick);
  const TControl* FocusBefore = Form->FocusedControl();
  FHints->BeforeEvent(Event.Kind);
  switch (Event.Kind) {
    case TKind::wkButtonDown:
      Form->WindowMouseDown(ButtonOf(Event.Button), Shift, Event.X, Event.Y);
      break;
    case TKind::wkButtonUp:
      Form->WindowMouseUp(ButtonOf(Event.Button), Shift, Event.X, Event.Y);
      break;
    case TKind::wkPointerMove:
      Form->WindowMouseMove(Shift, Event.X, Event.Y);
      break;
    case TKind::wkPointerLeave:
      Form->WindowMouseLeave();
      break;
    case TKind::wkKeyDown:
      if (Shift.Contains(TShiftFlag::ssAlt) && Event.Character != 0 &&
          Form->WindowDialogChar(Event.Character))
        break;
      Form->KeyDown(Event.Key, Event.Character, Shift);
      break;
    case TKind::wkClose:
      Form->Close();
      break;
    case TKind::wkExpose:
      break;
  }
  FHints->AfterEvent(*Form, Event.Kind, FocusBefore);
}

void TApplication::ShowException(const std::exception& Error) {
  if (OnException) {
    OnException(Error);
    return;
  }
  const std::string Text = ErrorBoxText(Error.what());
  if (FErrorBoxUp) {
    // The error box's own loop failed, so the window system cannot show it: give up the box
    // rather than open one box inside another for as long as the failure lasts.
    FErrorBoxFailed = true;
    if (ModalForm()) ModalForm()->ModalResult = mrCancel;
    std::fprintf(stderr, "%s: %s\n", FTitle.c_str(), Text.c_str());
    return;
  }
  FErrorBoxUp = true;
  FErrorBoxFailed = false;
  try {
    ShowErrorBox(Error.what());
  } catch (const std::exception&) {
    FErrorBoxFailed = true;
  }
  FErrorBoxUp = false;
  if (FErrorBoxFailed) std::fprintf(stderr, "%s: %s\n", FTitle.c_str(), Text.c_str());
}
