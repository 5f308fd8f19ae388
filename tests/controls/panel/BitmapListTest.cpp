// The bitmap list's collection: adding, inserting, deleting, moving, copying and assigning
// items, ownership and destruction, and the bounded queries with their bounds errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/panel/KitBitmapList.h"
#include "core/Exception.h"

namespace {

std::vector<std::string> Destroyed;

// A bitmap item that records its destruction by description.
class TProbeItem : public TKitBitmapListItem {
 public:
  TProbeItem(TComponent* Owner, const std::string& Label) : TKitBitmapListItem(Owner) {
    FDescription = Label;
  }
  ~TProbeItem() override { Destroyed.push_back(Description()); }
};

// An item of another kind, which a bitmap list does not take.
class TForeignItem : public TKitListItem {
 public:
  TForeignItem() : TKitListItem(nullptr) {}
  void FreeData() override {}
  bool GetEmpty() const override { return true; }
  void ReadData(TKitStoreReader&) override {}
  void WriteData(TKitStoreWriter&) const override {}
  std::uint8_t WriteFlag() const override { return 0; }
};

// A bitmap of one colour, handed over as the item setters take it.
class TFilled : public TBitmap {
 public:
  TFilled(int Width, int Height, TPixel Pixel) : TBitmap(Width, Height) {
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X) SetPixel(X, Y, Pixel);
  }
};

std::vector<std::string> Descriptions(const TKitCustomContainer& List) {
  std::vector<std::string> Result;
  for (int I = 0; I < List.GetCount(); ++I) Result.push_back(List.GetItem(I)->Description());
  return Result;
}

std::string BoundsMessage(int Index) {
  return "List index out of bounds (" + std::to_string(Index) + ")";
}

// Runs Call and returns the message of the EKitContainerError it raises, or "" when none.
template <typename TCall>
std::string ContainerError(TCall Call) {
  try {
    Call();
  } catch (const EKitContainerError& Error) {
    return Error.Message();
  }
  return "";
}

class TBitmapListTest : public ::testing::Test {
 protected:
  void SetUp() override { Destroyed.clear(); }
  TProbeItem* AddProbe(const std::string& Label) {
    auto* Item = new TProbeItem(&List, Label);
    List.Add(Item);
    return Item;
  }
  TKitBitmapList List{nullptr};
};

TEST_F(TBitmapListTest, AnEmptyListAnswersTheBoundedQueriesWithTheirDefaults) {
  EXPECT_FALSE(List.IsValidItem(0, 0));
  EXPECT_EQ(List.ItemCount(0), 0);
  EXPECT_EQ(List.Palette(0), 0u);
  EXPECT_EQ(List.TransparentColor(0, 0), clWhite);
  EXPECT_EQ(List.GetColorAtPoint({0, 0}, 0, 0), clWhite);
  EXPECT_EQ(List.Dimensions(0, 0), 0);
  EXPECT_EQ(List.Dimensions(0, 1), 0);
  EXPECT_FALSE(List.Masked(0));
  EXPECT_TRUE(List.GetEmpty());
}

TEST_F(TBitmapListTest, NegativeIndexesRaiseTheBoundsErrorEvenInBoundedQueries) {
  List.Add();
  EXPECT_EQ(ContainerError([&] { List.IsValidItem(-1, 0); }), BoundsMessage(-1));
  EXPECT_EQ(ContainerError([&] { List.ItemCount(-2); }), BoundsMessage(-2));
  EXPECT_EQ(ContainerError([&] { List.Dimensions(-1, 0); }), BoundsMessage(-1));
  EXPECT_EQ(ContainerError([&] { List.Palette(-1); }), BoundsMessage(-1));
  EXPECT_EQ(ContainerError([&] { List.Masked(-1); }), BoundsMessage(-1));
  EXPECT_EQ(ContainerError([&] { List.TransparentColor(-1, 0); }), BoundsMessage(-1));
  EXPECT_EQ(ContainerError([&] { List.GetColorAtPoint({0, 0}, -1, 0); }), BoundsMessage(-1));
}

TEST_F(TBitmapListTest, UnboundedOperationsRaiseTheBoundsErrorPastTheEnd) {
  List.Add();
  TBitmap Target(2, 2);
  EXPECT_EQ(ContainerError([&] { List.BmpCanvas(1); }), BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] { List.ItemRect(1, 0); }), BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] { List.GetBitmapItem(3, 0, &Target); }), BoundsMessage(3));
  EXPECT_EQ(ContainerError([&] { List.Draw(Target.Canvas(), 0, 0, 1, 0); }), BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] {
              List.DrawExt(Target.Canvas(), {0, 0, 2, 2}, 0, 1, 0);
            }),
            BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] {
              List.ClipDraw(Target.Canvas(), {0, 0, 2, 2}, 0, 0, 0, 1, 0);
            }),
            BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] { List.GetItem(1); }), BoundsMessage(1));
  EXPECT_EQ(ContainerError([&] { List.GetArrayItem(-1); }), BoundsMessage(-1));
  // Nothing to copy into: nothing happens, not even the index check.
  EXPECT_EQ(ContainerError([&] { List.GetBitmapItem(3, 0, nullptr); }), "");
}

TEST_F(TBitmapListTest, AddWithoutAnItemCreatesABitmapItemOwnedByTheList) {
  const int Index = List.Add();
  EXPECT_EQ(Index, 0);
  TKitBitmapListItem* Item = List.GetArrayItem(0);
  EXPECT_STREQ(Item->ClassName(), "TKitBitmapListItem");
  EXPECT_EQ(Item->Owner(), &List);
  EXPECT_EQ(List.ComponentCount(), 1);
  EXPECT_EQ(Item->GetIndex(), 0);
  EXPECT_EQ(List.Add(), 1);
}

TEST_F(TBitmapListTest, AnItemIsValidOnlyOnceItsBitmapHoldsPixels) {
  auto* Item = new TKitBitmapListItem(&List);
  List.Add(Item);
  EXPECT_FALSE(List.IsValidItem(0, 0));
  EXPECT_EQ(List.ItemCount(0), 0);
  Item->GetBitmap().Assign(TFilled(30, 20, PixelOf(10, 20, 30)));
  EXPECT_TRUE(List.IsValidItem(0, 0));
  // The image index is ignored; the list index past the end is not.
  EXPECT_TRUE(List.IsValidItem(0, 5));
  EXPECT_FALSE(List.IsValidItem(1, 0));
  EXPECT_EQ(List.ItemCount(0), 1);
  EXPECT_EQ(List.Dimensions(0, 0), 30);
  EXPECT_EQ(List.Dimensions(0, 1), 20);
  EXPECT_EQ(List.Dimensions(0, 2), 0);
  EXPECT_EQ(List.ItemRect(0, 9), (TRect{0, 0, 30, 20}));
  EXPECT_EQ(&List.BmpCanvas(0), &Item->GetBitmap().Canvas());
}

TEST_F(TBitmapListTest, ColourQueriesReadTheBitmap) {
  TFilled Picture(4, 3, PixelOf(1, 2, 3));
  Picture.SetPixel(0, 2, PixelOf(0x11, 0x22, 0x33));
  Picture.SetPixel(3, 0, PixelOf(0xAA, 0xBB, 0xCC));
  List.Add();
  List.GetArrayItem(0)->SetBitmap(Picture);
  // Colours are red in the low byte.
  EXPECT_EQ(List.TransparentColor(0, 0), 0x332211);
  EXPECT_EQ(List.GetColorAtPoint({3, 0}, 0, 0), 0xCCBBAA);
  EXPECT_EQ(List.GetColorAtPoint({4, 0}, 0, 0), clNone);
  EXPECT_EQ(List.GetColorAtPoint({0, -1}, 0, 0), clNone);
  EXPECT_FALSE(List.Masked(0));
  TBitmap Copy;
  List.GetBitmapItem(0, 0, &Copy);
  EXPECT_EQ(Copy.Width(), 4);
  EXPECT_EQ(Copy.Pixel(3, 0), PixelOf(0xAA, 0xBB, 0xCC));
  Copy.SetPixel(0, 0, 0);
  EXPECT_EQ(List.GetArrayItem(0)->GetBitmap().Pixel(0, 0), PixelOf(1, 2, 3));
}

TEST_F(TBitmapListTest, InsertPlacesItemsAndChecksTheIndexFirst) {
  AddProbe("b");
  List.Insert(0, new TProbeItem(&List, "a"));
  List.Insert(2, new TProbeItem(&List, "c"));
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(ContainerError([&] { List.Insert(4); }), BoundsMessage(4));
  EXPECT_EQ(ContainerError([&] { List.Insert(-1); }), BoundsMessage(-1));
  // A refused insert created nothing.
  EXPECT_EQ(List.ComponentCount(), 3);
  EXPECT_EQ(List.Insert(1), 1);
  EXPECT_EQ(List.GetItem(1)->Description(), "");
}

TEST_F(TBitmapListTest, DeleteAndClearDestroyTheItemsTheyRemove) {
  AddProbe("a");
  AddProbe("b");
  AddProbe("c");
  List.Delete(1);
  EXPECT_EQ(Destroyed, (std::vector<std::string>{"b"}));
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(List.ComponentCount(), 2);
  EXPECT_EQ(ContainerError([&] { List.Delete(2); }), BoundsMessage(2));
  List.Clear();
  EXPECT_EQ(Destroyed.size(), 3u);
  EXPECT_EQ(List.GetCount(), 0);
  EXPECT_EQ(List.ComponentCount(), 0);
}

TEST_F(TBitmapListTest, MoveShiftsTheItemsBetween) {
  for (const char* Label : {"a", "b", "c", "d"}) AddProbe(Label);
  List.Move(0, 2);
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"b", "c", "a", "d"}));
  List.Move(3, 0);
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"d", "b", "c", "a"}));
  EXPECT_EQ(ContainerError([&] { List.Move(0, 4); }), BoundsMessage(4));
  EXPECT_EQ(ContainerError([&] { List.Move(-1, 0); }), BoundsMessage(-1));
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"d", "b", "c", "a"}));
}

TEST_F(TBitmapListTest, AddListAppendsIndependentCopiesOwnedByTheTarget) {
  TKitBitmapList Source(nullptr);
  auto* Original = new TKitBitmapListItem(&Source);
  Original->SetDescription("sky");
  Original->SetIdent(7);
  Original->SetCompressed(true);
  Original->SetPixelFormat(TKitSavePixelFormat::spf4bit);
  Original->SetBitmap(TFilled(2, 2, PixelOf(9, 9, 9)));
  Source.Add(Original);
  AddProbe("first");
  List.AddList(Source);
  ASSERT_EQ(List.GetCount(), 2);
  TKitBitmapListItem* Copy = List.GetArrayItem(1);
  EXPECT_NE(Copy, Original);
  EXPECT_EQ(Copy->Owner(), &List);
  EXPECT_EQ(Copy->Description(), "sky");
  EXPECT_EQ(Copy->Ident(), 7);
  EXPECT_TRUE(Copy->Compressed());
  EXPECT_EQ(Copy->PixelFormat(), TKitSavePixelFormat::spf4bit);
  Original->GetBitmap().SetPixel(0, 0, 0);
  EXPECT_EQ(Copy->GetBitmap().Pixel(0, 0), PixelOf(9, 9, 9));
  // A list added to itself copies each item once.
  List.AddList(List);
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"first", "sky", "first", "sky"}));
}

TEST_F(TBitmapListTest, AssignReplacesItemsAndStoredDefaults) {
  TKitBitmapList Source(nullptr);
  Source.SetDefaultCompressed(true);
  Source.SetDefaultPixelFormat(TKitSavePixelFormat::spfMono);
  Source.Add();
  Source.GetArrayItem(0)->SetDescription("copied");
  AddProbe("old");
  List.Assign(Source);
  EXPECT_EQ(Destroyed, (std::vector<std::string>{"old"}));
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"copied"}));
  EXPECT_TRUE(List.DefaultCompressed());
  EXPECT_EQ(List.DefaultPixelFormat(), TKitSavePixelFormat::spfMono);
  List.Assign(List);
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"copied"}));
}

TEST_F(TBitmapListTest, AssignFromAnythingElseIsTheFrameworksError) {
  TKitBitmapListItem Item(nullptr);
  try {
    List.Assign(Item);
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message(), "Cannot assign a TKitBitmapListItem to a TKitBitmapList");
  }
  try {
    Item.Assign(List);
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message(), "Cannot assign a TKitBitmapList to a TKitBitmapListItem");
  }
}

TEST_F(TBitmapListTest, TheListRefusesItemsOfOtherKindsOrInAListAlready) {
  TForeignItem Foreign;
  EXPECT_EQ(ContainerError([&] { List.Add(&Foreign); }),
            "A TKitListItem does not fit a TKitBitmapList");
  TKitListItem* Item = List.GetItem(List.Add());
  EXPECT_EQ(ContainerError([&] { List.Add(Item); }), "Item is already in a list");
  TKitBitmapList Other(nullptr);
  EXPECT_EQ(ContainerError([&] { Other.Insert(0, Item); }), "Item is already in a list");
  EXPECT_EQ(List.GetCount(), 1);
  EXPECT_EQ(Other.GetCount(), 0);
}

TEST_F(TBitmapListTest, LookupsByNameAndPosition) {
  AddProbe("Sky");
  AddProbe("sky");
  AddProbe("sky");
  EXPECT_EQ(List.GetItemByName("sky"), List.GetItem(1));
  EXPECT_EQ(List.GetArrayNameItem("Sky"), List.GetArrayItem(0));
  EXPECT_EQ(List.GetItemByName("SKY"), nullptr);
  EXPECT_EQ(List.IndexOf(List.GetItem(2)), 2);
  TKitBitmapListItem Loose(nullptr);
  EXPECT_EQ(List.IndexOf(&Loose), -1);
  EXPECT_EQ(Loose.GetIndex(), -1);
  // Owned by the list but not added: no position yet.
  auto* Pending = new TKitBitmapListItem(&List);
  EXPECT_EQ(Pending->GetIndex(), -1);
}

TEST_F(TBitmapListTest, GetBitmapAnswersForTheCurrentIndex) {
  List.Add();
  List.Add();
  List.GetArrayItem(1)->GetBitmap().SetSize(5, 6);
  EXPECT_TRUE(List.GetBitmap().Empty());
  List.SetCurrentIndex(1);
  EXPECT_EQ(List.GetBitmap().Width(), 5);
  List.SetCurrentIndex(2);
  EXPECT_EQ(ContainerError([&] { List.GetBitmap(); }), BoundsMessage(2));
}

TEST_F(TBitmapListTest, AnItemDestroyedFromOutsideLeavesTheCollection) {
  TProbeItem* B = nullptr;
  AddProbe("a");
  B = AddProbe("b");
  AddProbe("c");
  delete B;
  EXPECT_EQ(Descriptions(List), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(List.ComponentCount(), 2);
}

TEST_F(TBitmapListTest, ItemsReadFromADescriptionJoinTheirListWhenLoaded) {
  auto* Item = new TKitBitmapListItem(&List);
  Item->BeginLoading();
  EXPECT_EQ(List.GetCount(), 0);
  Item->EndLoading();
  EXPECT_EQ(List.GetCount(), 1);
  EXPECT_EQ(Item->GetIndex(), 0);
}

TEST(BitmapListLifetimeTest, DestroyingTheListDestroysOwnedAndOwnerlessItemsOnly) {
  Destroyed.clear();
  TComponent Keeper(nullptr);
  auto* Kept = new TProbeItem(&Keeper, "kept");
  {
    TKitBitmapList List(nullptr);
    List.Add(new TProbeItem(&List, "owned"));
    List.Add(new TProbeItem(nullptr, "ownerless"));
    List.Add(Kept);
    new TProbeItem(&List, "pending");
  }
  EXPECT_EQ(Destroyed.size(), 3u);
  EXPECT_EQ(std::count(Destroyed.begin(), Destroyed.end(), "kept"), 0);
  // The kept item is in no collection any more and can be added elsewhere.
  TKitBitmapList Next(nullptr);
  EXPECT_EQ(Next.Add(Kept), 0);
  delete Kept;
  EXPECT_EQ(Next.GetCount(), 0);
}

}  // namespace
