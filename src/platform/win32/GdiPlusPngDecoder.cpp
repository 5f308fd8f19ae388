// Decoding of PNG pictures on Windows, through the system's GDI+ flat interface.
#include <windows.h>
// These build on the system header's types, GDI+ on the stream interface.
#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <cstring>
#include <string_view>

#include "platform/PngDecoder.h"

namespace {

using namespace Gdiplus;

constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

std::uint32_t BigEndian32(std::string_view Bytes, std::size_t Pos) {
  const auto* Data = reinterpret_cast<const unsigned char*>(Bytes.data() + Pos);
  return static_cast<std::uint32_t>(Data[0]) << 24 | static_cast<std::uint32_t>(Data[1]) << 16 |
         static_cast<std::uint32_t>(Data[2]) << 8 | Data[3];
}

// The size the header chunk states, which must come first; false when the picture is no PNG
// or lies outside the limits.
bool StatedSize(std::string_view Bytes, int& Width, int& Height) {
  if (Bytes.size() < 24 || !Bytes.starts_with(PngSignature) || Bytes.substr(12, 4) != "IHDR")
    return false;
  const std::uint32_t W = BigEndian32(Bytes, 16), H = BigEndian32(Bytes, 20);
  if (W == 0 || H == 0 || W > MaxPngSide || H > MaxPngSide ||
      std::uint64_t{W} * H * sizeof(std::uint32_t) > MaxPngBytes)
    return false;
  Width = static_cast<int>(W);
  Height = static_cast<int>(H);
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

// Copies the decoded pixels: GDI+ gives 32-bit ARGB with straight alpha, the layout of ours.
bool CopyPixels(GpBitmap* Bitmap, int Width, int Height, TPngImage& Image) {
  GpRect Area(0, 0, Width, Height);
  BitmapData Locked{};
  if (DllExports::GdipBitmapLockBits(Bitmap, &Area, ImageLockModeRead, PixelFormat32bppARGB,
                                     &Locked) != Ok)
    return false;
  TPngImage Result;
  Result.Width = Width;
  Result.Height = Height;
  Result.Pixels.resize(static_cast<std::size_t>(Width) * Height);
  const auto* Rows = static_cast<const unsigned char*>(Locked.Scan0);
  for (int Row = 0; Row < Height; ++Row)
    std::memcpy(Result.Pixels.data() + static_cast<std::size_t>(Row) * Width,
                Rows + static_cast<std::ptrdiff_t>(Row) * Locked.Stride,
                static_cast<std::size_t>(Width) * sizeof(std::uint32_t));
  DllExports::GdipBitmapUnlockBits(Bitmap, &Locked);
  Image = std::move(Result);
  return true;
}

}  // namespace

bool DecodePng(std::string_view Bytes, TPngImage& Image) {
  int Width = 0, Height = 0;
  if (!StatedSize(Bytes, Width, Height) || Bytes.size() > UINT_MAX || !StartGdiPlus()) return false;
  IStream* Stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(Bytes.data()),
                                      static_cast<UINT>(Bytes.size()));
  if (Stream == nullptr) return false;
  GpBitmap* Bitmap = nullptr;
  bool Decoded = DllExports::GdipCreateBitmapFromStream(Stream, &Bitmap) == Ok;
  if (Decoded) {
    UINT DecodedWidth = 0, DecodedHeight = 0;
    GUID Format{};
    Decoded = DllExports::GdipGetImageRawFormat(Bitmap, &Format) == Ok &&
              IsEqualGUID(Format, ImageFormatPNG) &&
              DllExports::GdipGetImageWidth(Bitmap, &DecodedWidth) == Ok &&
              DllExports::GdipGetImageHeight(Bitmap, &DecodedHeight) == Ok &&
              DecodedWidth == static_cast<UINT>(Width) &&
              DecodedHeight == static_cast<UINT>(Height) &&
              CopyPixels(Bitmap, Width, Height, Image);
    DllExports::GdipDisposeImage(Bitmap);
  }
  Stream->Release();
  return Decoded;
}
