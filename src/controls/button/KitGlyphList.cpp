// TKitGlyphList: slots in a strip bitmap, reused after deletion, and the cache of lists by size.
#include "controls/button/KitGlyphList.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace {

// Copies Source's pixels into Target with Source's top-left at (X, 0).
void Blit(TBitmap& Target, const TBitmap& Source, int X) {
  const int Width = std::min(Source.Width(), Target.Width() - X);
  for (int Y = 0; Y < std::min(Source.Height(), Target.Height()); ++Y)
    std::copy_n(Source.ScanLine(Y), Width, Target.ScanLine(Y) + X);
}

}  // namespace

std::shared_ptr<TKitGlyphList> TKitGlyphList::OfSize(int Width, int Height) {
  // Lists nobody holds any more are dropped, so the cache keeps only what is in use.
  static std::map<std::pair<int, int>, std::weak_ptr<TKitGlyphList>> Lists;
  std::erase_if(Lists, [](const auto& Entry) { return Entry.second.expired(); });
  std::weak_ptr<TKitGlyphList>& Slot = Lists[{Width, Height}];
  std::shared_ptr<TKitGlyphList> List = Slot.lock();
  if (!List) {
    List = std::make_shared<TKitGlyphList>(Width, Height);
    Slot = List;
  }
  return List;
}

TKitGlyphList::TKitGlyphList(int Width, int Height) : FWidth(Width), FHeight(Height) {}

int TKitGlyphList::Add(const TBitmap& Picture, const TBitmap& Mask) {
  auto Free = std::find(FUsed.begin(), FUsed.end(), false);
  if (Free == FUsed.end()) {
    if (!Grow()) return -1;
    Free = std::find(FUsed.begin(), FUsed.end(), false);
  }
  *Free = true;
  const int Index = static_cast<int>(Free - FUsed.begin());
  Blit(FImages, Picture, Index * FWidth);
  Blit(FMasks, Mask, Index * FWidth);
  return Index;
}

void TKitGlyphList::Delete(int Index) {
  if (Index >= 0 && Index < static_cast<int>(FUsed.size())) FUsed[Index] = false;
}

int TKitGlyphList::Count() const {
  return static_cast<int>(std::count(FUsed.begin(), FUsed.end(), true));
}

// Doubles the slots, keeping the pictures already stored; false when the strip would pass the
// bitmap size limit.
bool TKitGlyphList::Grow() {
  const long long Slots = std::max<long long>(1, 2 * static_cast<long long>(FUsed.size()));
  const long long Width = Slots * FWidth;
  if (Width > std::numeric_limits<int>::max() ||
      !TBitmap::SizeAllowed(static_cast<int>(Width), FHeight))
    return false;
  for (TBitmap* Strip : {&FImages, &FMasks}) {
    TBitmap Wider(static_cast<int>(Width), FHeight);
    Blit(Wider, *Strip, 0);
    Strip->Assign(std::move(Wider));
  }
  FUsed.resize(static_cast<std::size_t>(Slots), false);
  return true;
}
