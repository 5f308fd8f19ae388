// TComponent: owners destroy what they own, in any order, and removal notices reach listeners.
#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Log;

class TProbe : public TComponent {
 public:
  TProbe(TComponent* Owner, std::string Label) : TComponent(Owner), FLabel(std::move(Label)) {}
  ~TProbe() override { Log.push_back("destroy " + FLabel); }
  TComponent* Watched = nullptr;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override {
    if (Operation == TOperation::opRemove && Component == Watched) {
      Log.push_back(FLabel + " forgets");
      Watched = nullptr;
    }
  }
  void Loaded() override { Log.push_back(FLabel + " loaded"); }

 private:
  std::string FLabel;
};

TEST(ComponentTest, OwnerDestroysOwnedLastFirst) {
  Log.clear();
  auto* Owner = new TProbe(nullptr, "owner");
  new TProbe(Owner, "a");
  auto* B = new TProbe(Owner, "b");
  new TProbe(B, "b1");
  EXPECT_EQ(Owner->ComponentCount(), 2);
  EXPECT_EQ(B->Owner(), Owner);
  delete Owner;
  EXPECT_EQ(Log,
            (std::vector<std::string>{"destroy owner", "destroy b", "destroy b1", "destroy a"}));
}

TEST(ComponentTest, DeletingAnOwnedComponentLeavesItsOwner) {
  Log.clear();
  TProbe Owner(nullptr, "owner");
  auto* A = new TProbe(&Owner, "a");
  delete A;
  EXPECT_EQ(Owner.ComponentCount(), 0);
}

TEST(ComponentTest, FreeNotificationWorksInBothDirections) {
  Log.clear();
  auto* Holder = new TProbe(nullptr, "holder");
  auto* Held = new TProbe(nullptr, "held");
  Holder->Watched = Held;
  Held->FreeNotification(Holder);
  delete Held;
  EXPECT_EQ(Holder->Watched, nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy held", "holder forgets"}));
  // The other way round: the listener goes first and the held one must not call it later.
  // Holder watches Other, so that a notice sent to it after it was gone would show in the log.
  auto* Other = new TProbe(nullptr, "other");
  Other->FreeNotification(Holder);
  Holder->Watched = Other;
  Log.clear();
  delete Holder;
  delete Other;
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy holder", "destroy other"}));
}

TEST(ComponentTest, SiblingsHearOfRemovals) {
  Log.clear();
  TProbe Owner(nullptr, "owner");
  auto* Link = new TProbe(&Owner, "link");
  auto* Target = new TProbe(&Owner, "target");
  Link->Watched = Target;
  delete Target;
  EXPECT_EQ(Link->Watched, nullptr);
}

TEST(ComponentTest, LoadingEndsWithLoaded) {
  Log.clear();
  TProbe Probe(nullptr, "p");
  Probe.BeginLoading();
  EXPECT_TRUE(Probe.Loading());
  Probe.EndLoading();
  EXPECT_FALSE(Probe.Loading());
  EXPECT_EQ(Log, (std::vector<std::string>{"p loaded"}));
}

}  // namespace
