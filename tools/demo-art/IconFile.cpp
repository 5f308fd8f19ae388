// Icon files of 32-bit images: the directory, then each image as a bitmap of twice its height
// (colour rows, then the AND mask rows), bottom-up.
#include "tools/demo-art/IconFile.h"

#include <cstdint>

#include "core/LittleEndian.h"

namespace {

constexpr std::size_t DirectoryBytes = 6;
constexpr std::size_t EntryBytes = 16;
constexpr std::size_t HeaderBytes = 40;

std::size_t MaskRowBytes(int Width) {
  return static_cast<std::size_t>((Width + 31) / 32) * 4;
}

std::string ImageBytes(const TIconImage& Image) {
  const std::size_t Colour = static_cast<std::size_t>(Image.Width) * Image.Height * 4;
  const std::size_t Mask = MaskRowBytes(Image.Width) * static_cast<std::size_t>(Image.Height);
  std::string Bytes(HeaderBytes + Colour + Mask, '\0');
  PutDword(Bytes, 0, HeaderBytes);
  PutDword(Bytes, 4, static_cast<std::uint32_t>(Image.Width));
  PutDword(Bytes, 8, static_cast<std::uint32_t>(Image.Height * 2));
  PutWord(Bytes, 12, 1);
  PutWord(Bytes, 14, 32);
  PutDword(Bytes, 20, static_cast<std::uint32_t>(Colour + Mask));
  for (int Y = 0; Y < Image.Height; ++Y) {
    const int Row = Image.Height - 1 - Y;  // bottom-up
    for (int X = 0; X < Image.Width; ++X) {
      const TPixel Pixel = Image.Pixel(X, Y);
      PutDword(Bytes, HeaderBytes + (static_cast<std::size_t>(Row) * Image.Width + X) * 4, Pixel);
      if ((Pixel >> 24) == 0) {
        const std::size_t At = HeaderBytes + Colour + MaskRowBytes(Image.Width) * Row + X / 8;
        Bytes[At] = static_cast<char>(Bytes[At] | (0x80 >> (X % 8)));
      }
    }
  }
  return Bytes;
}

}  // namespace

std::string IconFileBytes(const std::vector<TIconImage>& Images) {
  std::string Bytes(DirectoryBytes + EntryBytes * Images.size(), '\0');
  PutWord(Bytes, 2, 1);
  PutWord(Bytes, 4, static_cast<std::uint32_t>(Images.size()));
  for (std::size_t I = 0; I < Images.size(); ++I) {
    const TIconImage& Image = Images[I];
    const std::string Data = ImageBytes(Image);
    const std::size_t Entry = DirectoryBytes + EntryBytes * I;
    Bytes[Entry] = static_cast<char>(Image.Width & 0xFF);  // 0 stands for 256
    Bytes[Entry + 1] = static_cast<char>(Image.Height & 0xFF);
    PutWord(Bytes, Entry + 4, 1);
    PutWord(Bytes, Entry + 6, 32);
    PutDword(Bytes, Entry + 8, static_cast<std::uint32_t>(Data.size()));
    PutDword(Bytes, Entry + 12, static_cast<std::uint32_t>(Bytes.size()));
    Bytes += Data;
  }
  return Bytes;
}
