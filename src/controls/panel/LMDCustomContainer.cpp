// TLMDCustomContainer: the collection's operations, their bounds errors and notifications.
#include "controls/panel/LMDCustomContainer.h"

#include <algorithm>

TLMDCustomContainer::~TLMDCustomContainer() {
  std::vector<TLMDListItem*> Items;
  Items.swap(FItems);
  for (TLMDListItem* Item : Items) {
    Item->FContainer = nullptr;
    if (!Item->Owner()) delete Item;
  }
}

void TLMDCustomContainer::SetPathPrefix(TLMDPathPrefix Value) {
  if (Value == FPathPrefix) return;
  FPathPrefix = Value;
  Change();
}

void TLMDCustomContainer::SetSource(TLMDContainerSource Value) {
  if (Value == FSource) return;
  FSource = Value;
  Change();
}

void TLMDCustomContainer::CheckIndex(int Index, int Limit) {
  if (Index < 0 || Index >= Limit)
    throw ELMDContainerError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TLMDCustomContainer::Place(int Index, TLMDListItem* Item) {
  if (Item) {
    if (Item->FContainer) throw ELMDContainerError("Item is already in a list");
    if (!ItemFits(*Item))
      throw ELMDContainerError(std::string("A ") + Item->ClassName() + " does not fit a " +
                               ClassName());
  } else {
    Item = CreateItem();
  }
  FItems.insert(FItems.begin() + Index, Item);
  Item->FContainer = this;
  return Index;
}

int TLMDCustomContainer::Add(TLMDListItem* Item) {
  const int Index = Place(GetCount(), Item);
  Change();
  return Index;
}

int TLMDCustomContainer::Insert(int Index, TLMDListItem* Item) {
  CheckIndex(Index, GetCount() + 1);
  Place(Index, Item);
  Change();
  return Index;
}

void TLMDCustomContainer::Destroy(int Index) {
  TLMDListItem* Item = FItems[static_cast<std::size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
  Item->FContainer = nullptr;
  delete Item;
}

void TLMDCustomContainer::Delete(int Index) {
  CheckIndex(Index, GetCount());
  Destroy(Index);
  Change();
}

void TLMDCustomContainer::Clear() {
  while (!FItems.empty()) Destroy(GetCount() - 1);
  Change();
}

void TLMDCustomContainer::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex, GetCount());
  CheckIndex(NewIndex, GetCount());
  TLMDListItem* Item = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, Item);
  Change();
}

void TLMDCustomContainer::AddList(const TLMDCustomContainer& Source) {
  // Counted first, so that adding a container to itself copies each item once.
  const int Count = Source.GetCount();
  for (int I = 0; I < Count; ++I) {
    TLMDListItem* Item = FItems[static_cast<std::size_t>(Place(GetCount(), nullptr))];
    Item->Assign(*Source.GetItem(I));
  }
  Change();
}

int TLMDCustomContainer::IndexOf(const TLMDListItem* Item) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

TLMDListItem* TLMDCustomContainer::GetItem(int Index) const {
  CheckIndex(Index, GetCount());
  return FItems[static_cast<std::size_t>(Index)];
}

TLMDListItem* TLMDCustomContainer::GetItemByName(const std::string& ItemName) const {
  auto Found = std::find_if(FItems.begin(), FItems.end(), [&](const TLMDListItem* Item) {
    return Item->Description() == ItemName;
  });
  return Found == FItems.end() ? nullptr : *Found;
}

void TLMDCustomContainer::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TLMDCustomContainer*>(&Source);
  if (!Other || !AssignableFrom(*Other)) {
    TLMDBaseContainer::Assign(Source);
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

void TLMDCustomContainer::AssignDefaults(const TLMDCustomContainer& Source) {
  FDefaultCompressed = Source.FDefaultCompressed;
}

void TLMDCustomContainer::Forget(TLMDListItem* Item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
}
