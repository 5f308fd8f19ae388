// Change links: which operations tell them, in what order, under the update flag, and safe
// destruction of list, links and a panel holding a link in every order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/core/KitChangeLink.h"
#include "controls/panel/KitBitmapList.h"

namespace {

// Records every notification as "<who>" in one shared log.
class TLinkTest : public ::testing::Test {
 protected:
  TKitChangeLink& NewLink(const std::string& Label) {
    Links.push_back(std::make_unique<TKitChangeLink>());
    TKitChangeLink& Link = *Links.back();
    Link.OnChange = [this, Label, &Link](TObject* Sender) {
      EXPECT_EQ(Sender, Link.Sender());
      Log.push_back(Label);
    };
    return Link;
  }
  int Count(const std::string& Label) const {
    return static_cast<int>(std::count(Log.begin(), Log.end(), Label));
  }

  TKitBitmapList List{nullptr};
  std::vector<std::unique_ptr<TKitChangeLink>> Links;
  std::vector<std::string> Log;
};

TEST_F(TLinkTest, EveryCollectionChangeTellsLinksInRegistrationOrderThenOnChange) {
  List.RegisterChanges(&NewLink("a"));
  List.RegisterChanges(&NewLink("b"));
  List.OnChange = [this](TObject* Sender) {
    EXPECT_EQ(Sender, &List);
    Log.push_back("list");
  };
  List.Add();
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "b", "list"}));
  List.Insert(0);
  List.Move(0, 1);
  List.Delete(0);
  List.Clear();
  TKitBitmapList Other(nullptr);
  Other.Add();
  Other.Add();
  List.AddList(Other);
  List.SetSource(TKitContainerSource::sdFile);
  List.SetPathPrefix(TKitPathPrefix::ppFixed);
  EXPECT_EQ(Count("a"), 8);
  EXPECT_EQ(Count("b"), 8);
  EXPECT_EQ(Count("list"), 8);
}

TEST_F(TLinkTest, UnchangedSettingsAndEqualMovesTellNobody) {
  List.RegisterChanges(&NewLink("a"));
  List.Add();
  Log.clear();
  List.Move(0, 0);
  List.Move(5, 5);
  List.SetSource(TKitContainerSource::sdComponent);
  List.SetPathPrefix(TKitPathPrefix::ppProgram);
  EXPECT_TRUE(Log.empty());
}

TEST_F(TLinkTest, LinksHearChangesWhileTheUpdateFlagHoldsOnChangeBack) {
  List.RegisterChanges(&NewLink("a"));
  List.OnChange = [this](TObject*) { Log.push_back("list"); };
  List.BeginUpdate();
  List.Add();
  List.Add();
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "a"}));
  // One Boolean, not a counter: a nested bracket ends at the first EndUpdate.
  List.BeginUpdate();
  List.EndUpdate(false);
  EXPECT_FALSE(List.Updating());
  List.BeginUpdate();
  List.EndUpdate(true);
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "a", "a", "list"}));
}

TEST_F(TLinkTest, AssignTellsLinksOfEachStepAndOnChangeOnce) {
  TKitBitmapList Source(nullptr);
  Source.Add();
  List.Add();
  List.RegisterChanges(&NewLink("a"));
  List.OnChange = [this](TObject*) { Log.push_back("list"); };
  List.Assign(Source);
  // Clear, AddList and the closing Change.
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "a", "a", "list"}));
  EXPECT_FALSE(List.Updating());
}

TEST_F(TLinkTest, ItemChangesReachTheContainersOnChangeButNoLink) {
  List.RegisterChanges(&NewLink("a"));
  auto* Item = static_cast<TKitBitmapListItem*>(List.GetItem(List.Add()));
  std::vector<TObject*> Senders;
  List.OnChange = [&](TObject* Sender) { Senders.push_back(Sender); };
  Item->OnChange = [&](TObject*) { Log.push_back("item"); };
  Log.clear();
  Item->SetDescription("sky");
  Item->SetIdent(3);
  Item->SetIdent(3);
  EXPECT_EQ(Log, (std::vector<std::string>{"item", "item"}));
  EXPECT_EQ(Senders, (std::vector<TObject*>{Item, Item}));
  // The item's own flag holds back only its own callback, and the list's flag nothing.
  Item->BeginUpdate();
  List.BeginUpdate();
  Item->SetCompressed(true);
  EXPECT_EQ(Log.size(), 2u);
  EXPECT_EQ(Senders.size(), 3u);
}

TEST_F(TLinkTest, LoadingABitmapIntoAnItemTellsNobody) {
  List.RegisterChanges(&NewLink("a"));
  List.Add();
  Log.clear();
  List.GetArrayItem(0)->GetBitmap().SetSize(4, 4);
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(List.IsValidItem(0, 0));
}

TEST_F(TLinkTest, RegisteringSetsTheSenderAndUnregisteringClearsIt) {
  TKitChangeLink& A = NewLink("a");
  List.RegisterChanges(&A);
  EXPECT_EQ(A.Sender(), &List);
  TKitChangeLink& Stranger = NewLink("stranger");
  List.UnRegisterChanges(&Stranger);
  List.UnRegisterChanges(nullptr);
  EXPECT_EQ(A.Sender(), &List);
  List.UnRegisterChanges(&A);
  EXPECT_EQ(A.Sender(), nullptr);
  List.Add();
  EXPECT_TRUE(Log.empty());
}

TEST_F(TLinkTest, ALinkIsInOneRegistryOnce) {
  TKitChangeLink& A = NewLink("a");
  List.RegisterChanges(&A);
  List.RegisterChanges(&A);
  List.Add();
  EXPECT_EQ(Count("a"), 1);
  TKitBitmapList Other(nullptr);
  Other.RegisterChanges(&A);
  EXPECT_EQ(A.Sender(), &Other);
  List.Add();
  Other.Add();
  EXPECT_EQ(Count("a"), 2);
}

TEST_F(TLinkTest, AHandlerMayUnregisterOrDestroyOtherLinks) {
  TKitChangeLink& A = NewLink("a");
  auto B = std::make_unique<TKitChangeLink>();
  TKitChangeLink& C = NewLink("c");
  A.OnChange = [&](TObject*) {
    Log.push_back("a");
    B.reset();
    List.UnRegisterChanges(&A);
  };
  B->OnChange = [&](TObject*) { Log.push_back("b"); };
  List.RegisterChanges(&A);
  List.RegisterChanges(B.get());
  List.RegisterChanges(&C);
  List.Add();
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(A.Sender(), nullptr);
}

// Holds a link like the background panel does: registered with a list it also asks to hear of
// the removal of, answering the removal notice by unregistering through the link.
class TLinkedPanel : public TComponent {
 public:
  explicit TLinkedPanel(TComponent* Owner) : TComponent(Owner) {
    FLink.OnChange = [this](TObject*) { ++Changes; };
  }
  void SetImageList(TKitBitmapList* List) {
    if (TKitBaseContainer* Old = FLink.Sender()) Old->UnRegisterChanges(&FLink);
    if (FImageList) RemoveFreeNotification(FImageList);
    FImageList = List;
    if (List) {
      List->RegisterChanges(&FLink);
      List->FreeNotification(this);
    }
  }
  TKitBitmapList* ImageList() const { return FImageList; }
  const TKitChangeLink& Link() const { return FLink; }
  int Changes = 0;
  int Notices = 0;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override {
    TComponent::Notification(Component, Operation);
    if (Operation == TOperation::opRemove && Component == FImageList) {
      // The dying list has let go of the link already, so it is not called again.
      EXPECT_EQ(FLink.Sender(), nullptr);
      ++Notices;
      FImageList = nullptr;
      SetImageList(nullptr);
    }
  }

 private:
  TKitChangeLink FLink;
  TKitBitmapList* FImageList = nullptr;
};

// Destroys a list, a free link and a panel in the order given (0 list, 1 link, 2 panel); the
// survivors are checked and the list, while it lives, keeps changing.
void DestroyInOrder(const std::array<int, 3>& Order) {
  auto* List = new TKitBitmapList(nullptr);
  auto* Link = new TKitChangeLink;
  auto* Panel = new TLinkedPanel(nullptr);
  int LinkChanges = 0;
  Link->OnChange = [&](TObject*) { ++LinkChanges; };
  List->RegisterChanges(Link);
  Panel->SetImageList(List);
  List->Add();
  int ExpectedLink = 1, ExpectedPanel = 1;
  bool ListGone = false, LinkGone = false, PanelGone = false;
  for (int Which : Order) {
    if (Which == 0) {
      delete List;
      ListGone = true;
      if (!LinkGone) {
        EXPECT_EQ(Link->Sender(), nullptr);
      }
      if (!PanelGone) {
        EXPECT_EQ(Panel->Notices, 1);
        EXPECT_EQ(Panel->ImageList(), nullptr);
        EXPECT_EQ(Panel->Link().Sender(), nullptr);
      }
      continue;
    }
    if (Which == 1) {
      delete Link;
      LinkGone = true;
    } else {
      EXPECT_EQ(Panel->Changes, ExpectedPanel);
      delete Panel;
      PanelGone = true;
    }
    if (!ListGone) {
      List->Add();
      if (!LinkGone) ++ExpectedLink;
      if (!PanelGone) ++ExpectedPanel;
    }
    if (!LinkGone) {
      EXPECT_EQ(LinkChanges, ExpectedLink);
    }
    if (!PanelGone) {
      EXPECT_EQ(Panel->Changes, ExpectedPanel);
    }
  }
}

TEST(ChangeLinkDestructionTest, ListLinkAndPanelMayGoInAnyOrder) {
  std::array<int, 3> Order = {0, 1, 2};
  int Orders = 0;
  do {
    SCOPED_TRACE(std::to_string(Order[0]) + std::to_string(Order[1]) + std::to_string(Order[2]));
    DestroyInOrder(Order);
    ++Orders;
  } while (std::next_permutation(Order.begin(), Order.end()));
  EXPECT_EQ(Orders, 6);
}

TEST(ChangeLinkDestructionTest, ALinkOutlivingItsListIsNotToldOfLaterLists) {
  TKitChangeLink Link;
  int Changes = 0;
  Link.OnChange = [&](TObject*) { ++Changes; };
  {
    TKitBitmapList List(nullptr);
    List.RegisterChanges(&Link);
  }
  EXPECT_EQ(Link.Sender(), nullptr);
  TKitBitmapList Next(nullptr);
  Next.Add();
  EXPECT_EQ(Changes, 0);
}

// A window owning both, destroyed as a whole: its components go last-created first, so the
// creation order decides which of the two goes first.
TEST(ChangeLinkDestructionTest, AnOwnerDestroysListAndPanelInEitherOrder) {
  for (bool PanelFirst : {true, false}) {
    SCOPED_TRACE(PanelFirst ? "panel created first" : "list created first");
    auto* Form = new TComponent(nullptr);
    TLinkedPanel* Panel = PanelFirst ? new TLinkedPanel(Form) : nullptr;
    auto* List = new TKitBitmapList(Form);
    if (!Panel) Panel = new TLinkedPanel(Form);
    Panel->SetImageList(List);
    List->Add();
    EXPECT_EQ(Panel->Changes, 1);
    EXPECT_EQ(Form->ComponentCount(), 2);
    delete Form;
  }
}

}  // namespace
