// TKitListItem: one item of a container, with a description, an ident and the compression flag
// of its stored form.
#pragma once

#include <cstdint>
#include <string>

#include "controls/core/KitCustomComponent.h"
#include "controls/panel/KitStoreStream.h"

class TKitCustomContainer;

class TKitListItem : public TKitCustomComponent {
 public:
  explicit TKitListItem(TComponent* Owner) : TKitCustomComponent(Owner) {}
  // Leaves the collection it is in, so that no container holds a destroyed item.
  ~TKitListItem() override;
  const char* ClassName() const override { return "TKitListItem"; }

  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& Value);
  std::uint16_t Ident() const { return FIdent; }
  void SetIdent(std::uint16_t Value);
  // Whether the item's data are stored compressed.
  bool Compressed() const { return FCompressed; }
  void SetCompressed(bool Value);

  // The position in the owner's collection, or -1 when the owner is not a container.
  int GetIndex() const;

  // Calls the item's own OnChange unless its update flag is set, then the owning container's
  // OnChange with the item as sender, whatever the container's flag. Change links are not told.
  void Change() override;

  // Drops the item's data.
  virtual void FreeData() = 0;
  // True when the item holds no data.
  virtual bool GetEmpty() const = 0;
  // The stored form: a flags byte (WriteFlag), then the fields it announces.
  virtual void ReadData(TKitStoreReader& Stream) = 0;
  virtual void WriteData(TKitStoreWriter& Stream) const = 0;
  virtual std::uint8_t WriteFlag() const = 0;

 protected:
  // An item read from a stored description, owned by a container, joins its collection.
  void Loaded() override;

  std::string FDescription;
  std::uint16_t FIdent = 0;
  bool FCompressed = false;

 private:
  friend class TKitCustomContainer;
  // The container whose collection holds this item, or none.
  TKitCustomContainer* FContainer = nullptr;
};
