// TBitmap: a 32-bit pixel buffer with a canvas, loaded from and saved to bitmap files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/Colors.h"
#include "core/Object.h"

class TCanvas;

// A pixel is 0xAARRGGBB: blue in the low byte, as in the platform's device-independent
// bitmaps and X11 images, so that a row can be handed to either unchanged. Alpha is 0 for
// opaque pixels drawn by the canvas; only icons carry it.
using TPixel = std::uint32_t;

constexpr TPixel PixelOf(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
  return (static_cast<TPixel>(Red) << 16) | (static_cast<TPixel>(Green) << 8) | Blue;
}

class TBitmap : public TObject {
 public:
  // The most pixel memory one bitmap may take; larger sizes from files are refused.
  static constexpr std::size_t MaxBytes = 256u << 20;

  TBitmap();
  TBitmap(int Width, int Height);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // True when Width x Height pixels fit in MaxBytes.
  static bool SizeAllowed(int Width, int Height);
  // New contents, all black; raises EOutOfResources past MaxBytes or for a negative size.
  void SetSize(int Width, int Height);
  // SetSize with the pixels' values left undefined, for a writer that sets every one of them:
  // a decoder fills the picture without its memory being cleared first.
  void SetSizeUnfilled(int Width, int Height);

  // Writing through the pixels of a bitmap that shares them with another takes a copy first.
  TPixel* ScanLine(int Y) {
    if (FStore.use_count() > 1) Unshare();
    return FPixels + static_cast<std::size_t>(Y) * FWidth;
  }
  const TPixel* ScanLine(int Y) const { return FPixels + static_cast<std::size_t>(Y) * FWidth; }
  TPixel Pixel(int X, int Y) const { return ScanLine(Y)[X]; }
  void SetPixel(int X, int Y, TPixel Value) { ScanLine(Y)[X] = Value; }

  TCanvas& Canvas();

  // Reads a bitmap, PNG or JPEG file (DecodePictureFile). Raises EFOpenError "Cannot open file
  // <full path>", EInvalidGraphic "Bitmap image is not valid" (with a second line naming the
  // file for anything but a damaged bitmap file) or EOutOfResources; the bitmap is unchanged
  // then.
  void LoadFromFile(const std::string& FileName);
  // Writes a 24-bit file, or a 32-bit one when any pixel has alpha. Raises EFCreateError.
  void SaveToFile(const std::string& FileName) const;
  // Writes an RGB PNG file, for previews. Raises EFCreateError.
  void SaveToPngFile(const std::string& FileName) const;
  // Shares Source's pixels until either bitmap writes to them: a copy that is only read costs
  // no memory.
  void Assign(const TBitmap& Source);
  // Takes Source's pixels without copying them, leaving Source empty.
  void Assign(TBitmap&& Source);

  // How many pixel stores alive are at least Width x Height in both directions, shared ones
  // counted once: a window should keep its picture once beside its back buffer.
  static int LiveStoresAtLeast(int Width, int Height);

  // Sent after the contents or the size changed through the bitmap's own operations.
  TNotifyEvent OnChange;
  void Changed();

 private:
  // The pixels: from calloc for a black picture, from malloc for one a writer fills. A block
  // the heap reuses is cleared by calloc in a pass of its own, which a decoder does not need.
  struct TPixelStore;

  void Resize(int Width, int Height, bool Zeroed);
  // Takes a store of its own with the same pixels.
  void Unshare();

  int FWidth = 0;
  int FHeight = 0;
  std::shared_ptr<TPixelStore> FStore;
  TPixel* FPixels = nullptr;  // the store's pixels
  std::unique_ptr<TCanvas> FCanvas;
};
