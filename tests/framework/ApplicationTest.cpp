// The application's message loop on the headless driver: showing and centring forms,
// routing events, when font answers are kept, ticks only while asked for, modal loops, and
// errors from handlers.
#include "framework/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

std::vector<std::string> Log;

class TLoggingForm : public TForm {
 public:
  using TForm::TForm;
  void MouseDown(TMouseButton, TShiftState, int X, int Y) override {
    Log.push_back(Caption() + " down " + std::to_string(X) + "," + std::to_string(Y));
    if (X == 13) throw std::runtime_error("handler failed");
  }
  bool KeyDown(unsigned Key, char32_t, TShiftState) override {
    Log.push_back(Caption() + " key " + std::to_string(Key));
    if (Key == vkReturn) ModalResult = mrOk;
    return true;
  }
  bool DialogChar(char32_t Key) override {
    Log.push_back(Caption() + " accel " + std::string(1, static_cast<char>(Key)));
    return true;
  }
};

TWindowEvent Event(TWindowEvent::TKind Kind, TNativeWindow* Window, int X = 0, int Y = 0) {
  TWindowEvent E;
  E.Kind = Kind;
  E.Window = Window;
  E.X = X;
  E.Y = Y;
  return E;
}

class ApplicationTest : public testing::Test {
 protected:
  void SetUp() override { Log.clear(); }
  THeadlessDriver System;
  TApplication App{System};
};

TEST_F(ApplicationTest, RunShowsTheMainFormCentredAndEndsWhenItCloses) {
  App.SetTitle("Demo");
  auto* Form = App.CreateForm<TLoggingForm>();
  Form->SetCaption("Main");
  Form->SetClientWidth(640);
  Form->SetClientHeight(480);
  Form->Position = TPosition::poScreenCenter;
  System.OnWait = [&] { System.Post(Event(TWindowEvent::TKind::wkClose, Form->NativeWindow())); };
  App.Run();
  ASSERT_EQ(System.Windows().size(), 1u);
  THeadlessWindow& Window = *System.Windows()[0];
  EXPECT_TRUE(Window.Visible);
  EXPECT_EQ(Window.Caption, "Main");
  EXPECT_EQ(Window.IconName, "Demo");
  EXPECT_EQ(Window.Width(), 640);
  EXPECT_EQ(Window.OriginX, (1024 - 640) / 2);
  EXPECT_EQ(Window.OriginY, (768 - 480) / 2);
  EXPECT_TRUE(App.Terminated());
  EXPECT_EQ(App.MainForm(), Form);
}

// Writes down when the program asks for the font answers to be kept.
class TAnswerLog : public TTextEngine {
 public:
  explicit TAnswerLog(TTextEngine& Fonts) : FFonts(Fonts) {}
  std::shared_ptr<TTextFace> Face(const TFontRequest& Request) override {
    return FFonts.Face(Request);
  }
  void SaveAnswers() override { Log.push_back("answers saved"); }

 private:
  TTextEngine& FFonts;
};

TEST_F(ApplicationTest, FontAnswersAreKeptOnceTheMainFormsFirstFrameIsShownAndAtTheEnd) {
  TAnswerLog Answers(System.TextEngine());
  System.Fonts = &Answers;
  auto* Form = App.CreateForm<TLoggingForm>();
  Form->SetCaption("F");
  Form->SetClientWidth(50);
  Form->SetClientHeight(50);
  int Step = 0;
  System.OnWait = [&] {
    // Input may come before the first frame is asked for, as a window manager's events do.
    if (Step == 0) System.Post(Event(TWindowEvent::TKind::wkKeyDown, Form->NativeWindow()));
    if (Step == 1) {
      Log.push_back("frame asked for");
      auto Expose = Event(TWindowEvent::TKind::wkExpose, Form->NativeWindow());
      Expose.Width = Expose.Height = 50;
      System.Post(Expose);
    }
    if (Step == 2) System.Post(Event(TWindowEvent::TKind::wkClose, Form->NativeWindow()));
    ++Step;
  };
  App.Run();
  EXPECT_EQ(Log, (std::vector<std::string>{"F key 0", "frame asked for", "answers saved",
                                           "answers saved"}));
}

// The system maps the window while the first frame is painted, instead of after it.
TEST_F(ApplicationTest, AFormsWindowIsShownBeforeItsFirstFrameIsPainted) {
  class TWatchedForm : public TForm {
   public:
    using TForm::TForm;
    void Paint() override {
      TForm::Paint();
      auto* Window = static_cast<THeadlessWindow*>(NativeWindow());
      Log.push_back(Window->Visible ? "painted while shown" : "painted while hidden");
    }
  };
  TWatchedForm Form(&App);
  Form.SetClientWidth(20);
  Form.SetClientHeight(20);
  Form.Show();
  EXPECT_EQ(Log, (std::vector<std::string>{"painted while shown"}));
}

TEST_F(ApplicationTest, ErrorsInHandlersAreReportedAndTheLoopGoesOn) {
  auto* Form = App.CreateForm<TLoggingForm>();
  Form->SetCaption("F");
  Form->SetClientWidth(50);
  Form->SetClientHeight(50);
  std::vector<std::string> Errors;
  App.OnException = [&](const std::exception& E) { Errors.push_back(E.what()); };
  Form->Show();
  auto Down = Event(TWindowEvent::TKind::wkButtonDown, Form->NativeWindow(), 13, 2);
  System.Post(Down);
  Down.X = 20;
  System.Post(Down);
  App.ProcessMessages();
  EXPECT_EQ(Errors, (std::vector<std::string>{"handler failed"}));
  EXPECT_EQ(Log, (std::vector<std::string>{"F down 13,2", "F down 20,2"}));
}

TEST_F(ApplicationTest, TicksComeEveryFiftyMillisecondsOnlyWhileAskedFor) {
  auto* Form = App.CreateForm<TLoggingForm>();
  Form->SetClientWidth(10);
  Form->SetClientHeight(10);
  std::vector<std::int64_t> Ticks;
  App.SetTickHandler([&] {
    Ticks.push_back(System.Clock);
    if (Ticks.size() == 3) App.SetTicking(false);
  });
  App.SetTicking(true);
  int Waits = 0;
  System.OnWait = [&] {
    // Once the ticks stop, the loop would sleep forever: close instead.
    if (!App.Ticking() || ++Waits > 100)
      System.Post(Event(TWindowEvent::TKind::wkClose, Form->NativeWindow()));
  };
  App.Run();
  EXPECT_EQ(Ticks, (std::vector<std::int64_t>{50, 100, 150}));
}

TEST_F(ApplicationTest, ModalFormsTakeTheInputUntilTheyAreClosed) {
  auto* Main = App.CreateForm<TLoggingForm>();
  Main->SetCaption("main");
  Main->SetClientWidth(100);
  Main->SetClientHeight(100);
  Main->Show();
  TLoggingForm Dialog(&App);
  Dialog.SetCaption("dialog");
  Dialog.SetClientWidth(40);
  Dialog.SetClientHeight(20);
  int Step = 0;
  System.OnWait = [&] {
    TWindowEvent Key = Event(TWindowEvent::TKind::wkKeyDown, Dialog.NativeWindow());
    switch (Step++) {
      case 0:
        System.Post(Event(TWindowEvent::TKind::wkButtonDown, Main->NativeWindow(), 5, 5));
        break;
      case 1:
        Key.Character = U'x';
        Key.Modifiers = emAlt;
        System.Post(Key);
        break;
      default:
        Key.Key = vkReturn;
        System.Post(Key);
    }
  };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_FALSE(Dialog.Showing());
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog accel x", "dialog key 13"}));
  EXPECT_EQ(System.Windows()[1]->Options.Owner, Main->NativeWindow());
}

TEST_F(ApplicationTest, ClosingAModalFormCancelsIt) {
  TLoggingForm Dialog(&App);
  Dialog.SetClientWidth(10);
  Dialog.SetClientHeight(10);
  System.OnWait = [&] { System.Post(Event(TWindowEvent::TKind::wkClose, Dialog.NativeWindow())); };
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
}

TEST(ErrorBoxTextTest, AFullStopAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText("Cannot open file C:\\menu.bmp"), "Cannot open file C:\\menu.bmp.");
  EXPECT_EQ(ErrorBoxText("Drive D:"), "Drive D:.");
  EXPECT_EQ(ErrorBoxText("Error 7"), "Error 7.");
  EXPECT_EQ(ErrorBoxText("Why?"), "Why?.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorBoxText("(see above)"), "(see above)");
  EXPECT_EQ(ErrorBoxText("trailing "), "trailing ");
  EXPECT_EQ(ErrorBoxText(""), "");
  EXPECT_EQ(ErrorBoxText("caf\xC3\xA9"), "caf\xC3\xA9.");
}

}  // namespace
