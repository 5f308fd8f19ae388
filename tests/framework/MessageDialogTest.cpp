// The message dialog and the error box on the headless driver: placement, closing by
// keys, close box and button, "&" marks, wrapping, the stop icon and errors from the loop.
#include "framework/MessageDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/ColorToRGB.h"
#include "platform/headless/HeadlessDriver.h"
#include "support/Pixels.h"

namespace {

using TKind = TWindowEvent::TKind;
using TStep = std::function<void(TMessageForm&)>;

class MessageDialogTest : public testing::Test {
 protected:
  void SetUp() override { App.SetTitle("Menu"); }

  TMessageForm* OpenDialog() const {
    for (int I = App.ComponentCount() - 1; I >= 0; --I)
      if (auto* Form = dynamic_cast<TMessageForm*>(App.Components(I))) return Form;
    return nullptr;
  }
  THeadlessWindow& WindowOf(const TMessageForm& Form) const {
    return *static_cast<THeadlessWindow*>(Form.NativeWindow());
  }

  // Each wait of the dialog's loop runs the next step on the open dialog. A dialog still open
  // when the steps are used up is a failure, and is ended so that the test does not hang.
  void Script(std::vector<TStep> Steps) {
    Waits = 0;
    System.OnWait = [this, Steps = std::move(Steps)] {
      TMessageForm* Form = OpenDialog();
      ASSERT_NE(Form, nullptr);
      if (Waits >= Steps.size()) {
        ADD_FAILURE() << "the dialog is still open";
        Form->ModalResult = mrCancel;
        return;
      }
      Steps[Waits++](*Form);
    };
  }

  void Post(TMessageForm& Form, TKind Kind, int X = 0, int Y = 0, unsigned Key = 0,
            unsigned Modifiers = 0) {
    TWindowEvent E;
    E.Kind = Kind;
    E.Window = Form.NativeWindow();
    E.X = X;
    E.Y = Y;
    E.Key = Key;
    E.Modifiers = Modifiers;
    System.Post(E);
  }
  void PostKey(TMessageForm& Form, unsigned Key) { Post(Form, TKind::wkKeyDown, 0, 0, Key); }
  TPoint OkCentre(const TMessageForm& Form) const {
    const TRect R = Form.OkButton()->BoundsRect();
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }

  THeadlessDriver System;
  TApplication App{System};
  std::size_t Waits = 0;
};

TEST_F(MessageDialogTest, ShowsACentredDialogCaptionedWithTheTitleAndEndsOnEnter) {
  Script({[&](TMessageForm& Form) {
    THeadlessWindow& Window = WindowOf(Form);
    EXPECT_TRUE(Window.Visible);
    EXPECT_TRUE(Window.Options.Dialog);
    EXPECT_EQ(Window.Caption, "Menu");
    EXPECT_EQ(Window.OriginX, (System.ScreenWidth - Form.ClientWidth()) / 2);
    EXPECT_EQ(Window.OriginY, (System.ScreenHeight - Form.ClientHeight()) / 2);
    EXPECT_EQ(Form.Font.Name(), "Sans") << "the desktop's sans face";
    EXPECT_EQ(Form.Font.Height(), -12) << "9 points";
    PostKey(Form, vkReturn);
  }});
  ShowMessage("Insert the second disc");
  EXPECT_EQ(Waits, 1u);
  EXPECT_EQ(OpenDialog(), nullptr);
  EXPECT_TRUE(System.Windows().empty());
}

TEST_F(MessageDialogTest, EscapeClosesIt) {
  Script({[&](TMessageForm& Form) { PostKey(Form, vkEscape); }});
  ShowMessage("x");
  EXPECT_EQ(Waits, 1u);
}

TEST_F(MessageDialogTest, TheCloseBoxClosesIt) {
  Script({[&](TMessageForm& Form) { Post(Form, TKind::wkClose); }});
  ShowMessage("x");
  EXPECT_EQ(Waits, 1u);
}

TEST_F(MessageDialogTest, OtherKeysLeaveItOpen) {
  Script({[&](TMessageForm& Form) { PostKey(Form, vkSpace); },
          [&](TMessageForm& Form) { PostKey(Form, vkReturn); }});
  ShowMessage("x");
  EXPECT_EQ(Waits, 2u);
}

TEST_F(MessageDialogTest, TheOkButtonIsCentredUnderTheTextAndAClickOnItClosesIt) {
  Script({[&](TMessageForm& Form) {
    const TRect Button = Form.OkButton()->BoundsRect();
    EXPECT_EQ(Button.Width(), 75);
    EXPECT_EQ(Button.Height(), 23);
    EXPECT_EQ(Button.Left, (Form.ClientWidth() - 75) / 2);
    EXPECT_GT(Button.Top, Form.TextRect().Bottom);
    EXPECT_TRUE(Form.OkButton()->Default);
    EXPECT_TRUE(Form.OkButton()->Cancel);
    const TPoint At = OkCentre(Form);
    Post(Form, TKind::wkButtonDown, At.X, At.Y, 0, 0);
    Post(Form, TKind::wkButtonUp, At.X, At.Y);
  }});
  ShowMessage("Ready");
  EXPECT_EQ(Waits, 1u);
}

TEST_F(MessageDialogTest, APressReleasedOffTheButtonDoesNotClick) {
  Script({[&](TMessageForm& Form) {
            const TPoint At = OkCentre(Form);
            Post(Form, TKind::wkButtonDown, At.X, At.Y);
            Post(Form, TKind::wkPointerMove, 2, 2, 0, emLeftButton);
          },
          [&](TMessageForm& Form) {
            EXPECT_FALSE(Form.OkButton()->Down());
            Post(Form, TKind::wkButtonUp, 2, 2);
          },
          [&](TMessageForm& Form) { PostKey(Form, vkReturn); }});
  ShowMessage("Ready");
  EXPECT_EQ(Waits, 3u);
}

TEST_F(MessageDialogTest, AHeldButtonLooksSunken) {
  TPixel Up = 0, Held = 0;
  Script({[&](TMessageForm& Form) {
            const TRect R = Form.OkButton()->BoundsRect();
            // The second ring of the edge: highlight when raised, dark shadow when sunken.
            Up = WindowOf(Form).ScreenPixel(R.Left + 2, R.Top + 5);
            const TPoint At = OkCentre(Form);
            Post(Form, TKind::wkButtonDown, At.X, At.Y);
          },
          [&](TMessageForm& Form) {
            const TRect R = Form.OkButton()->BoundsRect();
            Held = WindowOf(Form).ScreenPixel(R.Left + 2, R.Top + 5);
            const TPoint At = OkCentre(Form);
            Post(Form, TKind::wkButtonUp, At.X, At.Y);
          }});
  ShowMessage("Ready");
  EXPECT_EQ(Up, static_cast<TPixel>(ColorToRGB(clBtnHighlight)));
  EXPECT_EQ(Held, static_cast<TPixel>(ColorToRGB(cl3DDkShadow)));
}

// The text's underline row and the widths of its pieces, in the dialog's font.
struct TTextProbe {
  explicit TTextProbe(const TFont& Font) { Measure.Canvas().Font.Assign(Font); }
  int Width(const std::string& Text) { return Measure.Canvas().TextWidth(Text); }
  int UnderlineRow() { return Measure.Canvas().Face().Metrics().Ascent + 1; }
  TBitmap Measure{1, 1};
};

// Pixels of a row of the window from X1 up to X2 that differ from the form's face.
int InkOnRow(const THeadlessWindow& Window, int Y, int X1, int X2) {
  const std::uint32_t Face = Window.ScreenPixel(0, 0);
  int Count = 0;
  for (int X = X1; X < X2; ++X)
    if (Window.ScreenPixel(X, Y) != Face) ++Count;
  return Count;
}

TEST_F(MessageDialogTest, AnAmpersandUnderlinesTheNextCharacter) {
  Script({[&](TMessageForm& Form) {
    TTextProbe Probe(Form.Font);
    const TRect Text = Form.TextRect();
    EXPECT_EQ(Text.Width(), Probe.Width("RD"));
    const int Under = Text.Top + Probe.UnderlineRow();
    const int D1 = Text.Left + Probe.Width("R"), D2 = Text.Left + Probe.Width("RD") - 1;
    EXPECT_EQ(InkOnRow(WindowOf(Form), Under, D1, D2), D2 - D1);
    PostKey(Form, vkReturn);
  }});
  ShowMessage("R&D");
}

TEST_F(MessageDialogTest, TwoAmpersandsShowOneAndUnderlineNothing) {
  Script({[&](TMessageForm& Form) {
    TTextProbe Probe(Form.Font);
    const TRect Text = Form.TextRect();
    EXPECT_EQ(Text.Width(), Probe.Width("R&D"));
    const int Under = Text.Top + Probe.UnderlineRow();
    EXPECT_EQ(InkOnRow(WindowOf(Form), Under, Text.Left + Probe.Width("R&"),
                       Text.Left + Probe.Width("R&D") - 1),
              0);
    PostKey(Form, vkReturn);
  }});
  ShowMessage("R&&D");
}

TEST_F(MessageDialogTest, ALongTextWrapsWithinHalfTheScreen) {
  std::string Long;
  for (int I = 0; I < 120; ++I) Long += "words ";
  Script({[&](TMessageForm& Form) {
    TTextProbe Probe(Form.Font);
    const TRect Text = Form.TextRect();
    EXPECT_LE(Text.Width(), System.ScreenWidth / 2);
    EXPECT_GT(Text.Width(), System.ScreenWidth / 2 - Probe.Width("words "));
    EXPECT_GE(Text.Height(), 3 * Probe.Measure.Canvas().TextHeight("w"));
    EXPECT_LE(Form.ClientWidth(), System.ScreenWidth / 2 + 2 * TMessageForm::Margin);
    EXPECT_EQ(WindowOf(Form).OriginX, (System.ScreenWidth - Form.ClientWidth()) / 2);
    PostKey(Form, vkReturn);
  }});
  ShowMessage(Long);
}

TEST_F(MessageDialogTest, AWordLongerThanTheLineStaysWithinHalfTheScreen) {
  Script({[&](TMessageForm& Form) {
    EXPECT_LE(Form.TextRect().Width(), System.ScreenWidth / 2);
    PostKey(Form, vkReturn);
  }});
  ShowMessage(std::string(3000, 'W'));
}

TEST_F(MessageDialogTest, ThePlainDialogHasNoIcon) {
  Script({[&](TMessageForm& Form) {
    EXPECT_EQ(Form.TextRect().Left, TMessageForm::Margin);
    const THeadlessWindow& Window = WindowOf(Form);
    for (int Y = 0; Y < Form.ClientHeight(); ++Y)
      for (int X = 0; X < Form.ClientWidth(); ++X)
        ASSERT_NE(Window.ScreenPixel(X, Y), Rgb(255, 0, 0)) << X << "," << Y;
    PostKey(Form, vkReturn);
  }});
  ShowMessage("A plain message");
}

TEST_F(MessageDialogTest, TheErrorBoxHasTheStopIconAndTheFullStop) {
  Script({[&](TMessageForm& Form) {
    EXPECT_EQ(Form.Kind(), TMessageKind::mkError);
    EXPECT_EQ(Form.Text(), "Cannot open file D:\\menu.bmp.");
    EXPECT_EQ(WindowOf(Form).Caption, "Menu");
    const int M = TMessageForm::Margin;
    EXPECT_EQ(Form.TextRect().Left, M + TMessageForm::IconSize + TMessageForm::IconGap);
    const THeadlessWindow& Window = WindowOf(Form);
    EXPECT_EQ(Window.ScreenPixel(M + 16, M + 2), Rgb(255, 0, 0));
    EXPECT_EQ(Window.ScreenPixel(M + 2, M + 16), Rgb(255, 0, 0));
    EXPECT_EQ(Window.ScreenPixel(M + 16, M + 16), Rgb(255, 255, 255));
    EXPECT_EQ(Window.ScreenPixel(M + 6, M + 16), Rgb(255, 0, 0));
    // Outside the disc the form's face shows.
    EXPECT_EQ(Window.ScreenPixel(M, M), Window.ScreenPixel(0, 0));
    PostKey(Form, vkEscape);
  }});
  ShowErrorBox("Cannot open file D:\\menu.bmp");
  EXPECT_EQ(Waits, 1u);
}

TEST_F(MessageDialogTest, ShowExceptionShowsTheErrorBox) {
  Script({[&](TMessageForm& Form) {
    EXPECT_EQ(Form.Kind(), TMessageKind::mkError);
    EXPECT_EQ(Form.Text(), "Bitmap image is not valid.");
    EXPECT_EQ(WindowOf(Form).Caption, "Menu");
    Post(Form, TKind::wkClose);
  }});
  App.ShowException(std::runtime_error("Bitmap image is not valid"));
  EXPECT_EQ(Waits, 1u);
  EXPECT_EQ(OpenDialog(), nullptr);
}

TEST_F(MessageDialogTest, ShowExceptionFallsBackToStandardErrorWhenTheBoxFails) {
  System.OnWait = [] { throw std::runtime_error("display lost"); };
  testing::internal::CaptureStderr();
  App.ShowException(std::runtime_error("Icon image is not valid"));
  const std::string Output = testing::internal::GetCapturedStderr();
  EXPECT_NE(Output.find("Menu: display lost.\n"), std::string::npos);
  EXPECT_NE(Output.find("Menu: Icon image is not valid.\n"), std::string::npos);
  EXPECT_EQ(OpenDialog(), nullptr);
  // The next error gets its box again.
  Script({[&](TMessageForm& Form) { PostKey(Form, vkReturn); }});
  App.ShowException(std::runtime_error("again"));
  EXPECT_EQ(Waits, 1u);
}

TEST(MessageDialogWithoutApplicationTest, WritesToStandardError) {
  ASSERT_EQ(Application, nullptr);
  testing::internal::CaptureStderr();
  ShowMessage("Plain");
  ShowErrorBox("Failed");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Plain\nFailed.\n");
}

}  // namespace
