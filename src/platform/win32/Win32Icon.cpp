// Window icons made from the framework's icon pixels.
#include "platform/win32/Win32Icon.h"

#include <cstdlib>
#include <cstring>

namespace {

// No system draws icons larger than this.
constexpr int MaxIconSide = 1024;

bool Usable(const TIconPixels& Image) {
  return Image.Width > 0 && Image.Height > 0 && Image.Width <= MaxIconSide &&
         Image.Height <= MaxIconSide &&
         Image.Pixels.size() >= static_cast<std::size_t>(Image.Width) * Image.Height;
}

// Monochrome rows are padded to 16 bits; a set bit lets the screen show through.
HBITMAP CreateMask(const TIconPixels& Image) {
  const std::size_t Stride = ((static_cast<std::size_t>(Image.Width) + 15) / 16) * 2;
  std::vector<unsigned char> Bits(Stride * Image.Height, 0);
  for (int Y = 0; Y < Image.Height; ++Y)
    for (int X = 0; X < Image.Width; ++X)
      if ((Image.Pixels[static_cast<std::size_t>(Y) * Image.Width + X] >> 24) == 0)
        Bits[Y * Stride + X / 8] |= static_cast<unsigned char>(0x80 >> (X % 8));
  return CreateBitmap(Image.Width, Image.Height, 1, 1, Bits.data());
}

HBITMAP CreateColor(const TIconPixels& Image) {
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Image.Width;
  Info.bmiHeader.biHeight = -Image.Height;  // rows top-down, as the pixels come
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  HBITMAP Color = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (Color == nullptr || Bits == nullptr) return Color;
  // 0xAARRGGBB in memory order is the DIB's blue, green, red, alpha.
  std::memcpy(Bits, Image.Pixels.data(),
              static_cast<std::size_t>(Image.Width) * Image.Height * sizeof(std::uint32_t));
  return Color;
}

}  // namespace

HICON CreateIconFromPixels(const TIconPixels& Image) {
  if (!Usable(Image)) return nullptr;
  HBITMAP Mask = CreateMask(Image);
  HBITMAP Color = CreateColor(Image);
  HICON Icon = nullptr;
  if (Mask != nullptr && Color != nullptr) {
    ICONINFO Info{};
    Info.fIcon = TRUE;
    Info.hbmMask = Mask;
    Info.hbmColor = Color;
    Icon = CreateIconIndirect(&Info);
  }
  // The icon holds copies of both bitmaps.
  if (Mask != nullptr) DeleteObject(Mask);
  if (Color != nullptr) DeleteObject(Color);
  return Icon;
}

const TIconPixels* NearestIcon(const std::vector<TIconPixels>& Images, int Side) {
  const TIconPixels* Best = nullptr;
  int BestDistance = 0;
  for (const TIconPixels& Image : Images) {
    if (!Usable(Image)) continue;
    const int Distance = std::abs(Image.Width - Side) + std::abs(Image.Height - Side);
    if (Best == nullptr || Distance < BestDistance) {
      Best = &Image;
      BestDistance = Distance;
    }
  }
  return Best;
}
