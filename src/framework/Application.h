// TApplication: the program's message loop over the window system, its forms, title, icon, the
// periodic tick for timers, and the reporting of errors that escape event handlers.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Component.h"
#include "framework/HintController.h"
#include "framework/Icon.h"
#include "framework/TimerService.h"
#include "platform/WindowSystem.h"

class TForm;

class TApplication : public TComponent, public TTimerService {
 public:
  // The tick's period while anything needs it.
  static constexpr int TickInterval = 50;

  // Initialises the application on a window system, which must outlive it. The first
  // application made is also the global Application.
  explicit TApplication(TWindowSystem& System);
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  TWindowSystem& WindowSystem() const { return FSystem; }

  // The task-bar text and the caption of the program's message boxes.
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value);
  // Full path of the executable. Setting it also sets the default title.
  const std::string& ExeName() const { return FExeName; }
  void SetExeName(const std::string& Value);
  // The command-line arguments after the program's name.
  const std::vector<std::string>& Params() const { return FParams; }
  void SetParams(std::vector<std::string> Value) { FParams = std::move(Value); }
  // The program icon, which forms take over.
  TIcon Icon;

  // Creates a form owned by the application; the first becomes the main form.
  template <typename TFormClass, typename... TArguments>
  TFormClass* CreateForm(TArguments&&... Arguments) {
    auto* Form = new TFormClass(this, std::forward<TArguments>(Arguments)...);
    if (!FMainForm) FMainForm = Form;
    return Form;
  }
  TForm* MainForm() const { return FMainForm; }

  // Shows the main form and handles events until Terminate.
  void Run();
  // Ends the message loop once the current event has been handled.
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Handles every pending event and paints, without waiting.
  void ProcessMessages();
  // Handles one event, waiting for it when Wait is true; paints what became invalid.
  void HandleMessage(bool Wait);

  // The periodic tick: Handler runs every TickInterval ms while ticking is on. With ticking off
  // the loop sleeps until an event comes, so an idle program uses no processor time.
  void SetTickHandler(std::function<void()> Handler) override { FTickHandler = std::move(Handler); }
  void SetTicking(bool Value) override;
  void RestartTick() override;
  bool Ticking() const { return FTicking; }

  // Shows an error that escaped an event handler or start-up. The default is the error box;
  // OnException replaces it. When the window system fails to show the box, the error goes to
  // the standard error stream, after the application title.
  void ShowException(const std::exception& Error) override;
  std::function<void(const std::exception&)> OnException;

  // The forms of the application, for event routing; forms register themselves.
  void AddForm(TForm* Form);
  void RemoveForm(TForm* Form);
  // The innermost modal form, whose window alone takes input.
  TForm* ModalForm() const { return FModal.empty() ? nullptr : FModal.back(); }
  // A modal form hides the tip: nothing under it takes input while it is open.
  void PushModal(TForm* Form) {
    FHints->Cancel();
    FModal.push_back(Form);
  }
  void PopModal() { FModal.pop_back(); }

  // The controls' tips.
  THintController& Hints() { return *FHints; }

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void Dispatch(const TWindowEvent& Event);
  void PaintForms();
  void DeliverTick();
  // How long the loop may sleep: until the next tick or the next tip, -1 for ever.
  int MillisecondsToWake() const;

  TWindowSystem& FSystem;
  std::string FTitle;
  std::string FExeName;
  std::vector<std::string> FParams;
  TForm* FMainForm = nullptr;
  std::vector<TForm*> FForms;
  std::vector<TForm*> FModal;
  bool FTerminated = false;
  // The main form has been asked for its frame and has presented it.
  bool FMainFormExposed = false;
  std::function<void()> FTickHandler;
  bool FTicking = false;
  std::int64_t FNextTick = 0;
  // An error box is open from ShowException, and whether showing it failed.
  bool FErrorBoxUp = false;
  bool FErrorBoxFailed = false;
  std::unique_ptr<THintController> FHints;
};

// The application of the running program (the first one made).
extern TApplication* Application;

// The message of an error for a box: the text, with "." appended when it does not end in a
// character that sorts at or before "." by byte value (so "file", "7" and "x:" gain one;
// "done.", "hi!" and "(x)" do not).
std::string ErrorBoxText(const std::string& Message);
