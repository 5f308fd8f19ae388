// TKitBitmapList: the bounded queries and the drawing of its items' bitmaps.
#include "controls/panel/KitBitmapList.h"

namespace {

TColor ColorOfPixel(TPixel Pixel) {
  return static_cast<TColor>(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

}  // namespace

TKitBitmapList::TKitBitmapList(TComponent* Owner) : TKitCustomImageList(Owner) {
  SetListType(TKitListItemClassType::icBitmap);
}

TKitListItem* TKitBitmapList::CreateItem() {
  return new TKitBitmapListItem(this);
}

bool TKitBitmapList::ItemFits(const TKitListItem& Item) const {
  return dynamic_cast<const TKitBitmapListItem*>(&Item) != nullptr;
}

bool TKitBitmapList::AssignableFrom(const TKitCustomContainer& Source) const {
  return dynamic_cast<const TKitBitmapList*>(&Source) != nullptr;
}

TKitBitmapListItem* TKitBitmapList::GetArrayItem(int Index) const {
  // ItemFits lets nothing else into the collection.
  return static_cast<TKitBitmapListItem*>(GetItem(Index));
}

TKitBitmapListItem* TKitBitmapList::GetArrayNameItem(const std::string& ItemName) const {
  return static_cast<TKitBitmapListItem*>(GetItemByName(ItemName));
}

TBitmap& TKitBitmapList::GetBitmap() const {
  return BitmapAt(CurrentIndex());
}

TBitmap& TKitBitmapList::BitmapAt(int ListIndex) const {
  return GetArrayItem(ListIndex)->GetBitmap();
}

bool TKitBitmapList::InList(int ListIndex) const {
  if (ListIndex < 0) CheckIndex(ListIndex, GetCount());
  return ListIndex < GetCount();
}

TCanvas& TKitBitmapList::BmpCanvas(int ListIndex) {
  return BitmapAt(ListIndex).Canvas();
}

TRect TKitBitmapList::ItemRect(int ListIndex, int) const {
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  return {0, 0, Bitmap.Width(), Bitmap.Height()};
}

int TKitBitmapList::Dimensions(int ListIndex, int Which) const {
  if (!InList(ListIndex)) return 0;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  return Which == 0 ? Bitmap.Width() : Which == 1 ? Bitmap.Height() : 0;
}

int TKitBitmapList::ItemCount(int ListIndex) const {
  if (!InList(ListIndex)) return 0;
  return BitmapAt(ListIndex).Empty() ? 0 : 1;
}

bool TKitBitmapList::IsValidItem(int ListIndex, int) const {
  if (!InList(ListIndex)) return false;
  return !BitmapAt(ListIndex).Empty();
}

void TKitBitmapList::GetBitmapItem(int ListIndex, int, TBitmap* Target) const {
  if (!Target) return;
  Target->Assign(BitmapAt(ListIndex));
}

bool TKitBitmapList::Masked(int ListIndex) const {
  InList(ListIndex);
  return false;
}

TKitPaletteHandle TKitBitmapList::Palette(int ListIndex) const {
  InList(ListIndex);
  return 0;
}

TColor TKitBitmapList::TransparentColor(int ListIndex, int) const {
  if (!InList(ListIndex)) return clWhite;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  if (Bitmap.Empty()) return clNone;
  return ColorOfPixel(Bitmap.Pixel(0, Bitmap.Height() - 1));
}

TColor TKitBitmapList::GetColorAtPoint(TPoint Point, int ListIndex, int) const {
  if (!InList(ListIndex)) return clWhite;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  if (!TRect{0, 0, Bitmap.Width(), Bitmap.Height()}.Contains(Point)) return clNone;
  return ColorOfPixel(Bitmap.Pixel(Point.X, Point.Y));
}

void TKitBitmapList::Draw(TCanvas& Canvas, int X, int Y, int ListIndex, int) const {
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  KitBmpDraw(Canvas, Bounds(X, Y, Bitmap.Width(), Bitmap.Height()), Bitmap, 0, 0, 0);
}

TRect TKitBitmapList::DrawExt(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags,
                              int ListIndex, int ImageIndex) const {
  return KitBmpDraw(Canvas, Rect, BitmapAt(ListIndex), Flags, 0,
                    TransparentColor(ListIndex, ImageIndex));
}

void TKitBitmapList::ClipDraw(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags,
                              int Offset, TColor TransparentColor, int ListIndex, int) const {
  KitBmpDraw(Canvas, Rect, BitmapAt(ListIndex), Flags, Offset, TransparentColor);
}
