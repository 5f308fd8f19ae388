// Controls in a window: painting in z-order with clipping, invalidation and presenting, mouse
// dispatch with capture, hover notices, double clicks, accelerators and parent fonts.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Accelerator.h"
#include "framework/Form.h"
#include "platform/headless/HeadlessWindow.h"
#include "support/Pixels.h"

namespace {

std::vector<std::string> Events;

// Paints itself in its colour and records what reaches it.
class TProbeControl : public TControl {
 public:
  TProbeControl(TComponent* Owner, std::string Label) : TControl(Owner), FLabel(std::move(Label)) {
    ControlStyle = {TControlStyle::csCaptureMouse};
  }
  ~TProbeControl() override { Events.push_back("destroy " + FLabel); }
  void Paint() override {
    Canvas().Brush = {Color(), TBrushStyle::bsSolid};
    Canvas().FillRect({-100, -100, 1000, 1000});  // the clip keeps it to the control
  }
  void MouseDown(TMouseButton, TShiftState Shift, int X, int Y) override {
    Events.push_back(FLabel + " down " + std::to_string(X) + "," + std::to_string(Y) +
                     (Shift.Contains(TShiftFlag::ssDouble) ? " double" : ""));
  }
  void MouseMove(TShiftState, int X, int Y) override {
    Events.push_back(FLabel + " move " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override {
    Events.push_back(FLabel + " up " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseEntered() override { Events.push_back(FLabel + " enter"); }
  void MouseLeft() override { Events.push_back(FLabel + " leave"); }
  bool DialogChar(char32_t Key) override {
    if (!IsAccel(Key, Caption(), Font.Charset())) return false;
    Events.push_back(FLabel + " accel");
    return true;
  }

 private:
  std::string FLabel;
};

// A container, or the form at the root, that paints itself and records presses.
template <typename TBase>
class TProbeContainerOf : public TBase {
 public:
  using TBase::TBase;
  void Paint() override {
    ++Paints;
    this->Canvas().Brush = {Fill == clNone ? this->Color() : Fill, TBrushStyle::bsSolid};
    this->Canvas().FillRect(this->ClientRect());
  }
  // Painted instead of Color when set, without asking for a repaint.
  TColor Fill = clNone;
  int Paints = 0;
  void MouseDown(TMouseButton, TShiftState, int X, int Y) override {
    Events.push_back("container down " + std::to_string(X) + "," + std::to_string(Y));
  }
};
using TProbeContainer = TProbeContainerOf<TWinControl>;
using TProbeForm = TProbeContainerOf<TForm>;

class ControlTest : public testing::Test {
 protected:
  void SetUp() override {
    Events.clear();
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, 60, 40);
    Root.SetColor(clWhite);
    Panel->SetParent(&Root);
    Panel->SetBounds(10, 5, 40, 30);
    Panel->SetColor(clSilver);
    A->SetParent(Panel);
    A->SetBounds(2, 2, 10, 8);
    A->SetColor(clRed);
    B->SetParent(Panel);
    B->SetBounds(8, 4, 10, 8);
    B->SetColor(clBlue);
    Root.UpdateWindow();
    Window.TakePresented();
    Events.clear();
  }
  THeadlessWindow Window{60, 40};
  TProbeForm Root{nullptr};
  TProbeContainer* Panel = new TProbeContainer(&Root);
  TProbeControl* A = new TProbeControl(&Root, "a");
  TProbeControl* B = new TProbeControl(&Root, "b");
};

TEST_F(ControlTest, ChildrenPaintInZOrderClippedToThemselvesAndTheirParent) {
  TBitmap& Buffer = Root.BackBuffer();
  EXPECT_EQ(Buffer.Pixel(0, 0), Rgb(255, 255, 255));
  EXPECT_EQ(Buffer.Pixel(10, 5), Rgb(192, 192, 192));
  EXPECT_EQ(Buffer.Pixel(12, 7), Rgb(255, 0, 0));
  EXPECT_EQ(Buffer.Pixel(19, 10), Rgb(0, 0, 255)) << "b is above a";
  EXPECT_EQ(Buffer.Pixel(21, 7), Rgb(255, 0, 0));
  EXPECT_EQ(Buffer.Pixel(22, 7), Rgb(192, 192, 192)) << "a ends at its right edge";
  EXPECT_EQ(Window.ScreenPixel(19, 10), Rgb(0, 0, 255));
  // A child hanging out of its parent is cut at the parent's edge.
  B->SetBounds(35, 25, 20, 20);
  Root.UpdateWindow();
  EXPECT_EQ(Buffer.Pixel(49, 34), Rgb(0, 0, 255));
  EXPECT_EQ(Buffer.Pixel(50, 35), Rgb(255, 255, 255));
}

// Places and sizes from a file at the ends of int must not overflow the rectangles made of them
// (the sanitizer build checks); they are kept far beyond any screen, and nothing shows.
TEST_F(ControlTest, PlacesAndSizesAtTheEndsOfIntAreKeptInRange) {
  B->SetBounds(INT_MAX, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(B->Left(), 1 << 24);
  EXPECT_EQ(B->Top(), -(1 << 24));
  EXPECT_EQ(B->Width(), 1 << 24);
  Root.UpdateWindow();
  EXPECT_EQ(Root.BackBuffer().Pixel(19, 10), Rgb(255, 0, 0)) << "b has gone";
}

TEST_F(ControlTest, InvalidateWaitsForUpdateAndPresentsOnlyTheArea) {
  A->SetColor(clLime);
  EXPECT_TRUE(Root.HasInvalidArea());
  EXPECT_EQ(Window.ScreenPixel(12, 7), Rgb(255, 0, 0));
  A->Update();
  EXPECT_EQ(Window.ScreenPixel(12, 7), Rgb(0, 255, 0));
  auto Presented = Window.TakePresented();
  ASSERT_EQ(Presented.size(), 1u);
  EXPECT_EQ(Presented[0].X, 12);
  EXPECT_EQ(Presented[0].Y, 7);
  EXPECT_EQ(Presented[0].Width, 10);
  EXPECT_EQ(Presented[0].Height, 8);
}

TEST_F(ControlTest, ACanvasExistsOnlyWhileTheControlPaints) {
  EXPECT_THROW(A->Canvas(), std::logic_error);
  Root.InvalidateWindowRect(Root.ClientRect());
  Root.UpdateWindow();
  EXPECT_THROW(A->Canvas(), std::logic_error) << "the paint's canvas is gone with the paint";
}

TEST_F(ControlTest, PaintNowDrawsAndPresentsAtOnce) {
  A->SetColor(clYellow);
  Root.UpdateWindow();
  Window.TakePresented();
  B->PaintNow();
  EXPECT_EQ(Window.TakePresented().size(), 1u);
  EXPECT_EQ(Window.ScreenPixel(19, 10), Rgb(0, 0, 255));
}

TEST_F(ControlTest, HiddenControlsLeaveTheirAreaRepainted) {
  B->SetVisible(false);
  Root.UpdateWindow();
  EXPECT_EQ(Root.BackBuffer().Pixel(25, 12), Rgb(192, 192, 192));
  EXPECT_EQ(Root.BackBuffer().Pixel(19, 10), Rgb(255, 0, 0));
}

TEST_F(ControlTest, MouseGoesToTheTopmostControlInItsCoordinates) {
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 19, 10);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 19, 10);
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 13, 8);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 13, 8);
  EXPECT_EQ(Events, (std::vector<std::string>{"b down 1,1", "b up 1,1", "a down 1,1", "a up 1,1"}));
}

TEST_F(ControlTest, CaptureKeepsTheMouseUntilTheLastButtonIsReleased) {
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 13, 8);
  EXPECT_EQ(Root.CaptureControl(), A);
  Root.WindowMouseMove({TShiftFlag::ssLeft}, 50, 30);
  Root.WindowMouseDown(TMouseButton::mbRight, {TShiftFlag::ssLeft, TShiftFlag::ssRight}, 55, 35);
  Root.WindowMouseUp(TMouseButton::mbRight, {TShiftFlag::ssLeft}, 55, 35);
  EXPECT_EQ(Root.CaptureControl(), A);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, -5, -5);
  EXPECT_EQ(Root.CaptureControl(), nullptr);
  EXPECT_EQ(Events, (std::vector<std::string>{"a down 1,1", "a move 38,23", "a down 43,28",
                                              "a up 43,28", "a up -17,-12"}));
}

TEST_F(ControlTest, HoverNoticesFollowThePointer) {
  Root.WindowMouseMove({}, 13, 8);
  Root.WindowMouseMove({}, 14, 8);
  Root.WindowMouseMove({}, 19, 10);
  Root.WindowMouseLeave();
  EXPECT_EQ(Events, (std::vector<std::string>{"a move 1,1", "a enter", "a move 2,1", "b move 1,1",
                                              "a leave", "b enter", "b leave"}));
}

TEST_F(ControlTest, DisabledControlsPassTheMouseToTheirParentButStillHearHover) {
  A->SetEnabled(false);
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 13, 8);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 13, 8);
  Root.WindowMouseMove({}, 13, 8);
  EXPECT_EQ(Events, (std::vector<std::string>{"container down 3,3", "a enter"}));
}

TEST_F(ControlTest, DoubleClickFlagOnlyForControlsThatAskForIt) {
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft, TShiftFlag::ssDouble}, 13, 8);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 13, 8);
  A->ControlStyle.Include(TControlStyle::csDoubleClicks);
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft, TShiftFlag::ssDouble}, 13, 8);
  EXPECT_EQ(Events[0], "a down 1,1");
  EXPECT_EQ(Events[2], "a down 1,1 double");
}

TEST_F(ControlTest, AcceleratorsReachTheControlWhoseCaptionHasTheLetter) {
  A->SetCaption("&Open");
  B->SetCaption("Sa&ve && more");
  EXPECT_TRUE(Root.WindowDialogChar(U'v'));
  EXPECT_TRUE(Root.WindowDialogChar(U'O'));
  EXPECT_FALSE(Root.WindowDialogChar(U'm'));
  EXPECT_EQ(Events, (std::vector<std::string>{"b accel", "a accel"}));
  EXPECT_TRUE(IsAccel(U'p', "&&x&P", ANSI_CHARSET));
  EXPECT_FALSE(IsAccel(U'x', "&&x", ANSI_CHARSET));
  EXPECT_FALSE(IsAccel(U'a', "a&", ANSI_CHARSET));
}

TEST_F(ControlTest, ParentFontFlowsDownUntilTheChildSetsItsOwn) {
  Panel->Font.SetName("Courier New");
  EXPECT_EQ(A->Font.Name(), "Courier New");
  EXPECT_TRUE(A->ParentFont());
  A->Font.SetSize(20);
  EXPECT_FALSE(A->ParentFont());
  Panel->Font.SetName("Arial");
  EXPECT_EQ(A->Font.Name(), "Courier New");
  EXPECT_EQ(B->Font.Name(), "Arial");
}

TEST_F(ControlTest, DestroyedControlsLeaveNoDanglingCaptureOrHover) {
  Root.WindowMouseMove({}, 13, 8);
  Root.WindowMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 13, 8);
  delete A;
  EXPECT_EQ(Root.CaptureControl(), nullptr);
  Root.WindowMouseMove({}, 19, 10);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 19, 10);
  EXPECT_EQ(Panel->ControlCount(), 1);
}

TEST_F(ControlTest, ScreenCoordinatesGoThroughTheWindowOrigin) {
  EXPECT_EQ(A->ClientToScreen({0, 0}), (TPoint{100 + 12, 80 + 7}));
  EXPECT_EQ(A->ScreenToClient({113, 88}), (TPoint{1, 1}));
  Window.PointerX = 5;
  Window.PointerY = 6;
  EXPECT_EQ(Root.CursorPos(), (TPoint{5, 6}));
}

}  // namespace

namespace {

TEST_F(ControlTest, PaintingStaysInsideTheInvalidArea) {
  // Paint asks for its canvas again and again; each time the canvas keeps to the invalid area.
  Panel->Fill = clGreen;
  Root.InvalidateWindowRect({10, 5, 12, 7});
  Root.UpdateWindow();
  EXPECT_EQ(Root.BackBuffer().Pixel(10, 5), Rgb(0, 128, 0));
  EXPECT_EQ(Root.BackBuffer().Pixel(12, 5), Rgb(192, 192, 192));
  EXPECT_EQ(Root.BackBuffer().Pixel(40, 30), Rgb(192, 192, 192));
}

// A face wholly under an opaque child would only be painted over, so it is left out; where the
// child leaves any of the area showing, or is not opaque, or is hidden, the face is painted.
TEST_F(ControlTest, AFaceWhollyUnderAnOpaqueChildIsNotPainted) {
  auto PaintsOf = [&](const TRect& Area) {
    const int Before = Root.Paints;
    Root.InvalidateWindowRect(Area);
    Root.UpdateWindow();
    return Root.Paints - Before;
  };
  const TRect UnderPanel{12, 7, 30, 20};
  EXPECT_EQ(PaintsOf(UnderPanel), 1) << "the panel is not opaque";
  Panel->ControlStyle.Include(TControlStyle::csOpaque);
  const int PanelPaints = Panel->Paints;
  EXPECT_EQ(PaintsOf(UnderPanel), 0);
  EXPECT_EQ(Panel->Paints, PanelPaints + 1) << "the opaque child still paints itself";
  EXPECT_EQ(PaintsOf({10, 5, 50, 35}), 0) << "the panel's whole rectangle";
  EXPECT_EQ(PaintsOf({9, 5, 50, 35}), 1) << "one column beside the panel shows the face";
  Root.Fill = clGreen;
  EXPECT_EQ(PaintsOf({9, 5, 50, 35}), 1);
  EXPECT_EQ(Root.BackBuffer().Pixel(9, 5), Rgb(0, 128, 0));
  EXPECT_EQ(Root.BackBuffer().Pixel(10, 5), Rgb(192, 192, 192));
  Panel->SetVisible(false);
  EXPECT_EQ(PaintsOf(UnderPanel), 1) << "a hidden child covers nothing";
  EXPECT_EQ(Root.BackBuffer().Pixel(12, 7), Rgb(0, 128, 0));
}

// A window being built paints nothing until it has a window, whose first paint draws it all.
TEST(ControlWithoutWindow, PaintNowWaitsForTheWindow) {
  TProbeForm Root{nullptr};
  Root.SetBounds(0, 0, 20, 20);
  auto* Child = new TProbeContainer(&Root);
  Child->SetParent(&Root);
  Child->SetBounds(0, 0, 10, 10);
  Child->SetColor(clRed);
  Child->PaintNow();
  EXPECT_EQ(Child->Paints, 0);
  EXPECT_EQ(Root.BackBuffer().Pixel(5, 5), Rgb(0, 0, 0));

  THeadlessWindow Window{20, 20};
  Root.SetWindow(&Window);
  Child->PaintNow();
  EXPECT_EQ(Child->Paints, 1);
  EXPECT_EQ(Root.BackBuffer().Pixel(5, 5), Rgb(255, 0, 0));
}

}  // namespace
