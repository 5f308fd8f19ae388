// TKitCustomContainer: the collection's operations, their bounds errors and notifications.
#include "controls/panel/KitCustomContainer.h"

#include <algorithm>

TKitCustomContainer::~TKitCustomContainer() {
  std::vector<TKitListItem*> Items;
  Items.swap(FItems);
  for (TKitListItem* Item : Items) {
    Item->FContainer = nullptr;
    if (!Item->Owner()) delete Item;
  }
}

void TKitCustomContainer::SetPathPrefix(TKitPathPrefix Value) {
  if (Value == FPathPrefix) return;
  FPathPrefix = Value;
  Change();
}

void TKitCustomContainer::SetSource(TKitContainerSource Value) {
  if (Value == FSource) return;
  FSource = Value;
  Change();
}

void TKitCustomContainer::CheckIndex(int Index, int Limit) {
  if (Index < 0 || Index >= Limit)
    throw EKitContainerError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TKitCustomContainer::Place(int Index, TKitListItem* Item) {
  if (Item) {
    if (Item->FContainer) throw EKitContainerError("Item is already in a list");
    if (!ItemFits(*Item))
      throw EKitContainerError(std::string("A ") + Item->ClassName() + " does not fit a " +
                               ClassName());
  } else {
    Item = CreateItem();
  }
  FItems.insert(FItems.begin() + Index, Item);
  Item->FContainer = this;
  return Index;
}

int TKitCustomContainer::Add(TKitListItem* Item) {
  const int Index = Place(GetCount(), Item);
  Change();
  return Index;
}

int TKitCustomContainer::Insert(int Index, TKitListItem* Item) {
  CheckIndex(Index, GetCount() + 1);
  Place(Index, Item);
  Change();
  return Index;
}

void TKitCustomContainer::Destroy(int Index) {
  TKitListItem* Item = FItems[static_cast<std::size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
  Item->FContainer = nullptr;
  delete Item;
}

void TKitCustomContainer::Delete(int Index) {
  CheckIndex(Index, GetCount());
  Destroy(Index);
  Change();
}

void TKitCustomContainer::Clear() {
  while (!FItems.empty()) Destroy(GetCount() - 1);
  Change();
}

void TKitCustomContainer::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex, GetCount());
  CheckIndex(NewIndex, GetCount());
  TKitListItem* Item = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, Item);
  Change();
}

void TKitCustomContainer::AddList(const TKitCustomContainer& Source) {
  // Counted first, so that adding a container to itself copies each item once.
  const int Count = Source.GetCount();
  for (int I = 0; I < Count; ++I) {
    TKitListItem* Item = FItems[static_cast<std::size_t>(Place(GetCount(), nullptr))];
    Item->Assign(*Source.GetItem(I));
  }
  Change();
}

int TKitCustomContainer::IndexOf(const TKitListItem* Item) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

TKitListItem* TKitCustomContainer::GetItem(int Index) const {
  CheckIndex(Index, GetCount());
  return FItems[static_cast<std::size_t>(Index)];
}

TKitListItem* TKitCustomContainer::GetItemByName(const std::string& ItemName) const {
  auto Found = std::find_if(FItems.begin(), FItems.end(), [&](const TKitListItem* Item) {
    return Item->Description() == ItemName;
  });
  return Found == FItems.end() ? nullptr : *Found;
}

void TKitCustomContainer::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TKitCustomContainer*>(&Source);
  if (!Other || !AssignableFrom(*Other)) {
    TKitBaseContainer::Assign(Source);
    return;
  }
  if (Other == this) return;
  BeginUpdate();
  try {
    Clear();
    AssignDefaults(*Other);
    AddList(*Other);
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  EndUpdate(true);
}

void TKitCustomContainer::AssignDefaults(const TKitCustomContainer& Source) {
  FDefaultCompressed = Source.FDefaultCompressed;
}

void TKitCustomContainer::Forget(TKitListItem* Item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
}
