// TIcon: the images of an icon file, decoded to pixels with alpha, and drawing one onto a bitmap.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Object.h"
#include "framework/Bitmap.h"

// One image of an icon: rows top-down, each pixel 0xAARRGGBB with straight alpha (255 opaque,
// 0 transparent), whatever the file stored: an AND mask, an alpha channel or a PNG.
struct TIconImage {
  int Width = 0;
  int Height = 0;
  // The colour depth the file stored the image in; 32 for a PNG image.
  int BitCount = 0;
  std::vector<TPixel> Pixels;

  TPixel Pixel(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

// All images of one icon file; the window system picks the one that suits a size.
class TIcon : public TObject {
 public:
  // Larger files are refused without being read further.
  static constexpr std::size_t MaxFileBytes = 64u << 20;
  // The largest side of an image stored as a bitmap; PNG images may be larger (MaxPngSide).
  static constexpr int MaxBitmapSide = 1024;
  // Directory entries past this many are not looked at.
  static constexpr std::size_t MaxEntries = 64;
  // The sides the window systems ask for; the image closest to each is kept, and an image larger
  // than the largest of them is reduced to it.
  static constexpr int UsedSides[] = {16, 24, 32, 48, 64, 128, 256};
  static constexpr int MaxUsedSide = 256;

  // Reads an icon file, or a bitmap, PNG or JPEG file as an icon of one image. Raises
  // EFOpenError "Cannot open file <full path>" or EInvalidGraphic "Icon image is not valid",
  // with a second line naming the file when it is none of those formats; the icon is unchanged
  // then.
  void LoadFromFile(const std::string& FileName);
  // The same for the contents of a file. Every header looked at must be valid, and every image
  // of an icon file kept: those chosen for UsedSides, each distinct one once. A picture file's
  // image is reduced as any image larger than MaxUsedSide.
  void LoadFromBytes(std::string_view Bytes);

  bool Empty() const { return !FImages || FImages->empty(); }
  // The images are shared, not copied.
  void Assign(const TIcon& Source) { FImages = Source.FImages; }
  int ImageCount() const { return FImages ? static_cast<int>(FImages->size()) : 0; }
  // Index must lie in [0, ImageCount()).
  const TIconImage& Image(int Index) const { return (*FImages)[static_cast<std::size_t>(Index)]; }
  // The index of the image closest in size (smallest |dw| + |dh|), then in colour depth to the
  // screen's; the first of equals. -1 for an empty icon.
  int PickImage(int Width, int Height, int ScreenBitCount = 32) const;

 private:
  std::shared_ptr<const std::vector<TIconImage>> FImages;
};

// Blends Image over Target's pixels with its top-left at (X, Y), clipped to Target. The pixels
// written get alpha 0, as everything the canvas draws.
void DrawIconImage(TBitmap& Target, int X, int Y, const TIconImage& Image);
