// Decoding of PNG and JPEG pictures on Windows, through the system's GDI+ flat interface, loaded
// when the first such picture is met.
#include <windows.h>
// These build on the system header's types, GDI+ on the stream interface.
#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <string_view>
#include <type_traits>

#include "platform/JpegHeader.h"
#include "platform/PictureDecoder.h"
#include "platform/win32/SystemLibrary.h"

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

// The formats GDI+ names, as its headers declare them (the library defines them).
constexpr GUID PngFormat{
    0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr GUID JpegFormat{
    0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The functions used, from gdiplus.dll and, for the stream over the bytes, shlwapi.dll.
struct TGdiPlus {
  decltype(&GdiplusStartup) Startup;
  decltype(&DllExports::GdipCreateBitmapFromStream) CreateBitmapFromStream;
  decltype(&DllExports::GdipGetImageRawFormat) GetImageRawFormat;
  decltype(&DllExports::GdipGetImageWidth) GetImageWidth;
  decltype(&DllExports::GdipGetImageHeight) GetImageHeight;
  decltype(&DllExports::GdipBitmapLockBits) BitmapLockBits;
  decltype(&DllExports::GdipBitmapUnlockBits) BitmapUnlockBits;
  decltype(&DllExports::GdipDisposeImage) DisposeImage;
  decltype(&SHCreateMemStream) CreateMemStream;
};

template <typename TSlot>
bool Bind(TSlot& Slot, const wchar_t* File, const char* Name) {
  Slot = SystemFunction<std::remove_pointer_t<TSlot>>(File, Name);
  return Slot != nullptr;
}

// Loaded and started once, on first use, and left running: shutting GDI+ down while the
// program ends would race with the system's own clean-up of the library. Nullptr when the
// system lacks it.
const TGdiPlus* GdiPlus() {
  static const TGdiPlus* const Loaded = []() -> const TGdiPlus* {
    static TGdiPlus Functions{};
    const wchar_t* Gdi = L"gdiplus.dll";
    const bool Complete =
        Bind(Functions.Startup, Gdi, "GdiplusStartup") &&
        Bind(Functions.CreateBitmapFromStream, Gdi, "GdipCreateBitmapFromStream") &&
        Bind(Functions.GetImageRawFormat, Gdi, "GdipGetImageRawFormat") &&
        Bind(Functions.GetImageWidth, Gdi, "GdipGetImageWidth") &&
        Bind(Functions.GetImageHeight, Gdi, "GdipGetImageHeight") &&
        Bind(Functions.BitmapLockBits, Gdi, "GdipBitmapLockBits") &&
        Bind(Functions.BitmapUnlockBits, Gdi, "GdipBitmapUnlockBits") &&
        Bind(Functions.DisposeImage, Gdi, "GdipDisposeImage") &&
        Bind(Functions.CreateMemStream, L"shlwapi.dll", "SHCreateMemStream");
    if (!Complete) return nullptr;
    GdiplusStartupInput Input;
    ULONG_PTR Token = 0;
    return Functions.Startup(&Token, &Input, nullptr) == Ok ? &Functions : nullptr;
  }();
  return Loaded;
}

// GDI+ writes its 32-bit ARGB pixels, straight alpha as ours, into the sink's buffer itself.
TDecodeStatus CopyPixels(const TGdiPlus& Gdi, GpBitmap* Bitmap, int Width, int Height,
                         const TPictureRequest& Request, const TPixelSink& Sink) {
  std::uint32_t* Pixels = Sink(Width, Height);
  if (!Pixels) return TDecodeStatus::dsNoMemory;
  GpRect Area(0, 0, Width, Height);
  BitmapData Locked{};
  Locked.Width = static_cast<UINT>(Width);
  Locked.Height = static_cast<UINT>(Height);
  Locked.Stride = Width * static_cast<INT>(sizeof(std::uint32_t));
  Locked.PixelFormat = PixelFormat32bppARGB;
  Locked.Scan0 = Pixels;
  if (Gdi.BitmapLockBits(Bitmap, &Area, ImageLockModeRead | ImageLockModeUserInputBuf,
                         PixelFormat32bppARGB, &Locked) != Ok)
    return TDecodeStatus::dsInvalid;
  Gdi.BitmapUnlockBits(Bitmap, &Locked);
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
  const TGdiPlus* Gdi = GdiPlus();
  if (Bytes.size() > UINT_MAX || Gdi == nullptr) return TDecodeStatus::dsInvalid;
  IStream* Stream = Gdi->CreateMemStream(reinterpret_cast<const BYTE*>(Bytes.data()),
                                         static_cast<UINT>(Bytes.size()));
  if (Stream == nullptr) return TDecodeStatus::dsNoMemory;
  GpBitmap* Bitmap = nullptr;
  TDecodeStatus Status = TDecodeStatus::dsInvalid;
  if (Gdi->CreateBitmapFromStream(Stream, &Bitmap) == Ok) {
    UINT DecodedWidth = 0, DecodedHeight = 0;
    GUID DecodedFormat{};
    if (Gdi->GetImageRawFormat(Bitmap, &DecodedFormat) == Ok &&
        IsEqualGUID(DecodedFormat, Format) && Gdi->GetImageWidth(Bitmap, &DecodedWidth) == Ok &&
        Gdi->GetImageHeight(Bitmap, &DecodedHeight) == Ok && DecodedWidth == Size.Width &&
        DecodedHeight == Size.Height)
      Status = CopyPixels(*Gdi, Bitmap, static_cast<int>(Size.Width), static_cast<int>(Size.Height),
                          Request, Sink);
    Gdi->DisposeImage(Bitmap);
  }
  Stream->Release();
  return Status;
}

}  // namespace

TDecodeStatus DecodePngPicture(std::string_view Bytes, const TPictureRequest& Request,
                               const TPixelSink& Sink) {
  TStatedSize Size;
  if (!PngStatedSize(Bytes, Size)) return TDecodeStatus::dsInvalid;
  return Decode(Bytes, Size, PngFormat, Request, Sink);
}

TDecodeStatus DecodeJpegPicture(std::string_view Bytes, const TPictureRequest& Request,
                                const TPixelSink& Sink) {
  TStatedSize Size;
  if (!JpegStatedSize(Bytes, Size)) return TDecodeStatus::dsInvalid;
  return Decode(Bytes, Size, JpegFormat, Request, Sink);
}
