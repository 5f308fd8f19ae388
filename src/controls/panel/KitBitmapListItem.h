// TKitBitmapListItem: a list item holding one bitmap, stored with an optional reduced pixel
// format and optional compression.
#pragma once

#include <cstdint>

#include "controls/panel/KitListItem.h"
#include "controls/panel/KitListTypes.h"
#include "framework/Bitmap.h"

class TKitBitmapListItem : public TKitListItem {
 public:
  explicit TKitBitmapListItem(TComponent* Owner) : TKitListItem(Owner) {}
  const char* ClassName() const override { return "TKitBitmapListItem"; }

  // The item's own bitmap. Loading into it notifies nobody.
  TBitmap& GetBitmap() { return FBitmap; }
  const TBitmap& GetBitmap() const { return FBitmap; }
  // Copies Value into the item's bitmap, then Change.
  void SetBitmap(const TBitmap& Value);
  TKitSavePixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TKitSavePixelFormat Value);

  // From another bitmap list item: its compression flag, description, ident, pixel format and
  // a copy of its bitmap, without notifying.
  void Assign(const TPersistent& Source) override;

  void FreeData() override;
  bool GetEmpty() const override { return FBitmap.Empty(); }
  // Raises EKitStoreError for truncated or inconsistent data and EInvalidGraphic for bitmap
  // bytes that are no picture; the item is unchanged then.
  void ReadData(TKitStoreReader& Stream) override;
  // A description longer than 255 characters is stored cut to its first 255.
  void WriteData(TKitStoreWriter& Stream) const override;
  std::uint8_t WriteFlag() const override;

 private:
  TBitmap FBitmap;
  TKitSavePixelFormat FPixelFormat = TKitSavePixelFormat::spfDefault;
};
