// TKitBitmapList: an image list whose items each hold one bitmap; the image index is ignored.
#pragma once

#include <string>

#include "controls/panel/KitBitmapListItem.h"
#include "controls/panel/KitCustomImageList.h"

class TKitBitmapList : public TKitCustomImageList {
 public:
  explicit TKitBitmapList(TComponent* Owner);
  const char* ClassName() const override { return "TKitBitmapList"; }

  TKitBitmapListItem* GetArrayItem(int Index) const;
  TKitBitmapListItem* GetArrayNameItem(const std::string& ItemName) const;
  // The bitmap of the item at the current index.
  TBitmap& GetBitmap() const;

  TCanvas& BmpCanvas(int ListIndex) override;
  TRect ItemRect(int ListIndex, int ImageIndex) const override;
  int Dimensions(int ListIndex, int Which) const override;
  int ItemCount(int ListIndex) const override;
  bool IsValidItem(int ListIndex, int ImageIndex) const override;
  void GetBitmapItem(int ListIndex, int ImageIndex, TBitmap* Target) const override;
  bool Masked(int ListIndex) const override;
  // Bitmaps here are true colour and carry no palette: always 0.
  TKitPaletteHandle Palette(int ListIndex) const override;
  // The colour of the bitmap's bottom-left pixel, the automatic transparent colour of a
  // bitmap; clNone for an empty one, white past the end of the list.
  TColor TransparentColor(int ListIndex, int ImageIndex) const override;
  // clNone outside the bitmap, white past the end of the list.
  TColor GetColorAtPoint(TPoint Point, int ListIndex, int ImageIndex) const override;
  void Draw(TCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) const override;
  TRect DrawExt(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags, int ListIndex,
                int ImageIndex) const override;
  void ClipDraw(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags, int Offset,
                TColor TransparentColor, int ListIndex, int ImageIndex) const override;

 protected:
  TKitListItem* CreateItem() override;
  bool ItemFits(const TKitListItem& Item) const override;
  bool AssignableFrom(const TKitCustomContainer& Source) const override;

 private:
  // The bitmap of the item at ListIndex; the bounds error outside the collection.
  TBitmap& BitmapAt(int ListIndex) const;
  // Whether a bounded query finds an item at ListIndex; the bounds error for a negative index.
  bool InList(int ListIndex) const;
};
