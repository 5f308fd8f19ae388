// Decoding of PNG pictures into a picture of their own, with straight alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A decoded picture: rows top-down, each pixel 0xAARRGGBB with straight (not premultiplied)
// alpha, 255 opaque.
struct TPngImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// The largest side, and the most pixel memory, of a picture DecodePng accepts; larger ones are
// refused before anything is allocated for their pixels.
inline constexpr int MaxPngSide = 16384;
inline constexpr std::size_t MaxPngBytes = 256u << 20;

// Replaces Image with the picture in Bytes and returns true, or returns false (Image unchanged)
// when Bytes is not a complete, valid PNG within the limits above.
bool DecodePng(std::string_view Bytes, TPngImage& Image);
