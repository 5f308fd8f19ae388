// TKitCustomContainer: an ordered collection of list items, with the operations that change it
// and tell the change links.
#pragma once

#include <string>
#include <vector>

#include "controls/core/KitBaseContainer.h"
#include "controls/panel/KitListItem.h"
#include "controls/panel/KitListTypes.h"
#include "core/Exception.h"

// A misuse of a container's collection: an index outside it, or an item that does not fit.
class EKitContainerError : public Exception {
 public:
  using Exception::Exception;
};

class TKitCustomContainer : public TKitBaseContainer {
 public:
  explicit TKitCustomContainer(TComponent* Owner) : TKitBaseContainer(Owner) {}
  // Empties the collection without notifying. Items owned by the container are destroyed with
  // it as components; items added without an owner are destroyed here; items owned by another
  // component stay with it.
  ~TKitCustomContainer() override;
  const char* ClassName() const override { return "TKitCustomContainer"; }

  // Stored with the container and copied by Assign; nothing else reads it.
  bool DefaultCompressed() const { return FDefaultCompressed; }
  void SetDefaultCompressed(bool Value) { FDefaultCompressed = Value; }
  TKitPathPrefix PathPrefix() const { return FPathPrefix; }
  void SetPathPrefix(TKitPathPrefix Value);
  TKitContainerSource Source() const { return FSource; }
  void SetSource(TKitContainerSource Value);
  TKitListItemClassType ListType() const { return FListType; }

  // Appends Item, or, when Item is none, a new item of the container's item class owned by the
  // container; then Change. Returns the new index. Raises EKitContainerError for an item that
  // is in a collection already or is not of the item class.
  int Add(TKitListItem* Item = nullptr);
  // As Add, at Index (0 to GetCount).
  int Insert(int Index, TKitListItem* Item = nullptr);
  // Destroys and removes the item at Index, then Change.
  void Delete(int Index);
  // Destroys every item, then Change.
  void Clear();
  // Moves an item; nothing, not even the index check, when both indexes are equal.
  void Move(int CurIndex, int NewIndex);
  // Appends a copy of each of Source's items, made by the new item's Assign, then one Change.
  void AddList(const TKitCustomContainer& Source);
  int IndexOf(const TKitListItem* Item) const;
  virtual int GetCount() const { return static_cast<int>(FItems.size()); }
  virtual bool GetEmpty() const { return FItems.empty(); }
  // Raises EKitContainerError "List index out of bounds (<Index>)" outside the collection.
  virtual TKitListItem* GetItem(int Index) const;
  // The first item whose description equals ItemName exactly, or none.
  TKitListItem* GetItemByName(const std::string& ItemName) const;

  // From a container of this container's class, or of one derived from it: its items and
  // stored defaults replace these, with links told of each step and OnChange called once.
  void Assign(const TPersistent& Source) override;

 protected:
  // A new, empty item of the item class, owned by this container.
  virtual TKitListItem* CreateItem() = 0;
  // Whether Item is of the item class.
  virtual bool ItemFits(const TKitListItem& Item) const = 0;
  // Whether Source is of this container's class or of one derived from it.
  virtual bool AssignableFrom(const TKitCustomContainer& Source) const = 0;
  // Copies the defaults stored with the container.
  virtual void AssignDefaults(const TKitCustomContainer& Source);
  void SetListType(TKitListItemClassType Value) { FListType = Value; }
  // Raises the bounds error unless 0 <= Index < Limit.
  static void CheckIndex(int Index, int Limit);

 private:
  friend class TKitListItem;
  // Takes a destroyed item out of the collection, silently: it may be going while its owner,
  // and whatever listens to this container, are being destroyed.
  void Forget(TKitListItem* Item);
  // Adds Item at Index; when Item is none, creates one.
  int Place(int Index, TKitListItem* Item);
  // Takes the item at Index out of the collection and destroys it.
  void Destroy(int Index);

  std::vector<TKitListItem*> FItems;
  bool FDefaultCompressed = false;
  TKitPathPrefix FPathPrefix = TKitPathPrefix::ppProgram;
  TKitContainerSource FSource = TKitContainerSource::sdComponent;
  TKitListItemClassType FListType = TKitListItemClassType::icInvalid;
};
