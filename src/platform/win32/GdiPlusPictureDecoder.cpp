// Decoding of PNG and JPEG pictures on Windows, through the system's GDI+ flat interface.
#include <windows.h>
// These build on the system header's types, GDI+ on the stream interface.
#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <string_view>

#include "platform/JpegHeader.h"
#include "platform/PictureDecoder.h"

namespace {

using namespace Gdiplus;

constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

std::uint32_t BigEndian32(std::string_view Bytes, std::size_t Pos) {
  const auto* Data = reinterpret_cast<const unsigned char*>(Bytes.data() + Pos);
  return static_cast<std::uint32_t>(Data[0]) << 24 | static_cast<std::uint32_t>(Data[1]) << 16 |
         static_cast<std::uint32_t>(Data[2]) << 8 | Data[3];
}

// The size a picture states in its header, read before GDI+ sees it.
struct TStatedSize {
  std::uint64_t Width = 0;
  std::uint64_t Height = 0;
};

// The PNG header chunk must come first.
bool PngStatedSize(std::string_view Bytes, TStatedSize& Size) {
  if (Bytes.size() < 24 || !Bytes.starts_with(PngSignature) || Bytes.substr(12, 4) != "IHDR")
    return false;
  Size = {BigEndian32(Bytes, 16), BigEndian32(Bytes, 20)};
  return true;
}

bool JpegStatedSize(std::string_view Bytes, TStatedSize& Size) {
  TJpegHeader Header;
  if (!ReadJpegHeader(Bytes, Header)) return false;
  Size = {static_cast<std::uint64_t>(Header.Width), static_cast<std::uint64_t>(Header.Height)};
  return true;
}

// GDI+ is started once, on first use, and left running: shutting it down while the program
// ends would race with the system's own clean-up of the library.
bool StartGdiPlus() {
  static const bool Started = [] {
    GdiplusStartupInput Input;
    ULONG_PTR Token = 0;
    return GdiplusStartup(&Token, &Input, nullptr) == Ok;
  }();
  return Started;
}

// GDI+ writes its 32-bit ARGB pixels, straight alpha as ours, into the sink's buffer itself.
TDecodeStatus CopyPixels(GpBitmap* Bitmap, int Width, int Height, const TPictureRequest& Request,
                         const TPixelSink& Sink) {
  std::uint32_t* Pixels = Sink(Width, Height);
  if (!Pixels) return TDecodeStatus::dsNoMemory;
  GpRect Area(0, 0, Width, Height);
  BitmapData Locked{};
  Locked.Width = static_cast<UINT>(Width);
  Locked.Height = static_cast<UINT>(Height);
  Locked.Stride = Width * static_cast<INT>(sizeof(std::uint32_t));
  Locked.PixelFormat = PixelFormat32bppARGB;
  Locked.Scan0 = Pixels;
  if (DllExports::GdipBitmapLockBits(Bitmap, &Area, ImageLockModeRead | ImageLockModeUserInputBuf,
                                     PixelFormat32bppARGB, &Locked) != Ok)
    return TDecodeStatus::dsInvalid;
  DllExports::GdipBitmapUnlockBits(Bitmap, &Locked);
  if (Request.Alpha == TAlphaUse::auComposed) {
    std::uint32_t* End = Pixels + static_cast<std::size_t>(Width) * Height;
    for (std::uint32_t* Pixel = Pixels; Pixel != End; ++Pixel)
      *Pixel = ComposeOver(*Pixel, Request.Matte);
  }
  return TDecodeStatus::dsDecoded;
}

TDecodeStatus Decode(std::string_view Bytes, const TStatedSize& Size, const GUID& Format,
                     const TPictureRequest& Request, const TPixelSink& Sink) {
  if (!PictureSizeAllowed(Size.Width, Size.Height, Request.Limits))
    return Size.Width == 0 || Size.Height == 0 ? TDecodeStatus::dsInvalid
                                               : TDecodeStatus::dsTooLarge;
  if (Bytes.size() > UINT_MAX || !StartGdiPlus()) return TDecodeStatus::dsInvalid;
  IStream* Stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(Bytes.data()),
                                      static_cast<UINT>(Bytes.size()));
  if (Stream == nullptr) return TDecodeStatus::dsNoMemory;
  GpBitmap* Bitmap = nullptr;
  TDecodeStatus Status = TDecodeStatus::dsInvalid;
  if (DllExports::GdipCreateBitmapFromStream(Stream, &Bitmap) == Ok) {
    UINT DecodedWidth = 0, DecodedHeight = 0;
    GUID DecodedFormat{};
    if (DllExports::GdipGetImageRawFormat(Bitmap, &DecodedFormat) == Ok &&
        IsEqualGUID(DecodedFormat, Format) &&
        DllExports::GdipGetImageWidth(Bitmap, &DecodedWidth) == Ok &&
        DllExports::GdipGetImageHeight(Bitmap, &DecodedHeight) == Ok &&
        DecodedWidth == Size.Width && DecodedHeight == Size.Height)
      Status = CopyPixels(Bitmap, static_cast<int>(Size.Width), static_cast<int>(Size.Height),
                          Request, Sink);
    DllExports::GdipDisposeImage(Bitmap);
  }
  Stream->Release();
  return Status;
}

}  // namespace

TDecodeStatus DecodePngPicture(std::string_view Bytes, const TPictureRequest& Request,
                               const TPixelSink& Sink) {
  TStatedSize Size;
  if (!PngStatedSize(Bytes, Size)) return TDecodeStatus::dsInvalid;
  return Decode(Bytes, Size, ImageFormatPNG, Request, Sink);
}

TDecodeStatus DecodeJpegPicture(std::string_view Bytes, const TPictureRequest& Request,
                                const TPixelSink& Sink) {
  TStatedSize Size;
  if (!JpegStatedSize(Bytes, Size)) return TDecodeStatus::dsInvalid;
  return Decode(Bytes, Size, ImageFormatJPEG, Request, Sink);
}
