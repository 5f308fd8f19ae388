// TLMDBitmapList: the bounded queries and the drawing of its items' bitmaps.
#include "controls/panel/LMDBitmapList.h"

namespace {

TColor ColorOfPixel(TPixel Pixel) {
  return static_cast<TColor>(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

}  // namespace

TLMDBitmapList::TLMDBitmapList(TComponent* Owner) : TLMDCustomImageList(Owner) {
  SetListType(TLMDListItemClassType::icBitmap);
}

TLMDListItem* TLMDBitmapList::CreateItem() {
  return new TLMDBitmapListItem(this);
}

bool TLMDBitmapList::ItemFits(const TLMDListItem& Item) const {
  return dynamic_cast<const TLMDBitmapListItem*>(&Item) != nullptr;
}

bool TLMDBitmapList::AssignableFrom(const TLMDCustomContainer& Source) const {
  return dynamic_cast<const TLMDBitmapList*>(&Source) != nullptr;
}

TLMDBitmapListItem* TLMDBitmapList::GetArrayItem(int Index) const {
  // ItemFits lets nothing else into the collection.
  return static_cast<TLMDBitmapListItem*>(GetItem(Index));
}

TLMDBitmapListItem* TLMDBitmapList::GetArrayNameItem(const std::string& ItemName) const {
  return static_cast<TLMDBitmapListItem*>(GetItemByName(ItemName));
}

TBitmap& TLMDBitmapList::GetBitmap() const {
  return BitmapAt(CurrentIndex());
}

TBitmap& TLMDBitmapList::BitmapAt(int ListIndex) const {
  return GetArrayItem(ListIndex)->GetBitmap();
}

bool TLMDBitmapList::InList(int ListIndex) const {
  if (ListIndex < 0) CheckIndex(ListIndex, GetCount());
  return ListIndex < GetCount();
}

TCanvas& TLMDBitmapList::BmpCanvas(int ListIndex) {
  return BitmapAt(ListIndex).Canvas();
}

TRect TLMDBitmapList::ItemRect(int ListIndex, int) const {
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  return {0, 0, Bitmap.Width(), Bitmap.Height()};
}

int TLMDBitmapList::Dimensions(int ListIndex, int Which) const {
  if (!InList(ListIndex)) return 0;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  return Which == 0 ? Bitmap.Width() : Which == 1 ? Bitmap.Height() : 0;
}

int TLMDBitmapList::ItemCount(int ListIndex) const {
  if (!InList(ListIndex)) return 0;
  return BitmapAt(ListIndex).Empty() ? 0 : 1;
}

bool TLMDBitmapList::IsValidItem(int ListIndex, int) const {
  if (!InList(ListIndex)) return false;
  return !BitmapAt(ListIndex).Empty();
}

void TLMDBitmapList::GetBitmapItem(int ListIndex, int, TBitmap* Target) const {
  if (!Target) return;
  Target->Assign(BitmapAt(ListIndex));
}

bool TLMDBitmapList::Masked(int ListIndex) const {
  InList(ListIndex);
  return false;
}

TLMDPaletteHandle TLMDBitmapList::Palette(int ListIndex) const {
  InList(ListIndex);
  return 0;
}

TColor TLMDBitmapList::TransparentColor(int ListIndex, int) const {
  if (!InList(ListIndex)) return clWhite;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  if (Bitmap.Empty()) return clNone;
  return ColorOfPixel(Bitmap.Pixel(0, Bitmap.Height() - 1));
}

TColor TLMDBitmapList::GetColorAtPoint(TPoint Point, int ListIndex, int) const {
  if (!InList(ListIndex)) return clWhite;
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  if (!TRect{0, 0, Bitmap.Width(), Bitmap.Height()}.Contains(Point)) return clNone;
  return ColorOfPixel(Bitmap.Pixel(Point.X, Point.Y));
}

void TLMDBitmapList::Draw(TCanvas& Canvas, int X, int Y, int ListIndex, int) const {
  const TBitmap& Bitmap = BitmapAt(ListIndex);
  LMDBmpDraw(Canvas, Bounds(X, Y, Bitmap.Width(), Bitmap.Height()), Bitmap, 0, 0, 0);
}

TRect TLMDBitmapList::DrawExt(TCanvas& Canvas, const TRect& Rect, TLMDBmpDrawFlags Flags,
                              int ListIndex, int ImageIndex) const {
  return LMDBmpDraw(Canvas, Rect, BitmapAt(ListIndex), Flags, 0,
                    TransparentColor(ListIndex, ImageIndex));
}

void TLMDBitmapList::ClipDraw(TCanvas& Canvas, const TRect& Rect, TLMDBmpDrawFlags Flags,
                              int Offset, TColor TransparentColor, int ListIndex, int) const {
  LMDBmpDraw(Canvas, Rect, BitmapAt(ListIndex), Flags, Offset, TransparentColor);
}
