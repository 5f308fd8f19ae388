// Picture files: telling the formats apart by their signatures and handing each to its decoder.
#include "framework/PictureFile.h"

#include <utility>

#include "core/Exception.h"
#include "framework/BitmapFile.h"
#include "framework/ColorToRGB.h"
#include "framework/PictureOrientation.h"
#include "platform/JpegHeader.h"

namespace {

constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::string_view JpegSignature("\xFF\xD8\xFF", 3);
constexpr std::string_view BitmapSignature("BM", 2);

constexpr std::string_view InvalidBitmap = "Bitmap image is not valid";

[[noreturn]] void Refuse(const std::string& Name, std::string_view Reason) {
  throw EInvalidGraphic(std::string(InvalidBitmap) + ".\n" + Name + ": " + std::string(Reason));
}

// The sink that decodes into Bitmap; its size errors become a missing buffer, as no exception
// may pass through the decoding libraries.
TPixelSink SinkInto(TBitmap& Bitmap) {
  return [&Bitmap](int Width, int Height) -> std::uint32_t* {
    try {
      Bitmap.SetSizeUnfilled(Width, Height);
    } catch (const EOutOfResources&) {
      return nullptr;
    }
    return Bitmap.ScanLine(0);
  };
}

}  // namespace

TPictureFormat PictureFormatOf(std::string_view Bytes) {
  if (Bytes.starts_with(PngSignature)) return TPictureFormat::pfPng;
  if (Bytes.starts_with(JpegSignature)) return TPictureFormat::pfJpeg;
  if (Bytes.starts_with(BitmapSignature)) return TPictureFormat::pfBitmap;
  return TPictureFormat::pfUnknown;
}

TDecodeStatus DecodeCompressedPicture(TPictureFormat Format, std::string_view Bytes,
                                      const TPictureRequest& Request, TBitmap& Bitmap) {
  TBitmap Decoded;
  if (Format == TPictureFormat::pfPng) {
    const TDecodeStatus Status = DecodePngPicture(Bytes, Request, SinkInto(Decoded));
    if (Status == TDecodeStatus::dsDecoded) Bitmap.Assign(std::move(Decoded));
    return Status;
  }
  if (Format != TPictureFormat::pfJpeg) return TDecodeStatus::dsInvalid;
  // The stated size is checked before the decoder is started; the decoder checks its own
  // reading of it again.
  TJpegHeader Header;
  if (!ReadJpegHeader(Bytes, Header)) return TDecodeStatus::dsInvalid;
  if (!PictureSizeAllowed(static_cast<unsigned>(Header.Width), static_cast<unsigned>(Header.Height),
                          Request.Limits))
    return Header.Width == 0 || Header.Height == 0 ? TDecodeStatus::dsInvalid
                                                   : TDecodeStatus::dsTooLarge;
  const TDecodeStatus Status = DecodeJpegPicture(Bytes, Request, SinkInto(Decoded));
  if (Status != TDecodeStatus::dsDecoded) return Status;
  if (Header.Orientation == 1) {
    Bitmap.Assign(std::move(Decoded));
    return Status;
  }
  try {
    OrientBitmap(Decoded, Header.Orientation, Bitmap);
  } catch (const EOutOfResources&) {
    return TDecodeStatus::dsNoMemory;
  }
  return Status;
}

void DecodePictureFile(std::string_view Bytes, const std::string& Name, TBitmap& Bitmap) {
  const TPictureFormat Format = PictureFormatOf(Bytes);
  if (Format == TPictureFormat::pfBitmap) return DecodeBitmapFile(Bytes, Bitmap);
  if (Format == TPictureFormat::pfUnknown) Refuse(Name, "not a BMP, PNG or JPEG picture");
  // Transparent parts show the window's face colour, the colour a menu shows without a picture.
  const TColor Face = ColorToRGB(clBtnFace);
  const TPictureRequest Request{
      BitmapPictureLimits, TAlphaUse::auComposed,
      PixelOf(static_cast<std::uint8_t>(Face & 0xFF), static_cast<std::uint8_t>(Face >> 8),
              static_cast<std::uint8_t>(Face >> 16))};
  switch (DecodeCompressedPicture(Format, Bytes, Request, Bitmap)) {
    case TDecodeStatus::dsDecoded:
      return;
    case TDecodeStatus::dsTooLarge:
      throw EOutOfResources("Bitmap is too large");
    case TDecodeStatus::dsNoMemory:
      throw EOutOfResources("Out of memory for a bitmap");
    case TDecodeStatus::dsInvalid:
      break;
  }
  Refuse(Name, Format == TPictureFormat::pfPng ? "a damaged or cut-short PNG picture"
                                               : "a damaged or cut-short JPEG picture");
}
