// What a speed button shows on screen: the picture under a see-through button, its hot and held
// frames drawn at once, the caption's colour, its one-pixel shift while held and its disabled
// look, and the faces of the opaque styles.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/button/KitSpeedButton.h"
#include "controls/button/PopupMenu.h"
#include "controls/panel/KitBackPanel.h"
#include "controls/panel/KitBitmapList.h"
#include "framework/ColorToRGB.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/headless/HeadlessWindow.h"
#include "support/Pixels.h"

namespace {

constexpr int W = 120;
constexpr int H = 80;
constexpr TShiftState LeftHeld{TShiftFlag::ssLeft};

// A picture whose every pixel tells where it came from.
TPixel Picture(int X, int Y) {
  return Rgb((X * 3 + 7) % 256, (Y * 5 + 11) % 256, 90);
}

TPixel PixelFor(TColor Color) {
  const TColor Value = ColorToRGB(Color);
  return Rgb(Value & 0xFF, (Value >> 8) & 0xFF, (Value >> 16) & 0xFF);
}

TPixel Highlight() {
  return PixelFor(clBtnHighlight);
}

TPixel Shadow() {
  return PixelFor(clBtnShadow);
}

// Where Area of what Shown(x, y) gives differs from Expected(x, y), as "x,y" texts.
template <typename TShown, typename TExpected>
std::string Mismatches(TShown Shown, const TRect& Area, TExpected Expected) {
  std::string Out;
  int Count = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if (Shown(X, Y) != Expected(X, Y) && ++Count <= 8)
        Out += std::to_string(X) + "," + std::to_string(Y) + " ";
  if (Count > 8) Out += "... (" + std::to_string(Count) + " in all)";
  return Out;
}

int CountPixels(const TBitmap& Bitmap, const TRect& Area, TPixel Pixel) {
  int Count = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) Count += Bitmap.Pixel(X, Y) == Pixel;
  return Count;
}

// A menu button as the window sets it up: see-through, bold yellow caption with a black sunken
// shadow, lime while hot.
void SetUpMenuButton(TKitSpeedButton& Button) {
  Button.SetStyle(TKitUserButtonStyle::ubsExplorer);
  Button.SetEnterColorChange(true);
  Button.SetEnterColor(clLime);
  Button.Font.SetName("Arial");
  Button.Font.SetHeight(-19);
  Button.Font.SetStyle({fsBold});
  Button.Font.SetColor(clYellow);
  Button.FontFX().SetStyle(TKitThreeDStyle::tdSunkenShadow);
  Button.FontFX().SetLightColor(clBlack);
  Button.FontFX().SetShadowColor(clBlack);
}

// Buttons on the background panel, which lends them its picture.
class SpeedButtonPaintTest : public testing::Test {
 protected:
  static constexpr TRect Place{20, 10, 60, 30};

  void SetUp() override {
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, W, H);
    Panel->SetParent(&Root);
    Panel->SetAlign(TAlign::alClient);
    Panel->SetImageList(List);
    auto* Item = new TKitBitmapListItem(List);
    TBitmap& Bitmap = Item->GetBitmap();
    Bitmap.SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) Bitmap.SetPixel(X, Y, Picture(X, Y));
    List->Add(Item);
    Button->SetParent(Panel);
    Button->SetBounds(Place.Left, Place.Top, Place.Width(), Place.Height());
    SetUpMenuButton(*Button);
    Root.UpdateWindow();
    Window.TakePresented();
  }

  void Move(int X, int Y, TShiftState Shift = {}) {
    Window.PointerX = Window.OriginX + X;
    Window.PointerY = Window.OriginY + Y;
    Root.WindowMouseMove(Shift, X, Y);
  }

  // What the window shows over the button and two pixels around it, against a face of the
  // picture with a one-pixel frame: TopLeft on the top and left lines, BottomRight on the
  // bottom and right lines and on the top-right and bottom-left corners.
  std::string ScreenAgainstFrame(TPixel TopLeft, TPixel BottomRight) const {
    const int Right = Place.Right - 1;
    const int Bottom = Place.Bottom - 1;
    return Mismatches([this](int X, int Y) { return Window.ScreenPixel(X, Y); },
                      InflateRect(Place, 2, 2),
                      [&](int X, int Y) {
                        if (!Place.Contains({X, Y})) return Picture(X, Y);
                        if (X == Right || Y == Bottom) return BottomRight;
                        if (X == Place.Left || Y == Place.Top) return TopLeft;
                        return Picture(X, Y);
                      });
  }
  std::string ScreenAgainstPicture() const {
    return Mismatches([this](int X, int Y) { return Window.ScreenPixel(X, Y); },
                      InflateRect(Place, 2, 2), Picture);
  }

  THeadlessWindow Window{W, H};
  TForm Root{nullptr};
  TKitBitmapList* List = new TKitBitmapList(&Root);
  TKitBackPanel* Panel = new TKitBackPanel(&Root);
  TKitSpeedButton* Button = new TKitSpeedButton(&Root);
};

TEST_F(SpeedButtonPaintTest, RestingButtonShowsExactlyThePictureUnderIt) {
  EXPECT_EQ(ScreenAgainstPicture(), "");
}

TEST_F(SpeedButtonPaintTest, HotButtonGetsARaisedFramePaintedAtOnce) {
  Move(30, 15);
  EXPECT_FALSE(Window.TakePresented().empty());
  EXPECT_FALSE(Root.HasInvalidArea()) << "painted at once, not left for later";
  EXPECT_EQ(ScreenAgainstFrame(Highlight(), Shadow()), "");
}

TEST_F(SpeedButtonPaintTest, HeldButtonGetsASunkenFrameAndLosesItWhenDraggedOff) {
  Move(30, 15);
  Root.WindowMouseDown(TMouseButton::mbLeft, LeftHeld, 30, 15);
  EXPECT_EQ(ScreenAgainstFrame(Shadow(), Highlight()), "");
  Move(90, 50, LeftHeld);
  EXPECT_EQ(ScreenAgainstPicture(), "");
  Move(30, 15, LeftHeld);
  EXPECT_EQ(ScreenAgainstFrame(Shadow(), Highlight()), "");
}

TEST_F(SpeedButtonPaintTest, ClickHandlerRunsWhileTheButtonIsDrawnHeld) {
  std::string During = "not clicked";
  Button->OnClick = [&](TObject*) { During = ScreenAgainstFrame(Shadow(), Highlight()); };
  Move(30, 15);
  Root.WindowMouseDown(TMouseButton::mbLeft, LeftHeld, 30, 15);
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 30, 15);
  EXPECT_EQ(During, "");
  EXPECT_EQ(ScreenAgainstFrame(Highlight(), Shadow()), "") << "hot again afterwards";
}

TEST_F(SpeedButtonPaintTest, CaptionChangeShowsAtOnce) {
  Button->SetCaption("Go");
  EXPECT_FALSE(Window.TakePresented().empty());
  EXPECT_NE(ScreenAgainstPicture(), "");
  Button->SetCaption("");
  EXPECT_EQ(ScreenAgainstPicture(), "");
}

// A button on a parent that lends no background: it fills its colour, and a caption can be
// compared pixel for pixel between states.
class SpeedButtonCaptionTest : public testing::Test {
 protected:
  static constexpr TRect Place{10, 10, 70, 40};

  void SetUp() override {
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, W, H);
    Button->SetParent(&Root);
    Button->SetBounds(Place.Left, Place.Top, Place.Width(), Place.Height());
    SetUpMenuButton(*Button);
    Button->SetCaption("Hi");
  }

  // The button's pixels in State, after the window repainted.
  std::unique_ptr<TBitmap> Shot(TKitButtonState State) {
    if (State == TKitButtonState::bsDown) {
      Root.WindowMouseDown(TMouseButton::mbLeft, LeftHeld, 30, 20);
    } else if (State == TKitButtonState::bsMouseOver) {
      Root.WindowMouseMove({}, 30, 20);
    }
    EXPECT_EQ(Button->State(), State);
    Root.UpdateWindow();
    auto Result = std::make_unique<TBitmap>(Button->Width(), Button->Height());
    for (int Y = 0; Y < Button->Height(); ++Y)
      for (int X = 0; X < Button->Width(); ++X)
        Result->SetPixel(X, Y, Root.BackBuffer().Pixel(Place.Left + X, Place.Top + Y));
    return Result;
  }

  THeadlessWindow Window{W, H};
  TForm Root{nullptr};
  TKitSpeedButton* Button = new TKitSpeedButton(&Root);
};

TEST_F(SpeedButtonCaptionTest, CaptionIsInTheFontColourAtRestAndInEnterColourWhileHotOrHeld) {
  const TRect Inside{1, 1, Place.Width() - 1, Place.Height() - 1};
  const auto Up = Shot(TKitButtonState::bsUp);
  EXPECT_GT(CountPixels(*Up, Inside, PixelFor(clYellow)), 0);
  EXPECT_EQ(CountPixels(*Up, Inside, PixelFor(clLime)), 0);
  const auto Hot = Shot(TKitButtonState::bsMouseOver);
  EXPECT_GT(CountPixels(*Hot, Inside, PixelFor(clLime)), 0);
  EXPECT_EQ(CountPixels(*Hot, Inside, PixelFor(clYellow)), 0);
  const auto Held = Shot(TKitButtonState::bsDown);
  EXPECT_EQ(CountPixels(*Held, Inside, PixelFor(clLime)),
            CountPixels(*Hot, Inside, PixelFor(clLime)));
}

TEST_F(SpeedButtonCaptionTest, HeldCaptionMovesOnePixelRightAndDown) {
  const auto Hot = Shot(TKitButtonState::bsMouseOver);
  const auto Held = Shot(TKitButtonState::bsDown);
  const TPixel Face = PixelFor(clBtnFace);
  EXPECT_EQ(Hot->Pixel(Place.Width() / 2, 1), Face) << "the button fills its own colour";
  // Inside both frames the held picture is the hot one moved by (1, 1).
  const TRect Compared{1, 1, Place.Width() - 2, Place.Height() - 2};
  EXPECT_GT(Compared.Width() * Compared.Height() - CountPixels(*Hot, Compared, Face), 0);
  EXPECT_EQ(Mismatches([&](int X, int Y) { return Held->Pixel(X + 1, Y + 1); }, Compared,
                       [&](int X, int Y) { return Hot->Pixel(X, Y); }),
            "");
}

TEST_F(SpeedButtonCaptionTest, DisabledCaptionIsGreyOverItsLightCopyAndNeverHot) {
  Button->SetEnabled(false);
  Root.WindowMouseMove({}, 30, 20);
  const auto Disabled = Shot(TKitButtonState::bsDisabledUp);
  const TRect All{0, 0, Place.Width(), Place.Height()};
  EXPECT_GT(CountPixels(*Disabled, All, PixelFor(clGrayText)), 0);
  EXPECT_GT(CountPixels(*Disabled, All, PixelFor(clBlack)), 0);
  EXPECT_EQ(CountPixels(*Disabled, All, PixelFor(clYellow)), 0);
  EXPECT_EQ(CountPixels(*Disabled, All, PixelFor(clLime)), 0);
  EXPECT_EQ(Disabled->Pixel(0, 0), PixelFor(clBtnFace)) << "no frame";
}

// --- Opaque faces ---

class NoMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int, int) override {}
};

TEST_F(SpeedButtonCaptionTest, OpaqueFacesAreRaisedAtRestSunkenWhenHeldAndDitheredWhenLatched) {
  Button->SetCaption("");
  Button->SetStyle(TKitUserButtonStyle::ubsWin40);
  const TPixel Face = PixelFor(clBtnFace);
  const auto Up = Shot(TKitButtonState::bsUp);
  EXPECT_EQ(Up->Pixel(0, 0), Highlight());
  EXPECT_EQ(Up->Pixel(Place.Width() - 1, Place.Height() - 1), PixelFor(cl3DDkShadow));
  EXPECT_EQ(Up->Pixel(10, 10), Face);
  const auto Held = Shot(TKitButtonState::bsDown);
  EXPECT_EQ(Held->Pixel(0, 0), PixelFor(cl3DDkShadow));
  EXPECT_EQ(Held->Pixel(Place.Width() - 1, Place.Height() - 1), Highlight());
  Root.WindowMouseUp(TMouseButton::mbLeft, {}, 100, 70);
  Button->SetGroupIndex(1);
  Button->SetPressed(true);
  Root.UpdateWindow();
  EXPECT_NE(Root.BackBuffer().Pixel(Place.Left + 10, Place.Top + 10),
            Root.BackBuffer().Pixel(Place.Left + 11, Place.Top + 10));
}

TEST_F(SpeedButtonCaptionTest, DropDownPartShowsABlackArrow) {
  Button->SetCaption("");
  Button->SetDropDownMenu(new NoMenu(&Root));
  Button->SetDropDownCombo(true);
  const auto Shown = Shot(TKitButtonState::bsUp);
  // The arrow part is the last 12 columns; the arrow's 5-pixel top row starts 4 columns in.
  const int Left = Button->Width() - 12 + 4;
  const int Top = (Place.Height() - 3) / 2;
  EXPECT_EQ(Mismatches([&](int X, int Y) { return Shown->Pixel(X, Y); },
                       {Left, Top, Left + 5, Top + 1}, [](int, int) { return PixelFor(clBlack); }),
            "");
  EXPECT_EQ(Shown->Pixel(Left + 2, Top + 2), PixelFor(clBlack));
  EXPECT_NE(Shown->Pixel(Left + 1, Top + 2), PixelFor(clBlack));
}

}  // namespace
