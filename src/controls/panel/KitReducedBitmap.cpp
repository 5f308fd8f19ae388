// Reduced-colour bitmap files: fixed palettes, the pixel-to-index rules and the file layout.
#include "controls/panel/KitReducedBitmap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/BitmapFile.h"

namespace {

std::uint8_t RedOf(TPixel Pixel) {
  return static_cast<std::uint8_t>((Pixel >> 16) & 0xFF);
}
std::uint8_t GreenOf(TPixel Pixel) {
  return static_cast<std::uint8_t>((Pixel >> 8) & 0xFF);
}
std::uint8_t BlueOf(TPixel Pixel) {
  return static_cast<std::uint8_t>(Pixel & 0xFF);
}

// The sixteen colours of the classic 4-bit palette, in its order.
constexpr std::array<TPixel, 16> StandardColors = {
    PixelOf(0, 0, 0),       PixelOf(128, 0, 0),   PixelOf(0, 128, 0),   PixelOf(128, 128, 0),
    PixelOf(0, 0, 128),     PixelOf(128, 0, 128), PixelOf(0, 128, 128), PixelOf(192, 192, 192),
    PixelOf(128, 128, 128), PixelOf(255, 0, 0),   PixelOf(0, 255, 0),   PixelOf(255, 255, 0),
    PixelOf(0, 0, 255),     PixelOf(255, 0, 255), PixelOf(0, 255, 255), PixelOf(255, 255, 255)};

// A channel scaled to Levels steps, rounded to nearest, and back.
unsigned LevelOf(std::uint8_t Value, unsigned Levels) {
  return (Value * (Levels - 1) + 127) / 255;
}
std::uint8_t ValueOfLevel(unsigned Level, unsigned Levels) {
  return static_cast<std::uint8_t>((Level * 255 + (Levels - 1) / 2) / (Levels - 1));
}

std::vector<TPixel> PaletteFor(unsigned BitCount) {
  if (BitCount == 1) return {PixelOf(0, 0, 0), PixelOf(255, 255, 255)};
  if (BitCount == 4) return {StandardColors.begin(), StandardColors.end()};
  std::vector<TPixel> Palette;
  for (unsigned Index = 0; Index < 256; ++Index)
    Palette.push_back(PixelOf(ValueOfLevel(Index >> 5, 8), ValueOfLevel((Index >> 2) & 7, 8),
                              ValueOfLevel(Index & 3, 4)));
  return Palette;
}

unsigned IndexOf(TPixel Pixel, unsigned BitCount) {
  const unsigned R = RedOf(Pixel), G = GreenOf(Pixel), B = BlueOf(Pixel);
  if (BitCount == 1) return (R * 77 + G * 150 + B * 29) >> 8 >= 128 ? 1 : 0;
  if (BitCount == 8)
    return (LevelOf(RedOf(Pixel), 8) << 5) | (LevelOf(GreenOf(Pixel), 8) << 2) |
           LevelOf(BlueOf(Pixel), 4);
  unsigned Best = 0;
  int BestDistance = -1;
  for (unsigned I = 0; I < StandardColors.size(); ++I) {
    const int DR = static_cast<int>(R) - RedOf(StandardColors[I]);
    const int DG = static_cast<int>(G) - GreenOf(StandardColors[I]);
    const int DB = static_cast<int>(B) - BlueOf(StandardColors[I]);
    const int Distance = DR * DR + DG * DG + DB * DB;
    if (BestDistance < 0 || Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  return Best;
}

}  // namespace

std::string KitEncodeReducedBitmap(const TBitmap& Bitmap, int ColorCount) {
  const unsigned BitCount = ColorCount == 2 ? 1 : ColorCount == 16 ? 4 : 8;
  const std::vector<TPixel> Palette = PaletteFor(BitCount);
  const int Width = Bitmap.Width();
  const int Height = Bitmap.Height();
  TBitmapFileLayout Layout;
  std::string Bytes = NewBitmapFile(Width, Height, BitCount, Palette.size(), Layout);
  for (std::size_t I = 0; I < Palette.size(); ++I) {
    const std::size_t Entry = Layout.PaletteOffset + 4 * I;
    Bytes[Entry] = static_cast<char>(BlueOf(Palette[I]));
    Bytes[Entry + 1] = static_cast<char>(GreenOf(Palette[I]));
    Bytes[Entry + 2] = static_cast<char>(RedOf(Palette[I]));
  }

  const unsigned PerByte = 8 / BitCount;
  for (int Row = 0; Row < Height; ++Row) {
    const TPixel* Source = Bitmap.ScanLine(Height - 1 - Row);
    auto* Target = reinterpret_cast<unsigned char*>(Bytes.data() + Layout.PixelOffset +
                                                    static_cast<std::size_t>(Row) * Layout.Stride);
    for (int X = 0; X < Width; ++X) {
      const unsigned Slot = static_cast<unsigned>(X) % PerByte;
      const unsigned Shift = 8 - BitCount * (Slot + 1);
      Target[static_cast<unsigned>(X) / PerByte] |=
          static_cast<unsigned char>(IndexOf(Source[X], BitCount) << Shift);
    }
  }
  return Bytes;
}
