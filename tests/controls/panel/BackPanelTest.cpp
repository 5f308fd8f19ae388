// The background panel in a headless window: its face tiled from a list picture, when the
// background copy is rebuilt, the pieces it lends to children, its bevel and layout,
// transparent mode and its mouse events.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/panel/KitBackPanel.h"
#include "controls/panel/KitBitmapList.h"
#include "framework/ColorToRGB.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/headless/HeadlessWindow.h"
#include "support/Pixels.h"

namespace {

// A picture whose every pixel tells where it came from; Seed tells pictures apart.
TPixel Picture(int X, int Y, int Seed) {
  return Rgb((X * 3 + Seed) % 256, (Y * 5 + Seed) % 256, Seed);
}

TPixel PixelFor(TColor Color) {
  const TColor Value = ColorToRGB(Color);
  return Rgb(Value & 0xFF, (Value >> 8) & 0xFF, (Value >> 16) & 0xFF);
}

void Paint(TBitmap& Bitmap, int Width, int Height, int Seed) {
  Bitmap.SetSize(Width, Height);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) Bitmap.SetPixel(X, Y, Picture(X, Y, Seed));
}

// Adds an item holding a Width x Height picture, loaded before it is added as the window does.
TKitBitmapListItem* AddPicture(TKitBitmapList& List, int Width, int Height, int Seed) {
  auto* Item = new TKitBitmapListItem(&List);
  Paint(Item->GetBitmap(), Width, Height, Seed);
  List.Add(Item);
  return Item;
}

// Where Area of Bitmap differs from Expected(x, y), as "x,y" texts; empty when it does not.
template <typename TExpected>
std::string Mismatches(const TBitmap& Bitmap, const TRect& Area, TExpected Expected) {
  std::string Out;
  int Count = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if (Bitmap.Pixel(X, Y) != Expected(X, Y) && ++Count <= 8)
        Out += std::to_string(X) + "," + std::to_string(Y) + " ";
  if (Count > 8) Out += "... (" + std::to_string(Count) + " in all)";
  return Out;
}

// A windowless child that paints the piece of its parent's background under itself, as the
// menu buttons do, and counts the background-changed notices.
class TBackgroundProbe : public TControl, public TKitBackgroundClient {
 public:
  using TControl::TControl;
  void Paint() override {
    auto* Panel = dynamic_cast<TKitCustomControl*>(Parent());
    Lent = Panel && Panel->BackBitmapCheck() &&
           Panel->BackDrawArea(Canvas(), ClientRect(), {Left(), Top()}, 0);
    if (Lent) return;
    Canvas().Brush = {clRed, TBrushStyle::bsSolid};
    Canvas().FillRect(ClientRect());
  }
  void BackgroundChanged() override { ++Notices; }
  bool Lent = false;
  int Notices = 0;
};

constexpr int W = 320;
constexpr int H = 240;

class BackPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Root.SetWindow(&Window);
    Root.SetBounds(0, 0, W, H);
    Panel->SetParent(&Root);
    Panel->SetAlign(TAlign::alClient);
    Panel->SetImageList(List);
    Probe->SetParent(Panel);
    Probe->SetBounds(37, 21, 50, 30);
  }
  // Repaints the whole window, as an expose would.
  void RepaintAll() {
    Root.InvalidateWindowRect({0, 0, W, H});
    Root.UpdateWindow();
  }
  const TBitmap& Screen() { return Root.BackBuffer(); }

  THeadlessWindow Window{W, H};
  TForm Root{nullptr};
  TKitBitmapList* List = new TKitBitmapList(&Root);
  TKitBackPanel* Panel = new TKitBackPanel(&Root);
  TBackgroundProbe* Probe = new TBackgroundProbe(&Root);
};

TEST_F(BackPanelTest, PictureOfThePanelsSizeIsPaintedPixelForPixel) {
  AddPicture(*List, W, H, 1);
  Root.UpdateWindow();
  EXPECT_EQ(Mismatches(Screen(), {0, 0, W, H}, [](int X, int Y) { return Picture(X, Y, 1); }), "");
  EXPECT_EQ(Window.ScreenPixel(W - 1, H - 1), Picture(W - 1, H - 1, 1));
}

TEST_F(BackPanelTest, SmallerPictureRepeatsAndIsCutAtTheRightAndBottom) {
  AddPicture(*List, 100, 100, 2);
  Root.UpdateWindow();
  EXPECT_EQ(
      Mismatches(Screen(), {0, 0, W, H}, [](int X, int Y) { return Picture(X % 100, Y % 100, 2); }),
      "");
  // Four copies across, the last cut after 20 columns; three down, the last after 40 rows.
  EXPECT_EQ(Screen().Pixel(300, 200), Picture(0, 0, 2));
  EXPECT_EQ(Screen().Pixel(319, 239), Picture(19, 39, 2));
}

TEST_F(BackPanelTest, LargerPictureIsCutAtTheRightAndBottom) {
  AddPicture(*List, 400, 300, 3);
  Root.UpdateWindow();
  EXPECT_EQ(Mismatches(Screen(), {0, 0, W, H}, [](int X, int Y) { return Picture(X, Y, 3); }), "");
}

TEST_F(BackPanelTest, WithoutAValidItemThePanelShowsItsColourAndLendsNothing) {
  const TPixel Face = PixelFor(clBtnFace);
  Root.UpdateWindow();
  EXPECT_FALSE(Panel->BackBitmapCheck());
  EXPECT_EQ(PixelsNotEqualOutside(Screen(), Probe->BoundsRect(), Face), "");
  EXPECT_FALSE(Probe->Lent);

  // An item whose bitmap is still empty is no picture either.
  TKitBitmapListItem* Item = AddPicture(*List, 0, 0, 4);
  EXPECT_FALSE(Panel->BackBitmapCheck());

  // Loading into a bitmap already in the list tells nobody; the next list change does.
  Paint(Item->GetBitmap(), 50, 50, 4);
  EXPECT_FALSE(Panel->BackBitmapCheck());
  AddPicture(*List, 10, 10, 5);
  EXPECT_TRUE(Panel->BackBitmapCheck());

  // An index past the end of the list frees the copy.
  Panel->SetListIndex(2);
  EXPECT_FALSE(Panel->BackBitmapCheck());
  RepaintAll();
  EXPECT_EQ(PixelsNotEqualOutside(Screen(), Probe->BoundsRect(), Face), "");
}

TEST_F(BackPanelTest, AddingThePictureRepaintsThePanelAndItsChildren) {
  Root.UpdateWindow();
  EXPECT_EQ(Probe->Notices, 0);
  AddPicture(*List, W, H, 6);
  EXPECT_EQ(Probe->Notices, 1);
  EXPECT_TRUE(Root.HasInvalidArea());
  Root.UpdateWindow();
  EXPECT_TRUE(Probe->Lent);
  EXPECT_EQ(Mismatches(Screen(), {0, 0, W, H}, [](int X, int Y) { return Picture(X, Y, 6); }), "");
}

TEST_F(BackPanelTest, EveryChangeOfTheListRebuildsTheCopy) {
  AddPicture(*List, 40, 40, 7);
  TKitBitmapListItem* Second = AddPicture(*List, 40, 40, 8);
  const TBitmap& Copy = *Panel->BackBitmap();
  EXPECT_EQ(Copy.Pixel(0, 0), Picture(0, 0, 7));

  List->Move(1, 0);
  EXPECT_EQ(Copy.Pixel(0, 0), Picture(0, 0, 8));
  EXPECT_EQ(Probe->Notices, 3);

  // A picture loaded silently shows only once the list changes.
  Paint(Second->GetBitmap(), 40, 40, 9);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(0, 0), Picture(0, 0, 8));
  AddPicture(*List, 40, 40, 10);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(0, 0), Picture(0, 0, 9));

  List->Delete(0);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(0, 0), Picture(0, 0, 7));
  List->Clear();
  EXPECT_EQ(Panel->BackBitmap(), nullptr);
  EXPECT_EQ(Probe->Notices, 6);
}

TEST_F(BackPanelTest, NegativeOrUnchangedIndicesAreIgnored) {
  AddPicture(*List, 40, 40, 11);
  AddPicture(*List, 40, 40, 12);
  Panel->SetListIndex(1);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(0, 0), Picture(0, 0, 12));
  const int Notices = Probe->Notices;
  Panel->SetListIndex(-1);
  Panel->SetListIndex(1);
  Panel->SetImageIndex(-3);
  Panel->SetImageIndex(0);
  EXPECT_EQ(Probe->Notices, Notices);
  EXPECT_EQ(Panel->ListIndex(), 1);
  // A bitmap list has one image per item: any image index shows the item.
  Panel->SetImageIndex(5);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(0, 0), Picture(0, 0, 12));
}

TEST_F(BackPanelTest, ResizeKeepsOnlyACopyLargerInBothDirections) {
  TKitBitmapListItem* Item = AddPicture(*List, W, H, 13);
  Paint(Item->GetBitmap(), W, H, 14);  // silently: a rebuild shows it, a kept copy does not
  auto Shows = [&](int Seed) { return Panel->BackBitmap()->Pixel(5, 5) == Picture(5, 5, Seed); };

  Panel->SetBounds(0, 0, W - 1, H - 1);
  EXPECT_TRUE(Shows(13)) << "one pixel smaller both ways keeps the copy";
  EXPECT_EQ(Panel->BackBitmap()->Width(), W);
  Panel->SetBounds(0, 0, W, H);
  EXPECT_TRUE(Shows(14)) << "a copy of exactly the client size is rebuilt";
  EXPECT_EQ(Panel->BackBitmap()->Width(), W);

  Paint(Item->GetBitmap(), W, H, 15);
  Panel->SetBounds(0, 0, W, H - 10);
  EXPECT_TRUE(Shows(15)) << "shrinking in one direction rebuilds";
  EXPECT_EQ(Panel->BackBitmap()->Height(), H - 10);

  Paint(Item->GetBitmap(), W, H, 16);
  Panel->SetBounds(0, 0, W + 5, H);
  EXPECT_TRUE(Shows(16)) << "growing rebuilds";
  EXPECT_EQ(Panel->BackBitmap()->Width(), W + 5);
}

TEST_F(BackPanelTest, ColourChangesAndMovesKeepTheCopy) {
  TKitBitmapListItem* Item = AddPicture(*List, W, H, 17);
  Paint(Item->GetBitmap(), W, H, 18);
  const int Notices = Probe->Notices;
  Panel->SetColor(clNavy);
  Panel->SetBounds(3, 4, W, H);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(5, 5), Picture(5, 5, 17));
  EXPECT_EQ(Probe->Notices, Notices);
  RepaintAll();
  EXPECT_EQ(Screen().Pixel(3 + 5, 4 + 5), Picture(5, 5, 17)) << "the colour is not shown";
}

TEST_F(BackPanelTest, ResizeWhilePaintingFromACopyRepaintsAtOnceAndTellsTheChildren) {
  Panel->SetBounds(0, 0, 200, 100);
  Root.UpdateWindow();
  EXPECT_EQ(Probe->Notices, 0) << "no copy: the children paint on their own";

  AddPicture(*List, 64, 64, 19);
  Root.UpdateWindow();
  const int Notices = Probe->Notices;
  Panel->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(Probe->Notices, Notices + 1);
  EXPECT_FALSE(Root.HasInvalidArea());
  EXPECT_EQ(Window.ScreenPixel(299, 199), Picture(299 % 64, 199 % 64, 19));
}

// A picture of the panel's size is not copied again: the copy shares its pixels (one store of
// that size besides the window's back buffer) and still keeps them when the picture is loaded
// anew without telling the list.
TEST_F(BackPanelTest, APictureOfThePanelsSizeLendsItsPixelsToTheCopy) {
  constexpr int PW = W - 20, PH = H - 10;  // no other store of the test is this size
  Panel->SetAlign(TAlign::alNone);
  Panel->SetBounds(0, 0, PW, PH);
  TKitBitmapListItem* Item = AddPicture(*List, PW, PH, 30);
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(PW, PH), 2) << "the shared picture and the back buffer";
  RepaintAll();
  EXPECT_EQ(Mismatches(Screen(), {0, 0, PW, PH}, [](int X, int Y) { return Picture(X, Y, 30); }),
            "");
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(PW, PH), 2) << "painting reads the copy without a copy";

  Paint(Item->GetBitmap(), PW, PH, 31);
  EXPECT_EQ(Panel->BackBitmap()->Pixel(5, 5), Picture(5, 5, 30));
  RepaintAll();
  EXPECT_EQ(Screen().Pixel(5, 5), Picture(5, 5, 30));
}

// A copy kept because it is larger than the panel gives way to the picture once the panel has
// the picture's size, but only while it holds the picture's very pixels.
TEST_F(BackPanelTest, AKeptCopyGivesWayToThePictureOnlyWithTheSamePixels) {
  constexpr int PW = W - 30, PH = H - 30;
  TKitBitmapListItem* Item = AddPicture(*List, PW, PH, 32);
  EXPECT_EQ(Panel->BackBitmap()->Width(), W) << "tiled over the panel";
  Panel->SetAlign(TAlign::alNone);
  Panel->SetBounds(0, 0, PW, PH);
  EXPECT_EQ(Panel->BackBitmap()->Width(), PW);
  EXPECT_EQ(TBitmap::LiveStoresAtLeast(PW, PH), 2) << "the shared picture and the back buffer";

  Panel->SetBounds(0, 0, W, H);
  Paint(Item->GetBitmap(), PW, PH, 33);  // silently
  Panel->SetBounds(0, 0, PW, PH);
  EXPECT_EQ(Panel->BackBitmap()->Width(), W) << "the kept copy stays";
  EXPECT_EQ(Panel->BackBitmap()->Pixel(5, 5), Picture(5, 5, 32));
}

TEST_F(BackPanelTest, BackDrawAreaGivesExactlyThePixelsUnderAChildRectangle) {
  AddPicture(*List, 100, 100, 20);
  Root.UpdateWindow();
  EXPECT_TRUE(Probe->Lent);
  EXPECT_EQ(Mismatches(Screen(), Probe->BoundsRect(),
                       [](int X, int Y) { return Picture(X % 100, Y % 100, 20); }),
            "");

  // Into a bitmap of its own: the rectangle is filled from its place moved by the point, and
  // nothing outside it is touched.
  TBitmap Target(60, 40);
  FillBitmap(Target, Marker);
  const TRect Area{5, 6, 25, 26};
  EXPECT_TRUE(Panel->BackDrawArea(Target.Canvas(), Area, {90, 80}, 0));
  EXPECT_EQ(Mismatches(Target, Area,
                       [](int X, int Y) { return Picture((X + 90) % 100, (Y + 80) % 100, 20); }),
            "");
  EXPECT_EQ(PixelsNotEqualOutside(Target, Area, Marker), "");
}

TEST_F(BackPanelTest, TheClientRectangleIsServedFromTheClipBoxAtTheSamePlace) {
  AddPicture(*List, W, H, 21);
  TBitmap Target(W, H);
  FillBitmap(Target, Marker);
  TCanvas Canvas(&Target);
  const TRect Clip{50, 60, 70, 90};
  Canvas.SetClipRect(Clip);
  // The point is ignored: the panel paints itself, or a child covering it exactly.
  EXPECT_TRUE(Panel->BackDrawArea(Canvas, {0, 0, W, H}, {33, 44}, 0));
  EXPECT_EQ(Mismatches(Target, Clip, [](int X, int Y) { return Picture(X, Y, 21); }), "");
  EXPECT_EQ(PixelsNotEqualOutside(Target, Clip, Marker), "");
}

TEST_F(BackPanelTest, NothingIsPaintedWhileLoading) {
  AddPicture(*List, W, H, 22);
  Root.UpdateWindow();
  TBitmap Target(10, 10);
  FillBitmap(Target, Marker);
  Panel->BeginLoading();
  EXPECT_FALSE(Panel->BackDrawArea(Target.Canvas(), {0, 0, 10, 10}, {0, 0}, 0));
  Panel->SetColor(clRed);
  RepaintAll();
  Panel->EndLoading();
  EXPECT_EQ(PixelsNotEqual(Target, {0, 0, 10, 10}, Marker), "");
  EXPECT_EQ(Screen().Pixel(0, 0), PixelFor(ColorToRGB(Root.Color())))
      << "only the form under the panel is painted, neither the panel's colour nor its picture";
}

// Counts the times a panel draws the list's picture into its copy.
class TCountingBitmapList : public TKitBitmapList {
 public:
  using TKitBitmapList::TKitBitmapList;
  void ClipDraw(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags, int Offset,
                TColor TransparentColor, int ListIndex, int ImageIndex) const override {
    ++Draws;
    TKitBitmapList::ClipDraw(Canvas, Rect, Flags, Offset, TransparentColor, ListIndex, ImageIndex);
  }
  mutable int Draws = 0;
};

TEST_F(BackPanelTest, WhileLoadingTheCopyWaitsForTheFinalSizeAndPicture) {
  auto* Counting = new TCountingBitmapList(&Root);
  Panel->BeginLoading();
  Panel->SetImageList(Counting);
  AddPicture(*Counting, 100, 100, 5);
  Panel->SetAlign(TAlign::alNone);
  Panel->SetBounds(0, 0, W + 80, H + 60);
  EXPECT_EQ(Counting->Draws, 0);
  Panel->EndLoading();
  EXPECT_EQ(Counting->Draws, 1) << "tiled once, at the final size";
  RepaintAll();
  EXPECT_EQ(Screen().Pixel(W - 1, H - 1), Picture((W - 1) % 100, (H - 1) % 100, 5));

  // Loaded at the picture's own size, the copy shares the picture's pixels: nothing is drawn.
  auto* Exact = new TCountingBitmapList(&Root);
  Panel->BeginLoading();
  Panel->SetImageList(Exact);
  AddPicture(*Exact, 200, 100, 6);
  Panel->SetBounds(0, 0, 200, 100);
  Panel->EndLoading();
  EXPECT_EQ(Exact->Draws, 0);
  EXPECT_EQ(std::as_const(*Panel->BackBitmap()).ScanLine(0),
            std::as_const(Exact->GetArrayItem(0)->GetBitmap()).ScanLine(0));
}

TEST_F(BackPanelTest, TransparentPanelShowsItsParentsPictureAndLendsIt) {
  AddPicture(*List, 100, 100, 23);
  auto* OwnList = new TKitBitmapList(&Root);
  AddPicture(*OwnList, 50, 50, 24);
  auto* Inner = new TKitBackPanel(&Root);
  Inner->SetParent(Panel);
  Inner->SetBounds(40, 30, 120, 80);
  Inner->SetImageList(OwnList);
  Probe->SetParent(Inner);
  Probe->SetBounds(10, 12, 30, 20);
  EXPECT_EQ(Inner->BackBitmap()->Pixel(0, 0), Picture(0, 0, 24));

  Inner->SetTransparent(true);
  EXPECT_TRUE(Inner->BackBitmapCheck());
  EXPECT_EQ(Inner->BackBitmap(), Panel->BackBitmap()) << "no copy of its own";
  EXPECT_EQ(Inner->BackMapPoint({10, 12}), (TPoint{50, 42}));
  Root.UpdateWindow();
  auto Parents = [](int X, int Y) { return Picture(X % 100, Y % 100, 23); };
  EXPECT_EQ(Mismatches(Screen(), {40, 30, 160, 110}, Parents), "");
  EXPECT_TRUE(Probe->Lent);

  // Moving shows another piece of the parent's picture, at once.
  Inner->SetBounds(70, 90, 120, 80);
  EXPECT_FALSE(Root.HasInvalidArea());
  EXPECT_EQ(Mismatches(Screen(), {70, 90, 190, 170}, Parents), "");

  Inner->SetTransparent(false);
  EXPECT_EQ(Inner->BackMapPoint({10, 12}), (TPoint{10, 12}));
  Root.UpdateWindow();
  EXPECT_EQ(Mismatches(Screen(), {70, 90, 190, 170},
                       [](int X, int Y) { return Picture((X - 70) % 50, (Y - 90) % 50, 24); }),
            "");
}

TEST_F(BackPanelTest, TransparentPanelOfAnotherParentFillsWithItsColour) {
  AddPicture(*List, W, H, 25);
  auto* Other = new TKitBackPanel(&Root);
  Other->SetParent(&Root);
  Other->SetBounds(10, 10, 30, 30);
  Other->SetTransparent(true);
  EXPECT_FALSE(Other->BackBitmapCheck());
  Root.UpdateWindow();
  EXPECT_EQ(PixelsNotEqual(Screen(), {10, 10, 40, 40}, PixelFor(clBtnFace)), "");
}

TEST_F(BackPanelTest, DefaultBevelTakesNoRoomAndDrawsNothing) {
  AddPicture(*List, W, H, 26);
  auto* Inner = new TKitBackPanel(&Root);
  Inner->SetParent(Panel);
  Inner->SetAlign(TAlign::alClient);
  EXPECT_EQ(Inner->BoundsRect(), (TRect{0, 0, W, H}));
  Inner->SetParent(nullptr);
  RepaintAll();
  EXPECT_EQ(Mismatches(Screen(), {0, 0, W, H}, [](int X, int Y) { return Picture(X, Y, 26); }), "");
}

TEST_F(BackPanelTest, StandardSingleLoweredBevelFramesTheFaceAndHoldsAlignedChildrenInside) {
  AddPicture(*List, W, H, 27);
  auto* Inner = new TKitBackPanel(&Root);
  Inner->SetParent(Panel);
  Inner->SetAlign(TAlign::alClient);
  Inner->SetTransparent(true);
  Panel->Bevel().SetMode(TKitBevelMode::bmStandard);
  EXPECT_EQ(Inner->BoundsRect(), (TRect{1, 1, W - 1, H - 1}));
  EXPECT_EQ(Probe->BoundsRect(), (TRect{37, 21, 87, 51})) << "placed children stay";
  Inner->SetParent(nullptr);
  RepaintAll();

  const TPixel Shadow = PixelFor(clBtnShadow);
  const TPixel Light = PixelFor(clBtnHighlight);
  EXPECT_EQ(PixelsNotEqual(Screen(), {0, 0, W - 1, 1}, Shadow), "");
  EXPECT_EQ(PixelsNotEqual(Screen(), {0, 0, 1, H - 1}, Shadow), "");
  EXPECT_EQ(PixelsNotEqual(Screen(), {0, H - 1, W, H}, Light), "");
  EXPECT_EQ(PixelsNotEqual(Screen(), {W - 1, 0, W, H}, Light), "");
  EXPECT_EQ(
      Mismatches(Screen(), {1, 1, W - 1, H - 1}, [](int X, int Y) { return Picture(X, Y, 27); }),
      "");

  // Without a picture the bevel still shows, over the colour.
  Panel->SetImageList(nullptr);
  RepaintAll();
  EXPECT_EQ(Screen().Pixel(0, 0), Shadow);
  EXPECT_EQ(Screen().Pixel(1, 1), PixelFor(clBtnFace));
}

TEST_F(BackPanelTest, MouseEnterAndExitFollowThePointerOverThePanelItself) {
  std::vector<std::string> Events;
  Panel->OnMouseEnter = [&](TObject* Sender) {
    Events.push_back(Sender == Panel ? "enter" : "enter from elsewhere");
  };
  Panel->OnMouseExit = [&](TObject* Sender) {
    Events.push_back(Sender == Panel ? "exit" : "exit from elsewhere");
  };
  Root.WindowMouseMove({}, 5, 5);
  EXPECT_TRUE(Panel->MouseAbove());
  Root.WindowMouseMove({}, 6, 5);
  Root.WindowMouseMove({}, 40, 25);  // over the probe child
  EXPECT_FALSE(Panel->MouseAbove());
  Root.WindowMouseMove({}, 5, 5);
  Root.WindowMouseLeave();
  EXPECT_EQ(Events, (std::vector<std::string>{"enter", "exit", "enter", "exit"}));
}

}  // namespace
