// Background panels, bitmap lists and their change links destroyed in every order: no panel is
// told of a list that is gone, no list calls a panel that is gone.
#include <gtest/gtest.h>

#include <memory>

#include "controls/core/KitChangeLink.h"
#include "controls/panel/KitBackPanel.h"
#include "controls/panel/KitBitmapList.h"
#include "framework/Form.h"
#include "framework/WinControl.h"

namespace {

// A windowless child that counts the background-changed notices.
class TNoticeCounter : public TControl, public TKitBackgroundClient {
 public:
  using TControl::TControl;
  void BackgroundChanged() override { ++Notices; }
  int Notices = 0;
};

void AddPicture(TKitBitmapList& List) {
  auto* Item = new TKitBitmapListItem(&List);
  Item->GetBitmap().SetSize(8, 8);
  List.Add(Item);
}

TEST(BackPanelLifetime, ListDestroyedFirstLeavesThePanelWithoutAPicture) {
  TForm Root(nullptr);
  Root.SetBounds(0, 0, 50, 50);
  auto Panel = std::make_unique<TKitBackPanel>(nullptr);
  Panel->SetParent(&Root);
  auto* Counter = new TNoticeCounter(Panel.get());
  Counter->SetParent(Panel.get());
  auto List = std::make_unique<TKitBitmapList>(nullptr);
  Panel->SetImageList(List.get());
  AddPicture(*List);
  ASSERT_TRUE(Panel->BackBitmapCheck());
  const int Notices = Counter->Notices;

  List.reset();
  EXPECT_EQ(Panel->ImageList(), nullptr);
  EXPECT_FALSE(Panel->BackBitmapCheck());
  EXPECT_EQ(Counter->Notices, Notices + 1);
  Root.UpdateWindow();
  Panel->SetBounds(0, 0, 30, 30);
  Root.UpdateWindow();
}

TEST(BackPanelLifetime, PanelDestroyedFirstIsNoLongerCalledByTheList) {
  TKitBitmapList List(nullptr);
  auto Panel = std::make_unique<TKitBackPanel>(nullptr);
  Panel->SetImageList(&List);
  // A link registered after the panel's: the panel's going must leave the rest of the registry.
  TKitChangeLink Later;
  int Changes = 0;
  Later.OnChange = [&Changes](TObject*) { ++Changes; };
  List.RegisterChanges(&Later);
  AddPicture(List);
  const int PerPicture = Changes;
  EXPECT_GT(PerPicture, 0);
  Panel.reset();
  AddPicture(List);
  EXPECT_EQ(Changes, 2 * PerPicture);
  List.Clear();
  EXPECT_EQ(Changes, 2 * PerPicture + 1);
  EXPECT_EQ(Later.Sender(), &List);
}

TEST(BackPanelLifetime, RelinkingLeavesTheOldList) {
  TKitBitmapList First(nullptr);
  auto Second = std::make_unique<TKitBitmapList>(nullptr);
  TKitBackPanel Panel(nullptr);
  auto* Counter = new TNoticeCounter(&Panel);
  Counter->SetParent(&Panel);
  Panel.SetImageList(&First);
  Panel.SetImageList(Second.get());
  const int Notices = Counter->Notices;
  AddPicture(First);
  EXPECT_EQ(Counter->Notices, Notices);
  EXPECT_FALSE(Panel.BackBitmapCheck());
  AddPicture(*Second);
  EXPECT_EQ(Counter->Notices, Notices + 1);
  EXPECT_TRUE(Panel.BackBitmapCheck());
  Second.reset();
  EXPECT_EQ(Panel.ImageList(), nullptr);
}

TEST(BackPanelLifetime, TwoPanelsOnOneListGoIndependently) {
  TKitBitmapList List(nullptr);
  auto First = std::make_unique<TKitBackPanel>(nullptr);
  TKitBackPanel Second(nullptr);
  First->SetImageList(&List);
  Second.SetImageList(&List);
  First.reset();
  AddPicture(List);
  EXPECT_TRUE(Second.BackBitmapCheck());
}

TEST(BackPanelLifetime, APanelMayOwnItsList) {
  auto Panel = std::make_unique<TKitBackPanel>(nullptr);
  auto* List = new TKitBitmapList(Panel.get());
  Panel->SetImageList(List);
  AddPicture(*List);
  EXPECT_TRUE(Panel->BackBitmapCheck());
  Panel.reset();
}

// The window owns list, panel and buttons, as the menu window does; the owner destroys them
// last created first, so both orders of list and panel are tried.
class OwnerOrder : public testing::TestWithParam<bool> {};

TEST_P(OwnerOrder, OwnerDestroysListPanelAndChildren) {
  const bool ListFirst = GetParam();
  auto Root = std::make_unique<TForm>(nullptr);
  Root->SetBounds(0, 0, 40, 40);
  TKitBitmapList* List = ListFirst ? new TKitBitmapList(Root.get()) : nullptr;
  auto* Panel = new TKitBackPanel(Root.get());
  if (!ListFirst) List = new TKitBitmapList(Root.get());
  Panel->SetParent(Root.get());
  Panel->SetAlign(TAlign::alClient);
  Panel->SetImageList(List);
  auto* Counter = new TNoticeCounter(Root.get());
  Counter->SetParent(Panel);
  auto* Inner = new TKitBackPanel(Root.get());
  Inner->SetParent(Panel);
  Inner->SetTransparent(true);
  // A link of the test's own, which the list must let go of when the owner destroys it.
  TKitChangeLink Outside;
  List->RegisterChanges(&Outside);
  AddPicture(*List);
  ASSERT_TRUE(Panel->BackBitmapCheck());
  EXPECT_GT(Counter->Notices, 0);
  Root->UpdateWindow();
  Root.reset();
  EXPECT_EQ(Outside.Sender(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BackPanelLifetime, OwnerOrder, testing::Bool());

}  // namespace
