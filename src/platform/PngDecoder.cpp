// PNG pictures decoded into a picture of their own, through the platform's picture decoder.
#include "platform/PngDecoder.h"

#include <new>
#include <utility>

#include "platform/PictureDecoder.h"

bool DecodePng(std::string_view Bytes, TPngImage& Image) {
  TPngImage Decoded;
  const TPictureRequest Request{{MaxPngSide, MaxPngBytes}, TAlphaUse::auStraight, 0};
  const TDecodeStatus Status =
      DecodePngPicture(Bytes, Request, [&Decoded](int Width, int Height) -> std::uint32_t* {
        try {
          Decoded.Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
        } catch (const std::bad_alloc&) {
          return nullptr;
        }
        Decoded.Width = Width;
        Decoded.Height = Height;
        return Decoded.Pixels.data();
      });
  if (Status != TDecodeStatus::dsDecoded) return false;
  Image = std::move(Decoded);
  return true;
}
