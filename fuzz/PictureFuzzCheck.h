// What the PNG and JPEG fuzz targets check of one input: the menu's reading of it, and the
// same picture with straight alpha, which must agree with it pixel for pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "framework/PictureFile.h"

// Decodes Bytes as Format both ways; aborts when they disagree on whether the picture is
// valid, on its size, or on a pixel: the composed one must be the straight one over the matte.
inline void CheckPicture(TPictureFormat Format, std::string_view Bytes) {
  TBitmap Composed;
  const TPixel Matte = 0x00C0C0C0;
  const TPictureRequest ComposedRequest{BitmapPictureLimits, TAlphaUse::auComposed, Matte};
  const TDecodeStatus ComposedStatus =
      DecodeCompressedPicture(Format, Bytes, ComposedRequest, Composed);
  TBitmap Straight;
  const TPictureRequest StraightRequest{BitmapPictureLimits, TAlphaUse::auStraight, 0};
  const TDecodeStatus StraightStatus =
      DecodeCompressedPicture(Format, Bytes, StraightRequest, Straight);
  if (ComposedStatus != StraightStatus) std::abort();
  if (ComposedStatus != TDecodeStatus::dsDecoded) {
    if (!Composed.Empty() || !Straight.Empty()) std::abort();
    return;
  }
  if (Composed.Empty() || Composed.Width() != Straight.Width() ||
      Composed.Height() != Straight.Height())
    std::abort();
  for (int Y = 0; Y < Composed.Height(); ++Y)
    for (int X = 0; X < Composed.Width(); ++X)
      if (Composed.Pixel(X, Y) != ComposeOver(Straight.Pixel(X, Y), Matte)) std::abort();
}
