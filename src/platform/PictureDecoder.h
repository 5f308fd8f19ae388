// Decoding of PNG and JPEG pictures, done by each platform with its own means, straight into
// pixels the caller provides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

// The largest side and the most pixel memory (4 bytes a pixel) a caller accepts; the decoders
// check them against the stated size before anything is allocated for the pixels.
struct TPictureLimits {
  int MaxSide = 0;
  std::size_t MaxBytes = 0;
};

// What becomes of transparency: kept as straight alpha (255 opaque), as icons need, or composed
// over a matte colour, leaving alpha 0, as bitmaps hold opaque pixels.
enum class TAlphaUse { auStraight, auComposed };

struct TPictureRequest {
  TPictureLimits Limits;
  TAlphaUse Alpha = TAlphaUse::auStraight;
  // 0x00RRGGBB, used with auComposed.
  std::uint32_t Matte = 0;
};

enum class TDecodeStatus {
  dsDecoded,
  // Not a picture of the format, or a damaged or cut-short one.
  dsInvalid,
  // The stated size lies outside the limits.
  dsTooLarge,
  // The sink had no memory for the pixels.
  dsNoMemory,
};

// Asked once, with the picture's size within the limits, for Width x Height pixels, rows
// top-down, each 0xAARRGGBB; returns nullptr when they cannot be had. Must not throw: it is
// called from inside the decoding libraries.
using TPixelSink = std::function<std::uint32_t*(int Width, int Height)>;

// A PNG of any colour type, depth and interlacing.
TDecodeStatus DecodePngPicture(std::string_view Bytes, const TPictureRequest& Request,
                               const TPixelSink& Sink);
// A baseline or progressive JPEG, greyscale, colour or CMYK (Adobe's inverted CMYK included),
// with its rows as stored: any EXIF orientation is the caller's to apply.
TDecodeStatus DecodeJpegPicture(std::string_view Bytes, const TPictureRequest& Request,
                                const TPixelSink& Sink);

// Composes one pixel of straight alpha over Matte, rounded to nearest; the result has alpha 0.
inline std::uint32_t ComposeOver(std::uint32_t Pixel, std::uint32_t Matte) {
  const std::uint32_t Alpha = Pixel >> 24;
  if (Alpha == 255) return Pixel & 0x00FFFFFFu;
  std::uint32_t Result = 0;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    const std::uint32_t Over = (Pixel >> Shift) & 0xFF, Under = (Matte >> Shift) & 0xFF;
    Result |= ((Over * Alpha + Under * (255 - Alpha) + 127) / 255) << Shift;
  }
  return Result;
}

// True when Width x Height lies within Limits.
inline bool PictureSizeAllowed(std::uint64_t Width, std::uint64_t Height,
                               const TPictureLimits& Limits) {
  const auto Side = static_cast<std::uint64_t>(Limits.MaxSide);
  return Width > 0 && Height > 0 && Width <= Side && Height <= Side &&
         Width * Height <= Limits.MaxBytes / sizeof(std::uint32_t);
}
