// TIcon: bitmap and PNG images, transparency, malformed files, image choice and drawing.
#include "framework/Icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <zlib.h>

#include "core/Exception.h"
#include "platform/PngDecoder.h"
#include "support/TempDir.h"

namespace {

constexpr TPixel Opaque = 0xFF000000u;
constexpr const char* InvalidMessage = "Icon image is not valid";

std::uint32_t AlphaOf(TPixel Pixel) {
  return Pixel >> 24;
}

void PutWord(std::string& Out, std::uint32_t Value) {
  Out += static_cast<char>(Value & 0xFF);
  Out += static_cast<char>((Value >> 8) & 0xFF);
}

void PutDWord(std::string& Out, std::uint32_t Value) {
  PutWord(Out, Value & 0xFFFF);
  PutWord(Out, Value >> 16);
}

void SetDWord(std::string& Out, std::size_t Pos, std::uint32_t Value) {
  std::string Bytes;
  PutDWord(Bytes, Value);
  Out.replace(Pos, 4, Bytes);
}

void PutBigEndian(std::string& Out, std::uint32_t Value) {
  for (int Shift = 24; Shift >= 0; Shift -= 8) Out += static_cast<char>((Value >> Shift) & 0xFF);
}

// A bitmap image as an icon stores it; pixel values are given top-down and written bottom-up.
struct TDib {
  int Width = 0;
  int Height = 0;
  int BitCount = 32;
  std::uint32_t HeaderSize = 40;
  std::uint32_t Compression = 0;
  // The bitmap's height when not twice Height.
  int FullHeight = 0;
  // Colour table for 1, 4 and 8 bits; its size is written as the number of colours used.
  std::vector<TPixel> Palette;
  // Red, green, blue (and alpha for larger headers) for BI_BITFIELDS.
  std::vector<std::uint32_t> Masks;
  // Per pixel: palette index, 16-bit value, 0xRRGGBB or the 32-bit value; no rows are written
  // unless there is one for every pixel.
  std::vector<std::uint32_t> Values;
  // AND mask bits (1 transparent); none written when empty.
  std::vector<int> Mask;
};

void PutRows(std::string& Out, int Width, int Height, int BitCount,
             const std::vector<std::uint32_t>& Values) {
  if (Width <= 0 || Height <= 0 || BitCount <= 0 ||
      Values.size() != static_cast<std::size_t>(Width) * Height)
    return;
  const std::size_t Stride = (static_cast<std::size_t>(Width) * BitCount + 31) / 32 * 4;
  for (int Y = Height - 1; Y >= 0; --Y) {
    std::string Row(Stride, '\0');
    for (int X = 0; X < Width; ++X) {
      const std::uint32_t Value = Values[static_cast<std::size_t>(Y) * Width + X];
      if (BitCount < 8) {
        const int Shift = 8 - BitCount * (X % (8 / BitCount) + 1);
        Row[X * BitCount / 8] = static_cast<char>(Row[X * BitCount / 8] | (Value << Shift));
      } else {
        for (int Byte = 0; Byte < BitCount / 8; ++Byte)
          Row[X * BitCount / 8 + Byte] = static_cast<char>((Value >> (8 * Byte)) & 0xFF);
      }
    }
    Out += Row;
  }
}

std::string Encode(const TDib& Dib) {
  std::string Out;
  const int FullHeight = Dib.FullHeight ? Dib.FullHeight : 2 * Dib.Height;
  PutDWord(Out, Dib.HeaderSize);
  if (Dib.HeaderSize == 12) {
    PutWord(Out, Dib.Width);
    PutWord(Out, FullHeight);
    PutWord(Out, 1);
    PutWord(Out, Dib.BitCount);
  } else {
    PutDWord(Out, Dib.Width);
    PutDWord(Out, FullHeight);
    PutWord(Out, 1);
    PutWord(Out, Dib.BitCount);
    PutDWord(Out, Dib.Compression);
    for (int I = 0; I < 3; ++I) PutDWord(Out, 0);
    PutDWord(Out, static_cast<std::uint32_t>(Dib.Palette.size()));
    PutDWord(Out, 0);
    if (Dib.HeaderSize > 40) {
      for (std::uint32_t Mask : Dib.Masks) PutDWord(Out, Mask);
      Out.resize(Dib.HeaderSize, '\0');
    } else {
      for (std::uint32_t Mask : Dib.Masks) PutDWord(Out, Mask);
    }
  }
  for (TPixel Color : Dib.Palette) {
    Out += static_cast<char>(Color & 0xFF);
    Out += static_cast<char>((Color >> 8) & 0xFF);
    Out += static_cast<char>((Color >> 16) & 0xFF);
    if (Dib.HeaderSize != 12) Out += '\0';
  }
  PutRows(Out, Dib.Width, Dib.Height, Dib.BitCount, Dib.Values);
  if (!Dib.Mask.empty())
    PutRows(Out, Dib.Width, Dib.Height, 1,
            std::vector<std::uint32_t>(Dib.Mask.begin(), Dib.Mask.end()));
  return Out;
}

// An icon file holding the images in order; the directory's sizes are left 0, as the reader
// takes them from the images.
std::string IconFile(const std::vector<std::string>& Images) {
  std::string Out;
  PutWord(Out, 0);
  PutWord(Out, 1);
  PutWord(Out, static_cast<std::uint32_t>(Images.size()));
  std::size_t Offset = 6 + 16 * Images.size();
  for (const std::string& Image : Images) {
    PutDWord(Out, 0);  // width, height, colours, reserved
    PutWord(Out, 1);
    PutWord(Out, 0);
    PutDWord(Out, static_cast<std::uint32_t>(Image.size()));
    PutDWord(Out, static_cast<std::uint32_t>(Offset));
    Offset += Image.size();
  }
  for (const std::string& Image : Images) Out += Image;
  return Out;
}

std::uint32_t Crc32(std::string_view Bytes) {
  std::uint32_t Crc = 0xFFFFFFFFu;
  for (char Byte : Bytes) {
    Crc ^= static_cast<unsigned char>(Byte);
    for (int Bit = 0; Bit < 8; ++Bit) Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1)));
  }
  return ~Crc;
}

std::string PngChunk(std::string_view Type, std::string_view Data) {
  std::string Out;
  PutBigEndian(Out, static_cast<std::uint32_t>(Data.size()));
  const std::string Body = std::string(Type) + std::string(Data);
  Out += Body;
  PutBigEndian(Out, Crc32(Body));
  return Out;
}

// A zlib stream of stored (uncompressed) blocks.
std::string ZlibStored(std::string_view Raw) {
  std::string Out = "\x78\x01";
  std::size_t Pos = 0;
  do {
    const std::size_t Length = std::min<std::size_t>(Raw.size() - Pos, 65535);
    Out += static_cast<char>(Pos + Length == Raw.size() ? 1 : 0);
    PutWord(Out, static_cast<std::uint32_t>(Length));
    PutWord(Out, static_cast<std::uint32_t>(~Length & 0xFFFF));
    Out += Raw.substr(Pos, Length);
    Pos += Length;
  } while (Pos < Raw.size());
  std::uint32_t A = 1, B = 0;
  for (char Byte : Raw) {
    A = (A + static_cast<unsigned char>(Byte)) % 65521;
    B = (B + A) % 65521;
  }
  PutBigEndian(Out, (B << 16) | A);
  return Out;
}

// A zlib stream of Raw followed by Mebibytes of zeros, each mebibyte compressed once and repeated:
// full flushes make its blocks independent of what came before.
std::string ZlibWithTrailingZeros(std::string_view Raw, int Mebibytes) {
  z_stream Stream{};
  EXPECT_EQ(deflateInit(&Stream, Z_BEST_COMPRESSION), Z_OK);
  std::string Out;
  auto Deflate = [&Stream](std::string_view In, int Flush) {
    std::string Part(deflateBound(&Stream, static_cast<uLong>(In.size())) + 64, '\0');
    Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(In.data()));
    Stream.avail_in = static_cast<uInt>(In.size());
    Stream.next_out = reinterpret_cast<Bytef*>(Part.data());
    Stream.avail_out = static_cast<uInt>(Part.size());
    deflate(&Stream, Flush);
    Part.resize(Part.size() - Stream.avail_out);
    return Part;
  };
  Out += Deflate(Raw, Z_FULL_FLUSH);
  const std::string Zeros(1u << 20, '\0');
  const std::string Block = Deflate(Zeros, Z_FULL_FLUSH);
  for (int I = 0; I < Mebibytes; ++I) Out += Block;
  std::string End = Deflate("", Z_FINISH);
  deflateEnd(&Stream);
  uLong Adler =
      adler32(1, reinterpret_cast<const Bytef*>(Raw.data()), static_cast<uInt>(Raw.size()));
  const uLong ZerosAdler =
      adler32(1, reinterpret_cast<const Bytef*>(Zeros.data()), static_cast<uInt>(Zeros.size()));
  for (int I = 0; I < Mebibytes; ++I)
    Adler = adler32_combine(Adler, ZerosAdler, static_cast<z_off_t>(Zeros.size()));
  End.resize(End.size() - 4);
  PutBigEndian(End, static_cast<std::uint32_t>(Adler));
  return Out + End;
}

std::string PngHeader(std::uint32_t Width, std::uint32_t Height, int ColorType, int BitDepth = 8,
                      bool Interlaced = false) {
  std::string Header;
  PutBigEndian(Header, Width);
  PutBigEndian(Header, Height);
  Header += static_cast<char>(BitDepth);
  Header += static_cast<char>(ColorType);
  Header += std::string(2, '\0');
  Header += static_cast<char>(Interlaced ? 1 : 0);
  return Header;
}

// A PNG file; Extra holds the chunks between the header and the image data.
std::string PngFile(std::string_view Header, std::string_view ImageData,
                    std::string_view Extra = "") {
  return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", Header) + std::string(Extra) +
         PngChunk("IDAT", ImageData) + PngChunk("IEND", "");
}

// An 8-bit RGBA PNG of the pixels (0xAARRGGBB, top-down), rows unfiltered.
std::string RgbaPng(int Width, int Height, const std::vector<TPixel>& Pixels) {
  std::string Raw;
  for (int Y = 0; Y < Height; ++Y) {
    Raw += '\0';
    for (int X = 0; X < Width; ++X) {
      const TPixel P = Pixels[static_cast<std::size_t>(Y) * Width + X];
      for (int Shift : {16, 8, 0, 24}) Raw += static_cast<char>((P >> Shift) & 0xFF);
    }
  }
  return PngFile(PngHeader(Width, Height, 6), ZlibStored(Raw));
}

TDib SolidDib(int Width, int Height, int BitCount) {
  TDib Dib;
  Dib.Width = Width;
  Dib.Height = Height;
  Dib.BitCount = BitCount;
  if (BitCount <= 8) Dib.Palette.assign(std::size_t{1} << BitCount, PixelOf(1, 2, 3));
  Dib.Values.assign(static_cast<std::size_t>(Width) * Height, 0);
  Dib.Mask.assign(static_cast<std::size_t>(Width) * Height, 0);
  return Dib;
}

TIcon Load(std::string_view Bytes) {
  TIcon Icon;
  Icon.LoadFromBytes(Bytes);
  return Icon;
}

void ExpectInvalid(TIcon& Icon, std::string_view Bytes) {
  try {
    Icon.LoadFromBytes(Bytes);
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidGraphic& E) {
    EXPECT_EQ(E.Message(), InvalidMessage);
  }
}

TEST(IconTest, OneBitImageUsesItsPaletteAndMaskBottomUp) {
  TDib Dib;
  Dib.Width = 3;
  Dib.Height = 2;
  Dib.BitCount = 1;
  Dib.Palette = {PixelOf(0x10, 0x20, 0x30), PixelOf(0xA0, 0xB0, 0xC0)};
  Dib.Values = {1, 0, 1, 0, 1, 1};
  Dib.Mask = {0, 1, 0, 0, 0, 1};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  ASSERT_EQ(Icon.ImageCount(), 1);
  const TIconImage& Image = Icon.Image(0);
  EXPECT_EQ(Image.Width, 3);
  EXPECT_EQ(Image.Height, 2);
  EXPECT_EQ(Image.BitCount, 1);
  EXPECT_EQ(Image.Pixel(0, 0), Opaque | 0xA0B0C0);
  EXPECT_EQ(AlphaOf(Image.Pixel(1, 0)), 0u);
  EXPECT_EQ(Image.Pixel(2, 0), Opaque | 0xA0B0C0);
  EXPECT_EQ(Image.Pixel(0, 1), Opaque | 0x102030);
  EXPECT_EQ(Image.Pixel(1, 1), Opaque | 0xA0B0C0);
  EXPECT_EQ(AlphaOf(Image.Pixel(2, 1)), 0u);
}

TEST(IconTest, FourBitImageReadsBothNibbles) {
  TDib Dib = SolidDib(5, 2, 4);
  for (std::uint32_t I = 0; I < 16; ++I) Dib.Palette[I] = I * 0x0F0E0D;
  Dib.Values = {0, 1, 2, 3, 15, 14, 13, 12, 11, 10};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  const TIconImage& Image = Icon.Image(0);
  for (int I = 0; I < 10; ++I)
    EXPECT_EQ(Image.Pixel(I % 5, I / 5), Opaque | (Dib.Values[I] * 0x0F0E0D)) << I;
}

TEST(IconTest, EightBitImageWithoutMaskIsOpaqueAndIndexesPastTheTableAreBlack) {
  TDib Dib = SolidDib(2, 2, 8);
  Dib.Palette = {PixelOf(1, 2, 3), PixelOf(4, 5, 6), PixelOf(7, 8, 9), PixelOf(10, 11, 12)};
  Dib.Values = {3, 0, 200, 1};
  Dib.Mask.clear();
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  const TIconImage& Image = Icon.Image(0);
  EXPECT_EQ(Image.Pixel(0, 0), Opaque | 0x0A0B0C);
  EXPECT_EQ(Image.Pixel(1, 0), Opaque | 0x010203);
  EXPECT_EQ(Image.Pixel(0, 1), Opaque);
  EXPECT_EQ(Image.Pixel(1, 1), Opaque | 0x040506);
}

TEST(IconTest, CoreHeaderHasThreeByteColourTable) {
  TDib Dib = SolidDib(2, 1, 4);
  Dib.HeaderSize = 12;
  Dib.Palette[5] = PixelOf(0x55, 0x66, 0x77);
  Dib.Values = {5, 0};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), Opaque | 0x556677);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), Opaque | 0x010203);
}

TEST(IconTest, SixteenBitImagesUseFiveFiveFiveOrTheirBitFields) {
  TDib Dib = SolidDib(4, 1, 16);
  Dib.Values = {0x7C00, 0x03E0, 0x001F, 0x4210};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), Opaque | 0xFF0000);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), Opaque | 0x00FF00);
  EXPECT_EQ(Icon.Image(0).Pixel(2, 0), Opaque | 0x0000FF);
  EXPECT_EQ(Icon.Image(0).Pixel(3, 0), Opaque | 0x848484);

  Dib.Compression = 3;
  Dib.Masks = {0xF800, 0x07E0, 0x001F};
  Dib.Values = {0xF800, 0x0020, 0x001F, 0xFFFF};
  Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), Opaque | 0xFF0000);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), Opaque | 0x000400);
  EXPECT_EQ(Icon.Image(0).Pixel(2, 0), Opaque | 0x0000FF);
  EXPECT_EQ(Icon.Image(0).Pixel(3, 0), Opaque | 0xFFFFFF);
}

TEST(IconTest, TwentyFourBitRowsArePaddedAndMasked) {
  TDib Dib = SolidDib(3, 2, 24);
  Dib.Values = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
  Dib.Mask = {0, 0, 1, 1, 0, 0};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  const TIconImage& Image = Icon.Image(0);
  EXPECT_EQ(Image.BitCount, 24);
  EXPECT_EQ(Image.Pixel(0, 0), Opaque | 0x112233);
  EXPECT_EQ(Image.Pixel(1, 0), Opaque | 0x445566);
  EXPECT_EQ(AlphaOf(Image.Pixel(2, 0)), 0u);
  EXPECT_EQ(AlphaOf(Image.Pixel(0, 1)), 0u);
  EXPECT_EQ(Image.Pixel(1, 1), Opaque | 0xDDEEFF);
  EXPECT_EQ(Image.Pixel(2, 1), Opaque | 0x010203);
}

TEST(IconTest, ThirtyTwoBitWithoutAlphaIsMaskedByTheAndMask) {
  TDib Dib = SolidDib(2, 1, 32);
  Dib.Values = {0x00112233, 0x00445566};
  Dib.Mask = {1, 0};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(AlphaOf(Icon.Image(0).Pixel(0, 0)), 0u);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), Opaque | 0x445566);
}

TEST(IconTest, OneNonZeroAlphaByteMakesAlphaCountOverTheMask) {
  TDib Dib = SolidDib(3, 1, 32);
  Dib.Values = {0x80112233, 0x00445566, 0xFF778899};
  Dib.Mask = {1, 0, 1};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), 0x80112233u);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), 0x00445566u);
  EXPECT_EQ(Icon.Image(0).Pixel(2, 0), 0xFF778899u);
}

TEST(IconTest, ThirtyTwoBitAlphaWithoutMaskIsKeptAsStored) {
  TDib Dib = SolidDib(2, 2, 32);
  Dib.Values = {0x01000000, 0x7F102030, 0xFF405060, 0x00000000};
  Dib.Mask.clear();
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixels, (std::vector<TPixel>{0x01000000, 0x7F102030, 0xFF405060, 0}));
}

TEST(IconTest, LargerHeaderGivesMasksWithAlpha) {
  TDib Dib = SolidDib(1, 1, 32);
  Dib.HeaderSize = 124;
  Dib.Compression = 3;
  Dib.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
  Dib.Values = {0x80332211};
  TIcon Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), 0x80112233u);

  Dib.HeaderSize = 108;
  Dib.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
  Dib.Values = {0x00332211};
  Icon = Load(IconFile({Encode(Dib)}));
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), Opaque | 0x112233);
}

TEST(IconTest, ImageSizeComesFromTheBitmapNotTheDirectory) {
  std::string File = IconFile({Encode(SolidDib(16, 8, 4))});
  File[6] = 48;
  File[7] = 0;
  TIcon Icon = Load(File);
  EXPECT_EQ(Icon.Image(0).Width, 16);
  EXPECT_EQ(Icon.Image(0).Height, 8);
}

TEST(IconTest, PngImagesKeepTheirAlpha) {
  const std::vector<TPixel> Pixels = {0xFF112233, 0x80445566, 0x00778899,
                                      0x10AABBCC, 0xFFDDEEFF, 0x40010203};
  TIcon Icon = Load(IconFile({RgbaPng(3, 2, Pixels)}));
  const TIconImage& Image = Icon.Image(0);
  EXPECT_EQ(Image.Width, 3);
  EXPECT_EQ(Image.Height, 2);
  EXPECT_EQ(Image.BitCount, 32);
  EXPECT_EQ(Image.Pixels, Pixels);
}

TEST(IconTest, GreyPngImagesAreOpaque) {
  TIcon Icon =
      Load(IconFile({PngFile(PngHeader(2, 1, 0), ZlibStored(std::string("\0\x40\xF0", 3)))}));
  EXPECT_EQ(Icon.Image(0).Pixels, (std::vector<TPixel>{Opaque | 0x404040, Opaque | 0xF0F0F0}));
}

TEST(IconTest, PalettedSixteenBitAndInterlacedPngImagesBecomeRgba) {
  // Two bits per index: 0, 1, 2 packed from the high bits; the third colour has no tRNS entry.
  const std::string Palette("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 9);
  TIcon Icon = Load(IconFile(
      {PngFile(PngHeader(3, 1, 3, 2), ZlibStored(std::string("\0\x18", 2)),
               PngChunk("PLTE", Palette) + PngChunk("tRNS", std::string("\x00\x80", 2)))}));
  EXPECT_EQ(Icon.Image(0).Pixels, (std::vector<TPixel>{0x00FF0000, 0x8000FF00, 0xFF0000FF}));

  Icon = Load(IconFile(
      {PngFile(PngHeader(1, 1, 2, 16), ZlibStored(std::string("\0\x12\x34\xAB\xCD\xFF\x00", 7)))}));
  EXPECT_EQ(Icon.Image(0).Pixels, (std::vector<TPixel>{0xFF12ABFF}));

  // Adam7 at 2 x 2: pass 1 has (0, 0), pass 6 has (1, 0), pass 7 the second row.
  Icon = Load(IconFile({PngFile(PngHeader(2, 2, 0, 8, true),
                                ZlibStored(std::string("\0\x10\0\x20\0\x30\x40", 7)))}));
  EXPECT_EQ(Icon.Image(0).Pixels, (std::vector<TPixel>{Opaque | 0x101010, Opaque | 0x202020,
                                                       Opaque | 0x303030, Opaque | 0x404040}));
}

TEST(IconTest, PicksTheClosestSizeThenTheClosestDepth) {
  TIcon Icon = Load(IconFile({Encode(SolidDib(16, 16, 4)), Encode(SolidDib(32, 32, 8)),
                              Encode(SolidDib(32, 32, 32)), Encode(SolidDib(40, 40, 8)),
                              RgbaPng(48, 48, std::vector<TPixel>(48 * 48))}));
  // The 8-bit images are nobody's choice at the screen's depth, and are not kept.
  ASSERT_EQ(Icon.ImageCount(), 3);
  EXPECT_EQ(Icon.Image(1).BitCount, 32);
  EXPECT_EQ(Icon.PickImage(32, 32), 1);
  EXPECT_EQ(Icon.PickImage(32, 32, 8), 1);
  EXPECT_EQ(Icon.PickImage(16, 16), 0);
  EXPECT_EQ(Icon.PickImage(20, 20, 4), 0);
  EXPECT_EQ(Icon.PickImage(24, 24), 1);  // 16 and 32 are as far; 32 bits decides
  EXPECT_EQ(Icon.PickImage(24, 24, 4), 0);
  EXPECT_EQ(Icon.PickImage(40, 40), 1);  // 32 and 48 are as far, both 32 bits: the first
  EXPECT_EQ(Icon.PickImage(256, 256), 2);
  EXPECT_EQ(TIcon().PickImage(32, 32), -1);
}

TEST(IconTest, MalformedFilesAreNotValidAndChangeNothing) {
  const std::string Valid = IconFile({Encode(SolidDib(2, 2, 8))});
  auto WithDib = [](auto Change) {
    TDib Dib = SolidDib(4, 4, 32);
    Change(Dib);
    return IconFile({Encode(Dib)});
  };
  std::vector<std::pair<const char*, std::string>> Cases;
  Cases.emplace_back("empty", "");
  Cases.emplace_back("short directory", Valid.substr(0, 5));
  std::string File = Valid;
  File[0] = 1;
  Cases.emplace_back("reserved not 0", File);
  File = Valid;
  File[2] = 2;
  Cases.emplace_back("cursor type", File);
  File = Valid;
  File[2] = 0;
  Cases.emplace_back("type 0", File);
  File = Valid;
  File[4] = 0;
  Cases.emplace_back("no images", File);
  File = Valid.substr(0, 6 + 16 + 10);
  File[4] = 3;
  Cases.emplace_back("directory past the end", File);
  File = Valid;
  SetDWord(File, 6 + 8, static_cast<std::uint32_t>(Valid.size()));
  Cases.emplace_back("size past the end", File);
  File = Valid;
  SetDWord(File, 6 + 12, static_cast<std::uint32_t>(Valid.size()));
  Cases.emplace_back("offset past the end", File);
  File = Valid;
  SetDWord(File, 6 + 12, 0xFFFFFFF0u);
  SetDWord(File, 6 + 8, 0x20);
  Cases.emplace_back("offset plus size wraps", File);
  File = Valid;
  SetDWord(File, 6 + 8, 0);
  Cases.emplace_back("empty image", File);
  File = Valid;
  SetDWord(File, 6 + 8, 3);
  Cases.emplace_back("image shorter than a header size", File);
  Cases.emplace_back("odd bitmap height", WithDib([](TDib& D) { D.FullHeight = 7; }));
  Cases.emplace_back("zero height", WithDib([](TDib& D) { D.Height = 0; }));
  Cases.emplace_back("most negative height", WithDib([](TDib& D) { D.FullHeight = INT_MIN; }));
  Cases.emplace_back("negative height", WithDib([](TDib& D) { D.FullHeight = -8; }));
  Cases.emplace_back("negative width", WithDib([](TDib& D) { D.Width = -4; }));
  Cases.emplace_back("header size 64", WithDib([](TDib& D) { D.HeaderSize = 64; }));
  Cases.emplace_back("header size 0", WithDib([](TDib& D) { D.HeaderSize = 0; }));
  Cases.emplace_back("2 bits per pixel", WithDib([](TDib& D) { D.BitCount = 2; }));
  Cases.emplace_back("0 bits per pixel", WithDib([](TDib& D) { D.BitCount = 0; }));
  Cases.emplace_back("run-length compression", WithDib([](TDib& D) { D.Compression = 1; }));
  Cases.emplace_back("bit fields at 24 bits", [] {
    TDib Dib = SolidDib(2, 2, 24);
    Dib.Compression = 3;
    Dib.Masks = {0xFF0000, 0xFF00, 0xFF};
    return IconFile({Encode(Dib)});
  }());
  Cases.emplace_back("zero bit field", WithDib([](TDib& D) {
                       D.Compression = 3;
                       D.Masks = {0xFF0000, 0, 0xFF};
                     }));
  Cases.emplace_back("bit field with a gap", WithDib([](TDib& D) {
                       D.Compression = 3;
                       D.Masks = {0xFF0000, 0xF0F0, 0xF};
                     }));
  Cases.emplace_back("16-bit field past 16 bits", [] {
    TDib Dib = SolidDib(2, 2, 16);
    Dib.Compression = 3;
    Dib.Masks = {0x1F0000, 0x07E0, 0x1F};
    return IconFile({Encode(Dib)});
  }());
  Cases.emplace_back("bit fields missing", WithDib([](TDib& D) {
                       D.Compression = 3;
                       D.Values.clear();
                       D.Mask.clear();
                     }));
  Cases.emplace_back("more colours than the depth allows", [] {
    TDib Dib = SolidDib(2, 2, 1);
    Dib.Palette.assign(3, 0);
    return IconFile({Encode(Dib)});
  }());
  Cases.emplace_back("colour table cut short",
                     IconFile({Encode(SolidDib(2, 2, 8)).substr(0, 40 + 100)}));
  Cases.emplace_back("pixels cut short",
                     IconFile({Encode(SolidDib(4, 4, 24)).substr(0, 40 + 4 * 12 - 1)}));
  Cases.emplace_back("width over 1024", IconFile({Encode(SolidDib(1025, 1, 32))}));
  Cases.emplace_back("height over 1024", IconFile({Encode(SolidDib(1, 1025, 32))}));
  Cases.emplace_back("huge width", WithDib([](TDib& D) { D.Width = INT_MAX; }));
  std::string Png = RgbaPng(2, 2, std::vector<TPixel>(4, Opaque));
  File = Png;
  File[File.size() - 20] ^= 0x01;  // inside the IDAT data: its checksum no longer matches
  Cases.emplace_back("corrupt PNG", IconFile({File}));
  Cases.emplace_back("truncated PNG", IconFile({Png.substr(0, Png.size() - 25)}));
  Cases.emplace_back("PNG signature only", IconFile({Png.substr(0, 8)}));
  Cases.emplace_back("PNG without pixels",
                     IconFile({PngFile(PngHeader(2, 2, 6), ZlibStored(std::string(5, '\0')))}));
  Cases.emplace_back("PNG zero width", IconFile({PngFile(PngHeader(0, 2, 6), ZlibStored(""))}));
  Cases.emplace_back("PNG wider than 16384",
                     IconFile({PngFile(PngHeader(16385, 1, 6), ZlibStored(""))}));
  Cases.emplace_back("PNG over 256 MB of pixels",
                     IconFile({PngFile(PngHeader(10000, 10000, 6), ZlibStored(""))}));

  TIcon Icon = Load(Valid);
  for (const auto& [Name, Bytes] : Cases) {
    SCOPED_TRACE(Name);
    ExpectInvalid(Icon, Bytes);
    ASSERT_EQ(Icon.ImageCount(), 1);
    EXPECT_EQ(Icon.Image(0).Width, 2);
    EXPECT_EQ(Icon.Image(0).Pixel(1, 1), Opaque | 0x010203);
  }
}

// A directory whose Count entries all point at Image.
std::string SharedImageIcon(const std::string& Image, int Count) {
  std::string Directory;
  PutWord(Directory, 0);
  PutWord(Directory, 1);
  PutWord(Directory, static_cast<std::uint32_t>(Count));
  const std::string Entry = IconFile({Image}).substr(6, 16);
  for (int I = 0; I < Count; ++I) Directory += Entry;
  for (int I = 0; I < Count; ++I)
    SetDWord(Directory, 6 + 16 * static_cast<std::size_t>(I) + 12,
             static_cast<std::uint32_t>(6 + 16 * Count));
  return Directory + Image;
}

TEST(IconTest, AnImageOfManyEntriesIsKeptOnceAndReducedToTheLargestUsedSide) {
  TDib Dib = SolidDib(1024, 1024, 1);
  Dib.Palette = {0, 0xFFFFFF};
  for (int X = 512; X < 1024; ++X) Dib.Values[X] = 1;
  const TIcon Icon = Load(SharedImageIcon(Encode(Dib), 64));
  ASSERT_EQ(Icon.ImageCount(), 1);
  const TIconImage& Image = Icon.Image(0);
  EXPECT_EQ(Image.Width, TIcon::MaxUsedSide);
  EXPECT_EQ(Image.Height, TIcon::MaxUsedSide);
  EXPECT_EQ(Image.Pixel(0, 0), Opaque);
  EXPECT_EQ(Image.Pixel(255, 0), Opaque | 0xFFFFFF);
  EXPECT_EQ(Image.Pixel(255, 1), Opaque);
}

TEST(IconTest, PngSidesUpToTheLimitLoadAndOneMoreIsRefused) {
  std::vector<TPixel> Row(MaxPngSide, Opaque | 0x123456);
  Row.back() = Opaque | 0x654321;
  TIcon Icon = Load(IconFile({RgbaPng(MaxPngSide, 1, Row)}));
  ASSERT_EQ(Icon.ImageCount(), 1);
  EXPECT_EQ(Icon.Image(0).Width, TIcon::MaxUsedSide);
  EXPECT_EQ(Icon.Image(0).Height, 1);
  Icon = Load(IconFile({RgbaPng(1, MaxPngSide, Row)}));
  EXPECT_EQ(Icon.Image(0).Height, TIcon::MaxUsedSide);
  EXPECT_EQ(Icon.Image(0).Pixel(0, TIcon::MaxUsedSide - 1), Opaque | 0x123456);
  ExpectInvalid(Icon, IconFile({PngFile(PngHeader(1, MaxPngSide + 1, 6), ZlibStored(""))}));
  // Sides within the limit whose pixels pass the memory limit by one row.
  const std::uint32_t Rows = MaxPngBytes / sizeof(TPixel) / MaxPngSide;
  ExpectInvalid(Icon, IconFile({PngFile(PngHeader(MaxPngSide, Rows + 1, 6), ZlibStored(""))}));
  EXPECT_EQ(Icon.ImageCount(), 1);
}

TEST(IconTest, TheMostEntriesADirectoryCanCountLoadOneImage) {
  // The count is a 16-bit field: 65535 entries, all of one small image, are a small file.
  TIcon Icon = Load(SharedImageIcon(RgbaPng(1, 1, {Opaque | 0x0A0B0C}), 65535));
  ASSERT_EQ(Icon.ImageCount(), 1);
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), Opaque | 0x0A0B0C);
  // Entries past the first ones are not looked at, however damaged.
  std::string File = SharedImageIcon(RgbaPng(1, 1, {Opaque | 0x0A0B0C}), 100);
  SetDWord(File, 6 + 16 * TIcon::MaxEntries + 12, 0xFFFFFFFFu);
  EXPECT_EQ(Load(File).ImageCount(), 1);
}

// A 16 x 16 PNG whose image data goes on with a gibibyte of compressed zeros after its rows,
// referred to by every entry of a full directory: the rows are read once, and the zeros never.
TEST(IconTest, CompressedDataPastThePngRowsIsNotInflated) {
  std::string Raw;
  for (int Y = 0; Y < 16; ++Y) {
    Raw += '\0';
    for (int X = 0; X < 16 * 4; ++X) Raw += static_cast<char>(X % 4 == 3 ? 0xFF : Y);
  }
  const std::string Data = ZlibWithTrailingZeros(Raw, 1024);
  const TIcon Icon = Load(SharedImageIcon(PngFile(PngHeader(16, 16, 6), Data), 65535));
  ASSERT_EQ(Icon.ImageCount(), 1);
  EXPECT_EQ(Icon.Image(0).Pixel(3, 15), Opaque | 0x0F0F0F);
}

TEST(IconTest, PngTextChunksPastTheirLimitsArePassedOver) {
  const std::string Pixels = ZlibStored(std::string("\0\x01\x02\x03\xFF", 5));
  auto Text = [](std::size_t Size) {
    std::string Data = "Comment";
    Data += '\0';
    Data.resize(Size, 't');
    return PngChunk("tEXt", Data);
  };
  std::string Many;
  for (int I = 0; I < 300; ++I) Many += Text(16);
  // More text chunks than are kept, and text larger than is kept, are passed over: the limits
  // bound what is held, and the picture still loads.
  for (const std::string& Extra : {Many, Text(8u << 20), Text((8u << 20) + 1)}) {
    TIcon Icon = Load(IconFile({PngFile(PngHeader(1, 1, 6), Pixels, Extra)}));
    EXPECT_EQ(Icon.Image(0).Pixel(0, 0), 0xFF010203u);
  }
}

TEST(IconTest, FilesOverSixtyFourMebibytesAreRefused) {
  std::string File = IconFile({Encode(SolidDib(2, 2, 8))});
  File.resize(TIcon::MaxFileBytes, '\0');
  EXPECT_EQ(Load(File).ImageCount(), 1);
  File += '\0';
  TIcon Icon;
  ExpectInvalid(Icon, File);
}

TEST(IconTest, LoadsFromFilesAndNamesTheFullPathOfAMissingOne) {
  TTempDir Dir;
  TIcon Icon;
  Icon.LoadFromFile(Dir.Write("app.ico", IconFile({Encode(SolidDib(3, 3, 24))})));
  EXPECT_EQ(Icon.Image(0).Width, 3);

  const std::string Relative = "no-such-folder/missing.ico";
  try {
    Icon.LoadFromFile(Relative);
    ADD_FAILURE() << "loaded";
  } catch (const EFOpenError& E) {
    EXPECT_EQ(E.Message(),
              "Cannot open file " + (std::filesystem::current_path() / Relative).string());
  }
  EXPECT_THROW(Icon.LoadFromFile(Dir.MakeDir("folder.ico")), EFOpenError);
  EXPECT_THROW(Icon.LoadFromFile(Dir.Write("bad.ico", "not an icon")), EInvalidGraphic);
  EXPECT_EQ(Icon.Image(0).Width, 3);
}

TEST(DrawIconImageTest, BlendsOverTheBitmapAndLeavesAlphaZero) {
  TBitmap Target(4, 1);
  for (int X = 0; X < 4; ++X) Target.SetPixel(X, 0, 0x00204060);
  Target.SetPixel(1, 0, 0xFF204060);
  TIconImage Image;
  Image.Width = 4;
  Image.Height = 1;
  Image.Pixels = {0xFF112233, 0x00FFFFFF, 0x800000FF, 0x40FFFFFF};
  DrawIconImage(Target, 0, 0, Image);
  EXPECT_EQ(Target.Pixel(0, 0), 0x00112233u);
  EXPECT_EQ(Target.Pixel(1, 0), 0x00204060u);
  EXPECT_EQ(Target.Pixel(2, 0), 0x001020B0u);  // (255 * 128 + 0x60 * 127) / 255 = 176
  EXPECT_EQ(Target.Pixel(3, 0), 0x00587088u);
}

TEST(DrawIconImageTest, ClipsToTheBitmap) {
  TIconImage Image;
  Image.Width = 3;
  Image.Height = 3;
  for (TPixel I = 0; I < 9; ++I) Image.Pixels.push_back(Opaque | (I + 1));
  constexpr TPixel Background = 0x00AAAAAA;
  auto Drawn = [&](int X, int Y) {
    auto Target = std::make_unique<TBitmap>(4, 4);
    for (int TY = 0; TY < 4; ++TY)
      for (int TX = 0; TX < 4; ++TX) Target->SetPixel(TX, TY, Background);
    DrawIconImage(*Target, X, Y, Image);
    return Target;
  };
  auto Target = Drawn(-1, -1);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X)
      EXPECT_EQ(Target->Pixel(X, Y),
                X < 2 && Y < 2 ? Image.Pixel(X + 1, Y + 1) & 0xFFFFFF : Background)
          << X << "," << Y;
  Target = Drawn(3, 2);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X)
      EXPECT_EQ(Target->Pixel(X, Y),
                X == 3 && Y >= 2 ? Image.Pixel(0, Y - 2) & 0xFFFFFF : Background)
          << X << "," << Y;
  for (auto [X, Y] : {std::pair{4, 0},
                      {0, 4},
                      {-3, 0},
                      {0, -3},
                      {INT_MAX, INT_MAX},
                      {INT_MIN, INT_MIN},
                      {INT_MAX, 0},
                      {0, INT_MIN}}) {
    Target = Drawn(X, Y);
    for (int TY = 0; TY < 4; ++TY)
      for (int TX = 0; TX < 4; ++TX) EXPECT_EQ(Target->Pixel(TX, TY), Background) << X << "," << Y;
  }
}

}  // namespace
