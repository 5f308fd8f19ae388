// TKitGlyphList: prepared glyph pictures of one size side by side in one bitmap, with their
// masks, shared between all glyph holders whose pictures have that size.
#pragma once

#include <memory>
#include <vector>

#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

class TKitGlyphList {
 public:
  // The list for pictures of Width x Height: the one already in use by some holder, or a new
  // one. A list lives as long as a holder keeps it.
  static std::shared_ptr<TKitGlyphList> OfSize(int Width, int Height);

  TKitGlyphList(int Width, int Height);
  TKitGlyphList(const TKitGlyphList&) = delete;
  TKitGlyphList& operator=(const TKitGlyphList&) = delete;

  // Stores a picture of the list's size and its mask (black where the picture is drawn, white
  // where it shows through) in a free slot, and returns the slot; -1 when the strip cannot grow
  // within the bitmap size limit.
  int Add(const TBitmap& Picture, const TBitmap& Mask);
  // Frees a slot for reuse.
  void Delete(int Index);
  // How many slots hold a picture.
  int Count() const;

  // Where slot Index lies on ImageCanvas and MaskCanvas.
  TRect ImageRect(int Index) const { return Bounds(Index * FWidth, 0, FWidth, FHeight); }
  TCanvas& ImageCanvas() { return FImages.Canvas(); }
  TCanvas& MaskCanvas() { return FMasks.Canvas(); }

 private:
  bool Grow();

  int FWidth;
  int FHeight;
  TBitmap FImages;
  TBitmap FMasks;
  std::vector<bool> FUsed;
};
