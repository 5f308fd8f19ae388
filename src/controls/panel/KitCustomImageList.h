// TKitCustomImageList: a container of images that controls query and draw by list and image
// index.
#pragma once

#include <cstdint>

#include "controls/panel/KitBmpDraw.h"
#include "controls/panel/KitCustomContainer.h"
#include "core/Colors.h"
#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

// A palette handle for palette-based displays; 0 stands for none.
using TKitPaletteHandle = std::uintptr_t;

class TKitCustomImageList : public TKitCustomContainer {
 public:
  explicit TKitCustomImageList(TComponent* Owner) : TKitCustomContainer(Owner) {}
  const char* ClassName() const override { return "TKitCustomImageList"; }

  // The item that GetBitmap of a bitmap list answers with.
  int CurrentIndex() const { return FCurrentIndex; }
  void SetCurrentIndex(int Value) { FCurrentIndex = Value; }
  // Stored with the list and copied by Assign; nothing else reads it.
  TKitSavePixelFormat DefaultPixelFormat() const { return FDefaultPixelFormat; }
  void SetDefaultPixelFormat(TKitSavePixelFormat Value) { FDefaultPixelFormat = Value; }

  // ListIndex chooses the item. The bounded queries (ItemCount, Dimensions, IsValidItem,
  // Masked, Palette, TransparentColor, GetColorAtPoint) answer a fixed value for an index at or
  // past the count; the others, and all for a negative index, raise the bounds error.
  virtual TCanvas& BmpCanvas(int ListIndex) = 0;
  virtual TRect ItemRect(int ListIndex, int ImageIndex) const = 0;
  // Which 0: width, 1: height.
  virtual int Dimensions(int ListIndex, int Which) const = 0;
  virtual int ItemCount(int ListIndex) const = 0;
  virtual bool IsValidItem(int ListIndex, int ImageIndex) const = 0;
  // Copies the image into Target; nothing when Target is none.
  virtual void GetBitmapItem(int ListIndex, int ImageIndex, TBitmap* Target) const = 0;
  virtual bool Masked(int ListIndex) const = 0;
  virtual TKitPaletteHandle Palette(int ListIndex) const = 0;
  virtual TColor TransparentColor(int ListIndex, int ImageIndex) const = 0;
  virtual TColor GetColorAtPoint(TPoint Point, int ListIndex, int ImageIndex) const = 0;
  // At its own size with its top-left at (X, Y).
  virtual void Draw(TCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) const = 0;
  // Into Rect with Flags and the image's own transparent colour; returns the rectangle drawn.
  virtual TRect DrawExt(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags, int ListIndex,
                        int ImageIndex) const = 0;
  // Clipped to Rect, with Flags, Offset and TransparentColor as the drawing routine takes them.
  virtual void ClipDraw(TCanvas& Canvas, const TRect& Rect, TKitBmpDrawFlags Flags, int Offset,
                        TColor TransparentColor, int ListIndex, int ImageIndex) const = 0;

 protected:
  void AssignDefaults(const TKitCustomContainer& Source) override;

 private:
  int FCurrentIndex = 0;
  TKitSavePixelFormat FDefaultPixelFormat = TKitSavePixelFormat::spfDefault;
};
