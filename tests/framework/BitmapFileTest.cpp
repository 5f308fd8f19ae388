// Bitmap files: every header, depth and compression decoded to exact pixels, malformed files
// refused cleanly, round trips, and loading through TBitmap.
#include "framework/BitmapFile.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "support/TempDir.h"

namespace {
// The largest single allocation since the last reset: a refused size must allocate nothing.
std::atomic<std::size_t> LargestAllocation{0};
}  // namespace

// These replace the allocator of the whole test program, only to record sizes. They are not
// inlined, so that the compiler sees new paired with delete, not with free.
[[gnu::noinline]] void* operator new(std::size_t Size) {
  std::size_t Seen = LargestAllocation.load(std::memory_order_relaxed);
  while (Size > Seen &&
         !LargestAllocation.compare_exchange_weak(Seen, Size, std::memory_order_relaxed)) {
  }
  if (void* Block = std::malloc(Size != 0 ? Size : 1)) return Block;
  throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* Block) noexcept {
  std::free(Block);
}
[[gnu::noinline]] void operator delete(void* Block, std::size_t) noexcept {
  std::free(Block);
}

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

const std::string NotValid = "EInvalidGraphic: Bitmap image is not valid";
const std::string TooLarge = "EOutOfResources: Bitmap is too large";

constexpr TPixel Black = 0x000000;
constexpr TPixel Red = 0xFF0000;
constexpr TPixel Green = 0x00FF00;
constexpr TPixel Blue = 0x0000FF;
constexpr TPixel White = 0xFFFFFF;
// Palette entry 0 of the run-length files: not black, so untouched pixels show as such.
constexpr TPixel Dark = 0x101010;

// Little-endian bytes, written field by field.
class TBytes {
 public:
  TBytes& Raw(std::string_view Text) {
    FBytes += Text;
    return *this;
  }
  TBytes& Byte(unsigned Value) {
    FBytes += static_cast<char>(Value & 0xFF);
    return *this;
  }
  TBytes& Bytes(std::initializer_list<unsigned> Values) {
    for (unsigned Value : Values) Byte(Value);
    return *this;
  }
  TBytes& Word(std::uint32_t Value) { return Byte(Value).Byte(Value >> 8); }
  TBytes& Dword(std::uint32_t Value) { return Word(Value & 0xFFFF).Word(Value >> 16); }
  TBytes& Zeros(std::size_t Count) {
    FBytes.append(Count, '\0');
    return *this;
  }
  const std::string& Str() const { return FBytes; }
  std::size_t Size() const { return FBytes.size(); }

 private:
  std::string FBytes;
};

struct TInfo {
  std::int32_t Width = 1;
  std::int32_t Height = 1;
  std::uint32_t HeaderSize = 40;
  std::uint32_t Planes = 1;
  std::uint32_t BitCount = 24;
  std::uint32_t Compression = BI_RGB;
  std::uint32_t ColorsUsed = 0;
  // Red, green, blue and alpha masks inside V4 and V5 headers.
  std::array<std::uint32_t, 4> Masks{};
  // Where the pixels start; by default right after Tables.
  std::optional<std::uint32_t> OffBits{};
};

// A bitmap file: the file header, a header of Info.HeaderSize bytes, Tables (masks and colours
// that follow the header), then Pixels.
std::string MakeFile(const TInfo& Info, std::string_view Tables, std::string_view Pixels) {
  TBytes Header;
  if (Info.HeaderSize == 12) {
    Header.Dword(12).Word(static_cast<std::uint32_t>(Info.Width));
    Header.Word(static_cast<std::uint32_t>(Info.Height)).Word(Info.Planes).Word(Info.BitCount);
  } else {
    Header.Dword(Info.HeaderSize).Dword(static_cast<std::uint32_t>(Info.Width));
    Header.Dword(static_cast<std::uint32_t>(Info.Height)).Word(Info.Planes).Word(Info.BitCount);
    Header.Dword(Info.Compression).Dword(0).Dword(2835).Dword(2835).Dword(Info.ColorsUsed);
    Header.Dword(0);
    if (Info.HeaderSize >= 108)
      for (std::uint32_t Mask : Info.Masks) Header.Dword(Mask);
    if (Header.Size() < Info.HeaderSize) Header.Zeros(Info.HeaderSize - Header.Size());
  }
  const std::size_t Natural = 14 + Header.Size() + Tables.size();
  TBytes File;
  File.Raw("BM").Dword(static_cast<std::uint32_t>(Natural + Pixels.size())).Dword(0);
  File.Dword(Info.OffBits.value_or(static_cast<std::uint32_t>(Natural)));
  File.Raw(Header.Str()).Raw(Tables).Raw(Pixels);
  return File.Str();
}

// A colour table of 4-byte entries, or 3-byte ones for core headers.
std::string Colors(std::initializer_list<TPixel> Entries, bool Core = false) {
  TBytes Table;
  for (TPixel Entry : Entries) {
    Table.Bytes({Entry & 0xFF, (Entry >> 8) & 0xFF, (Entry >> 16) & 0xFF});
    if (!Core) Table.Byte(0);
  }
  return Table.Str();
}

std::string Masks(std::uint32_t RedMask, std::uint32_t GreenMask, std::uint32_t BlueMask) {
  return TBytes().Dword(RedMask).Dword(GreenMask).Dword(BlueMask).Str();
}

struct TDecoded {
  int Width = 0;
  int Height = 0;
  // Top row first.
  std::vector<TPixel> Pixels;
  bool operator==(const TDecoded&) const = default;
};

void PrintTo(const TDecoded& Decoded, std::ostream* Out) {
  *Out << Decoded.Width << "x" << Decoded.Height << " {";
  char Text[16];
  for (TPixel Pixel : Decoded.Pixels) {
    std::snprintf(Text, sizeof Text, " %08X", Pixel);
    *Out << Text;
  }
  *Out << " }";
}

TDecoded Contents(const TBitmap& Bitmap) {
  TDecoded Decoded{Bitmap.Width(), Bitmap.Height(), {}};
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    Decoded.Pixels.insert(Decoded.Pixels.end(), Bitmap.ScanLine(Y),
                          Bitmap.ScanLine(Y) + Bitmap.Width());
  return Decoded;
}

// Bytes copied to a block of exactly their size, so that a sanitizer sees any read past them.
void DecodeExact(std::string_view Bytes, TBitmap& Bitmap) {
  const std::vector<char> Exact(Bytes.begin(), Bytes.end());
  DecodeBitmapFile(std::string_view(Exact.data(), Exact.size()), Bitmap);
}

TDecoded Decode(std::string_view Bytes) {
  TBitmap Bitmap;
  DecodeExact(Bytes, Bitmap);
  return Contents(Bitmap);
}

// What decoding Bytes raises, with its message, or "decoded".
std::string Outcome(std::string_view Bytes) {
  TBitmap Bitmap;
  try {
    DecodeExact(Bytes, Bitmap);
    return "decoded";
  } catch (const EInvalidGraphic& Error) {
    return "EInvalidGraphic: " + Error.Message();
  } catch (const EOutOfResources& Error) {
    return "EOutOfResources: " + Error.Message();
  }
}

void PatchWord(std::string& File, std::size_t Pos, std::uint32_t Value) {
  File[Pos] = static_cast<char>(Value & 0xFF);
  File[Pos + 1] = static_cast<char>((Value >> 8) & 0xFF);
}

void PatchDword(std::string& File, std::size_t Pos, std::uint32_t Value) {
  PatchWord(File, Pos, Value & 0xFFFF);
  PatchWord(File, Pos + 2, Value >> 16);
}

// Offsets of info-header fields in a file.
constexpr std::size_t OffBitsAt = 10, HeaderSizeAt = 14, WidthAt = 18, HeightAt = 22, PlanesAt = 26,
                      BitCountAt = 28, CompressionAt = 30;

// 3 x 2 at 24 bits: rows of 9 bytes padded to 12.
std::string File24() {
  TBytes Rows;
  Rows.Bytes({0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xEE, 0xEE, 0xEE});
  Rows.Bytes({0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xEE, 0xEE, 0xEE});
  return MakeFile({.Width = 3, .Height = 2}, "", Rows.Str());
}
const TDecoded Pixels24{3, 2, {0x030201, White, Black, Red, Green, Blue}};

// 6 x 4, RLE8: encoded and absolute runs, end of line, delta, end of bitmap.
std::string FileRle8() {
  TBytes Data;
  Data.Bytes({3, 1, 0, 3, 2, 3, 2, 0, 0, 0});  // row 0: three reds, absolute 3 padded, EOL
  Data.Bytes({2, 3, 0, 2, 1, 1, 1, 1, 0, 0});  // row 1: two blues, delta (1, 1), a red, EOL
  Data.Bytes({0, 4, 1, 2, 3, 0, 0, 1, 6, 1});  // row 3: absolute 4, end; then ignored data
  return MakeFile({.Width = 6, .Height = 4, .BitCount = 8, .Compression = BI_RLE8, .ColorsUsed = 4},
                  Colors({Dark, Red, Green, Blue}), Data.Str());
}
const TDecoded PixelsRle8{6, 4, {Red,   Green, Blue,  Dark,  Black, Black,  //
                                 Black, Black, Black, Red,   Black, Black,  //
                                 Blue,  Blue,  Black, Black, Black, Black,  //
                                 Red,   Red,   Red,   Green, Blue,  Green}};

// 6 x 2, RLE4: an absolute run of 5 nibbles padded to 4 bytes, runs of alternating nibbles, a
// delta and the end of bitmap.
std::string FileRle4() {
  TBytes Data;
  Data.Bytes({0, 5, 0x12, 0x30, 0x10, 0x00, 1, 0x20, 0, 0});  // row 0
  Data.Bytes({2, 0x31, 0, 2, 2, 0, 2, 0x22, 0, 1});           // row 1
  return MakeFile({.Width = 6, .Height = 2, .BitCount = 4, .Compression = BI_RLE4, .ColorsUsed = 4},
                  Colors({Dark, Red, Green, Blue}), Data.Str());
}
const TDecoded PixelsRle4{
    6, 2, {Blue, Red, Black, Black, Green, Green, Red, Green, Blue, Dark, Red, Green}};

// 3 x 2 run-length file of Data, palette Dark, Red, Green, Blue.
std::string SmallRle8(std::string_view Data) {
  return MakeFile({.Width = 3, .Height = 2, .BitCount = 8, .Compression = BI_RLE8, .ColorsUsed = 4},
                  Colors({Dark, Red, Green, Blue}), Data);
}

TEST(BitmapFileTest, OneBitRowsArePaddedAndReadFromTheHighBit) {
  TBytes Rows;
  Rows.Bytes({0xA0, 0xFF, 0xEE, 0xEE});  // bottom: 1010000011, the rest of the byte unused
  Rows.Bytes({0x7F, 0x40, 0xEE, 0xEE});  // top: 0111111101
  const TPixel C0 = 0x112233, C1 = 0xAABBCC;
  EXPECT_EQ(
      Decode(MakeFile({.Width = 10, .Height = 2, .BitCount = 1}, Colors({C0, C1}), Rows.Str())),
      (TDecoded{10, 2, {C0, C1, C1, C1, C1, C1, C1, C1, C0, C1,  //
                        C1, C0, C1, C0, C0, C0, C0, C0, C1, C1}}));
}

TEST(BitmapFileTest, FourBitIndicesPastAShortTableAreBlack) {
  TBytes Rows;
  Rows.Bytes({0x01, 0x25, 0xEE, 0xEE});  // bottom: 0, 1, 2
  Rows.Bytes({0x25, 0x1F, 0xEE, 0xEE});  // top: 2, 5, 1
  EXPECT_EQ(Decode(MakeFile({.Width = 3, .Height = 2, .BitCount = 4, .ColorsUsed = 3},
                            Colors({Red, Green, Blue}), Rows.Str())),
            (TDecoded{3, 2, {Blue, Black, Green, Red, Green, Blue}}));
}

TEST(BitmapFileTest, EightBitTopDownAndBottomUpGiveTheSamePicture) {
  TBytes Table;
  for (unsigned I = 0; I < 256; ++I) Table.Bytes({I / 2, 255 - I, I, 0});
  const std::string Top = TBytes().Bytes({0, 1, 2, 254, 255, 9, 9, 9}).Str();
  const std::string Bottom = TBytes().Bytes({10, 20, 30, 40, 50, 9, 9, 9}).Str();
  const TDecoded Expected{
      5,
      2,
      {PixelOf(0, 255, 0), PixelOf(1, 254, 0), PixelOf(2, 253, 1), PixelOf(254, 1, 127),
       PixelOf(255, 0, 127), PixelOf(10, 245, 5), PixelOf(20, 235, 10), PixelOf(30, 225, 15),
       PixelOf(40, 215, 20), PixelOf(50, 205, 25)}};
  EXPECT_EQ(Decode(MakeFile({.Width = 5, .Height = -2, .BitCount = 8}, Table.Str(), Top + Bottom)),
            Expected);
  EXPECT_EQ(Decode(MakeFile({.Width = 5, .Height = 2, .BitCount = 8}, Table.Str(), Bottom + Top)),
            Expected);
}

TEST(BitmapFileTest, SixteenBitsWithoutMasksAreFiveFiveFiveScaledByRounding) {
  // White, red, then red 16/31 and green 1/31 with the unused top bit set, then blue.
  const std::string Row = TBytes().Word(0x7FFF).Word(0x7C00).Word(0xC020).Word(0x001F).Str();
  EXPECT_EQ(Decode(MakeFile({.Width = 4, .Height = 1, .BitCount = 16}, "", Row)),
            (TDecoded{4, 1, {White, Red, PixelOf(132, 8, 0), Blue}}));
}

TEST(BitmapFileTest, SixteenBitFiveSixFiveMasksFollowAnInfoHeader) {
  const std::string Row = TBytes().Word(0xFFFF).Word(0x0C1F).Word(0x07E0).Word(0).Str();
  EXPECT_EQ(Decode(MakeFile({.Width = 3, .Height = 1, .BitCount = 16, .Compression = BI_BITFIELDS},
                            Masks(0xF800, 0x07E0, 0x001F), Row)),
            (TDecoded{3, 1, {White, PixelOf(8, 130, 255), Green}}));
}

TEST(BitmapFileTest, TwentyFourBitRowsArePaddedAndBottomUp) {
  EXPECT_EQ(Decode(File24()), Pixels24);
  // Rows of 12 bytes need no padding: the last pixel ends the row and the file.
  TBytes Rows;
  Rows.Bytes(
      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
  EXPECT_EQ(Decode(MakeFile({.Width = 4, .Height = 2}, "", Rows.Str())),
            (TDecoded{4,
                      2,
                      {0x0F0E0D, 0x121110, 0x151413, 0x181716,  //
                       0x030201, 0x060504, 0x090807, 0x0C0B0A}}));
  EXPECT_EQ(Decode(MakeFile({}, "", TBytes().Bytes({1, 2, 3, 4}).Str())),
            (TDecoded{1, 1, {0x030201}}));
}

TEST(BitmapFileTest, ThirtyTwoBitsWithoutMasksIgnoreTheTopByte) {
  const std::string Row = TBytes().Bytes({1, 2, 3, 0xFF, 0x10, 0x20, 0x30, 0x80}).Str();
  EXPECT_EQ(Decode(MakeFile({.Width = 2, .Height = 1, .BitCount = 32}, "", Row)),
            (TDecoded{2, 1, {PixelOf(3, 2, 1), PixelOf(0x30, 0x20, 0x10)}}));
}

TEST(BitmapFileTest, ThirtyTwoBitMasksOfAnyOrderAndWidth) {
  const TInfo Info{.Width = 2, .Height = 1, .BitCount = 32, .Compression = BI_BITFIELDS};
  const std::string Row = TBytes().Dword(0x44332211).Dword(0xFF000000).Str();
  EXPECT_EQ(Decode(MakeFile(Info, Masks(0x000000FF, 0x0000FF00, 0x00FF0000), Row)),
            (TDecoded{2, 1, {PixelOf(0x11, 0x22, 0x33), Black}}));
  // Ten bits a channel: 512 of 1023 is 128, 1 of 1023 rounds to 0.
  EXPECT_EQ(Decode(MakeFile(Info, Masks(0x3FF00000, 0x000FFC00, 0x000003FF),
                            TBytes().Dword(0x3FF80001).Dword(0x000FFC00).Str())),
            (TDecoded{2, 1, {PixelOf(255, 128, 0), Green}}));
  // A 21-bit channel, too wide for a lookup table.
  EXPECT_EQ(Decode(MakeFile(Info, Masks(0xFFFFF800, 0x000007E0, 0x0000001F),
                            TBytes().Dword(0x80000000).Dword(0xFFFFF800).Str())),
            (TDecoded{2, 1, {PixelOf(128, 0, 0), Red}}));
}

TEST(BitmapFileTest, CoreHeadersHaveThreeByteColours) {
  const std::string Table = Colors({Red, Green, Blue, White, 0x123456, Black, Black, Black, Black,
                                    Black, Black, Black, Black, Black, Black, Black},
                                   true);
  const std::string Rows = TBytes().Bytes({0x01, 0, 0, 0, 0x23, 0, 0, 0}).Str();
  EXPECT_EQ(
      Decode(MakeFile({.Width = 2, .Height = 2, .HeaderSize = 12, .BitCount = 4}, Table, Rows)),
      (TDecoded{2, 2, {Blue, White, Red, Green}}));
  const std::string Pixel = TBytes().Bytes({0x56, 0x34, 0x12, 0}).Str();
  EXPECT_EQ(Decode(MakeFile({.HeaderSize = 12}, "", Pixel)), (TDecoded{1, 1, {0x123456}}));
}

TEST(BitmapFileTest, Os2VersionTwoHeaderIsReadLikeAnInfoHeader) {
  const std::string Rows = TBytes().Bytes({0x80, 0, 0, 0}).Str();
  EXPECT_EQ(Decode(MakeFile({.Width = 2, .HeaderSize = 64, .BitCount = 1, .ColorsUsed = 2},
                            Colors({Red, Green}), Rows)),
            (TDecoded{2, 1, {Green, Red}}));
}

TEST(BitmapFileTest, V4AndV5HeadersCarryTheirMasksInside) {
  const std::string Row = TBytes().Word(0xF800).Word(0x001F).Str();
  EXPECT_EQ(Decode(MakeFile({.Width = 2,
                             .HeaderSize = 108,
                             .BitCount = 16,
                             .Compression = BI_BITFIELDS,
                             .Masks = {0xF800, 0x07E0, 0x001F, 0}},
                            "", Row)),
            (TDecoded{2, 1, {Red, Blue}}));
  // The alpha mask is not used: decoded pixels carry no alpha.
  EXPECT_EQ(Decode(MakeFile({.HeaderSize = 124,
                             .BitCount = 32,
                             .Compression = BI_BITFIELDS,
                             .Masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF}},
                            "", TBytes().Dword(0x112233FF).Str())),
            (TDecoded{1, 1, {PixelOf(0x33, 0x22, 0x11)}}));
  // Without bitfields compression the masks are ignored.
  EXPECT_EQ(Decode(MakeFile({.HeaderSize = 124, .BitCount = 32, .Masks = {1, 2, 4, 8}}, "",
                            TBytes().Dword(0xFF112233).Str())),
            (TDecoded{1, 1, {0x112233}}));
}

TEST(BitmapFileTest, PixelsStartAtOffBitsOrAfterAnyColourTable) {
  const std::string Pixel = TBytes().Bytes({0x56, 0x34, 0x12, 0}).Str();
  EXPECT_EQ(Decode(MakeFile({.OffBits = 14 + 40 + 6}, "garbag", Pixel)),
            (TDecoded{1, 1, {0x123456}}));
  // A 24-bit picture may carry colours for palette displays; they come before the pixels.
  EXPECT_EQ(Decode(MakeFile({.ColorsUsed = 2, .OffBits = 0}, Colors({Red, Green}), Pixel)),
            (TDecoded{1, 1, {0x123456}}));
  // OffBits 0: right after the header, the masks and the colour table.
  const std::string Indices = TBytes().Bytes({1, 0, 0, 0}).Str();
  EXPECT_EQ(Decode(MakeFile({.BitCount = 8, .ColorsUsed = 2, .OffBits = 0}, Colors({Red, Green}),
                            Indices)),
            (TDecoded{1, 1, {Green}}));
  EXPECT_EQ(Decode(MakeFile({.HeaderSize = 12, .BitCount = 1, .OffBits = 0},
                            Colors({Red, Green}, true), TBytes().Bytes({0x80, 0, 0, 0}).Str())),
            (TDecoded{1, 1, {Green}}));
  EXPECT_EQ(Decode(MakeFile({.BitCount = 16, .Compression = BI_BITFIELDS, .OffBits = 0},
                            Masks(0xF800, 0x07E0, 0x001F), TBytes().Word(0x07E0).Word(0).Str())),
            (TDecoded{1, 1, {Green}}));
}

TEST(BitmapFileTest, WidestPictureAllowed) {
  // 196605 bytes of pixels padded to 196608.
  TBytes Row;
  Row.Bytes({1, 2, 3}).Zeros(196608 - 3);
  const TDecoded Decoded = Decode(MakeFile({.Width = 65535}, "", Row.Str()));
  ASSERT_EQ(Decoded.Width, 65535);
  EXPECT_EQ(Decoded.Pixels[0], 0x030201u);
  EXPECT_EQ(Decoded.Pixels[65534], Black);
}

TEST(BitmapFileTest, RunLengthEightBits) {
  EXPECT_EQ(Decode(FileRle8()), PixelsRle8);
}

TEST(BitmapFileTest, RunLengthFourBits) {
  EXPECT_EQ(Decode(FileRle4()), PixelsRle4);
}

TEST(BitmapFileTest, RunLengthRunsAreClippedAtTheRightEdgeWithoutWrapping) {
  // Five reds on a row of three, end of line, one green.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({5, 1, 0, 0, 1, 2, 0, 1}).Str())),
            (TDecoded{3, 2, {Green, Black, Black, Red, Red, Red}}));
  // An absolute run of four, then a blue that also falls past the edge.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({0, 4, 1, 2, 3, 1, 1, 3, 0, 1}).Str())),
            (TDecoded{3, 2, {Black, Black, Black, Red, Green, Blue}}));
}

TEST(BitmapFileTest, RunLengthDeltasPastTheEdgesDrawNothing) {
  // Far right, two reds lost, end of line, one blue.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({0, 2, 200, 0, 2, 1, 0, 0, 1, 3}).Str())),
            (TDecoded{3, 2, {Blue, Black, Black, Black, Black, Black}}));
  // One green, then far above the picture.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({1, 2, 0, 2, 0, 200, 3, 1}).Str())),
            (TDecoded{3, 2, {Black, Black, Black, Green, Black, Black}}));
  // Ends of line past the top row.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({0, 0, 0, 0, 0, 0, 3, 1, 0, 0, 3, 1}).Str())),
            (TDecoded{3, 2, {Black, Black, Black, Black, Black, Black}}));
}

TEST(BitmapFileTest, TruncatedRunLengthDataKeepsWhatWasDecoded) {
  // An absolute run of three that has two bytes.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({1, 3, 0, 3, 1, 2}).Str())),
            (TDecoded{3, 2, {Black, Black, Black, Blue, Red, Green}}));
  // A delta without its offsets.
  EXPECT_EQ(Decode(SmallRle8(TBytes().Bytes({1, 3, 0, 2, 1}).Str())),
            (TDecoded{3, 2, {Black, Black, Black, Blue, Black, Black}}));
  EXPECT_EQ(Decode(SmallRle8("")), (TDecoded{3, 2, {Black, Black, Black, Black, Black, Black}}));
  // Three nibbles of an absolute run of five.
  EXPECT_EQ(
      Decode(MakeFile({.Width = 5, .BitCount = 4, .Compression = BI_RLE4, .ColorsUsed = 4},
                      Colors({Dark, Red, Green, Blue}), TBytes().Bytes({0, 5, 0x12, 0x3}).Str())),
      (TDecoded{5, 1, {Red, Green, Dark, Blue, Black}}));
}

TEST(BitmapFileTest, MalformedHeadersAreNotValid) {
  const std::string Good = File24();
  ASSERT_EQ(Outcome(Good), "decoded");
  struct TCase {
    const char* Name;
    std::size_t Pos;
    std::uint32_t Value;
    bool Word;
  };
  const TCase Cases[] = {
      {"signature", 0, 'B' | ('A' << 8), true},
      {"header size 0", HeaderSizeAt, 0, false},
      {"header size 56", HeaderSizeAt, 56, false},
      {"header size 41", HeaderSizeAt, 41, false},
      {"zero width", WidthAt, 0, false},
      {"negative width", WidthAt, static_cast<std::uint32_t>(-3), false},
      {"width 70000", WidthAt, 70000, false},
      {"zero height", HeightAt, 0, false},
      {"height -70000", HeightAt, static_cast<std::uint32_t>(-70000), false},
      {"height 65536", HeightAt, 65536, false},
      {"lowest height", HeightAt, 0x80000000u, false},
      {"zero planes", PlanesAt, 0, true},
      {"7 bits", BitCountAt, 7, true},
      {"0 bits", BitCountAt, 0, true},
      {"2 bits", BitCountAt, 2, true},
      {"48 bits", BitCountAt, 48, true},
      {"compression 4", CompressionAt, 4, false},
      {"compression 5", CompressionAt, 5, false},
      {"compression 6", CompressionAt, 6, false},
      {"compression -1", CompressionAt, 0xFFFFFFFFu, false},
      {"bitfields at 24 bits", CompressionAt, BI_BITFIELDS, false},
      {"RLE8 at 24 bits", CompressionAt, BI_RLE8, false},
      {"offset past the end", OffBitsAt, static_cast<std::uint32_t>(Good.size() + 1), false},
      {"offset 0xFFFFFFFF", OffBitsAt, 0xFFFFFFFFu, false},
      {"offset leaving the data short", OffBitsAt, 14 + 40 + 1, false},
  };
  for (const TCase& Case : Cases) {
    std::string File = Good;
    if (Case.Word)
      PatchWord(File, Case.Pos, Case.Value);
    else
      PatchDword(File, Case.Pos, Case.Value);
    EXPECT_EQ(Outcome(File), NotValid) << Case.Name;
  }
}

TEST(BitmapFileTest, TruncatedFilesAreNotValid) {
  const std::string Good = File24();
  for (std::size_t Size : {std::size_t{0}, std::size_t{2}, std::size_t{14}, std::size_t{17},
                           std::size_t{30}, std::size_t{53}, Good.size() - 1})
    EXPECT_EQ(Outcome(Good.substr(0, Size)), NotValid) << Size;
  // The last row's padding is part of the data the picture needs.
  EXPECT_EQ(Outcome(Good.substr(0, Good.size() - 3)), NotValid);
}

TEST(BitmapFileTest, ColourTablesMustFit) {
  TBytes Rows;
  Rows.Zeros(8);
  // 8 bits without a count need 256 entries.
  EXPECT_EQ(Outcome(MakeFile({.Width = 5, .BitCount = 8}, Colors({Red, Green}), Rows.Str())),
            NotValid);
  EXPECT_EQ(Outcome(MakeFile({.Width = 5, .BitCount = 8, .ColorsUsed = 257}, "", Rows.Str())),
            NotValid);
  // The table must fit even when OffBits puts the pixels elsewhere.
  EXPECT_EQ(Outcome(MakeFile({.Width = 5, .BitCount = 8, .ColorsUsed = 100, .OffBits = 54}, "",
                             Rows.Str())),
            NotValid);
  EXPECT_EQ(Outcome(MakeFile({.Width = 2, .HeaderSize = 12, .BitCount = 1}, Colors({Red}, true),
                             Rows.Str().substr(0, 2))),
            NotValid);
}

TEST(BitmapFileTest, BadMasksAreNotValid) {
  const TInfo Info16{.BitCount = 16, .Compression = BI_BITFIELDS};
  const std::string Pixel = TBytes().Zeros(4).Str();
  EXPECT_EQ(Outcome(MakeFile(Info16, Masks(0xF800, 0, 0x001F), Pixel)), NotValid);
  // Only bits above the pixel's sixteen.
  EXPECT_EQ(Outcome(MakeFile(Info16, Masks(0xF800, 0x07E00000, 0x001F), Pixel)), NotValid);
  // The file ends inside the masks.
  EXPECT_EQ(Outcome(MakeFile(Info16, "", TBytes().Dword(0xF800).Str())), NotValid);
  EXPECT_EQ(Outcome(MakeFile({.HeaderSize = 108,
                              .BitCount = 32,
                              .Compression = BI_BITFIELDS,
                              .Masks = {0xFF0000, 0xFF00, 0, 0}},
                             "", Pixel)),
            NotValid);
  // Compression 3 in a 64-byte header is not masks.
  EXPECT_EQ(Outcome(MakeFile({.HeaderSize = 64, .BitCount = 16, .Compression = BI_BITFIELDS},
                             Masks(0xF800, 0x07E0, 0x001F), Pixel)),
            NotValid);
  EXPECT_EQ(Outcome(MakeFile({.Compression = BI_BITFIELDS}, Masks(0xFF0000, 0xFF00, 0xFF), Pixel)),
            NotValid);
}

TEST(BitmapFileTest, RunLengthNeedsItsDepthAndBottomUpRows) {
  const std::string Data = TBytes().Bytes({1, 1, 0, 1}).Str();
  const std::string Table = Colors({Red, Green});
  EXPECT_EQ(Outcome(MakeFile({.Height = -1, .BitCount = 8, .Compression = BI_RLE8, .ColorsUsed = 2},
                             Table, Data)),
            NotValid);
  EXPECT_EQ(Outcome(MakeFile({.Height = -1, .BitCount = 4, .Compression = BI_RLE4, .ColorsUsed = 2},
                             Table, Data)),
            NotValid);
  EXPECT_EQ(
      Outcome(MakeFile({.BitCount = 4, .Compression = BI_RLE8, .ColorsUsed = 2}, Table, Data)),
      NotValid);
  EXPECT_EQ(
      Outcome(MakeFile({.BitCount = 8, .Compression = BI_RLE4, .ColorsUsed = 2}, Table, Data)),
      NotValid);
}

TEST(BitmapFileTest, PicturesPastTheMemoryLimitAreRefusedBeforeAllocating) {
  for (auto [Width, Height] : {std::pair{65535, 65535}, std::pair{8193, 8192}}) {
    const std::string File = MakeFile({.Width = Width, .Height = Height}, "", "");
    LargestAllocation = 0;
    EXPECT_EQ(Outcome(File), TooLarge) << Width << "x" << Height;
    EXPECT_LT(LargestAllocation.load(), std::size_t{1} << 16);
  }
  // The count does see a decoded picture's pixels.
  LargestAllocation = 0;
  EXPECT_EQ(Outcome(File24()), "decoded");
  EXPECT_GE(LargestAllocation.load(), 3 * 2 * sizeof(TPixel));
  // At the limit the size is allowed, and the missing pixels are what is wrong.
  EXPECT_EQ(Outcome(MakeFile({.Width = 8192, .Height = 8192}, "", "")), NotValid);
  EXPECT_EQ(Outcome(MakeFile({.Width = 65535, .Height = -65535}, "", "")), TooLarge);
}

TEST(BitmapFileTest, FailureLeavesTheBitmapAndItsListenersAlone) {
  TBitmap Bitmap(2, 1);
  Bitmap.SetPixel(1, 0, Red);
  int Changes = 0;
  Bitmap.OnChange = [&Changes](TObject*) { ++Changes; };
  std::string Broken = File24();
  PatchWord(Broken, BitCountAt, 7);
  EXPECT_THROW(DecodeBitmapFile(Broken, Bitmap), EInvalidGraphic);
  EXPECT_EQ(Contents(Bitmap), (TDecoded{2, 1, {Black, Red}}));
  EXPECT_EQ(Changes, 0);
  DecodeBitmapFile(File24(), Bitmap);
  EXPECT_EQ(Contents(Bitmap), Pixels24);
  EXPECT_EQ(Changes, 1);
}

TBitmap& FillBitmap(TBitmap& Bitmap, std::uint32_t Seed, TPixel AlphaMask) {
  std::mt19937 Random(Seed);
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    for (int X = 0; X < Bitmap.Width(); ++X)
      Bitmap.SetPixel(X, Y, static_cast<TPixel>(Random()) & (0x00FFFFFF | AlphaMask));
  return Bitmap;
}

std::uint32_t FieldAt(const std::string& File, std::size_t Pos, int Size) {
  std::uint32_t Value = 0;
  for (int I = Size - 1; I >= 0; --I)
    Value = (Value << 8) | static_cast<unsigned char>(File[Pos + static_cast<std::size_t>(I)]);
  return Value;
}

TEST(BitmapFileTest, EncodesTwentyFourBitsAndDecodesToTheSamePixels) {
  TBitmap Bitmap(5, 3);
  FillBitmap(Bitmap, 7, 0);
  const std::string File = EncodeBitmapFile(Bitmap);
  ASSERT_EQ(File.size(), 54u + 16 * 3);
  EXPECT_EQ(File.substr(0, 2), "BM");
  EXPECT_EQ(FieldAt(File, 2, 4), File.size());
  EXPECT_EQ(FieldAt(File, OffBitsAt, 4), 54u);
  EXPECT_EQ(FieldAt(File, HeaderSizeAt, 4), 40u);
  EXPECT_EQ(FieldAt(File, HeightAt, 4), 3u);
  EXPECT_EQ(FieldAt(File, BitCountAt, 2), 24u);
  EXPECT_EQ(FieldAt(File, CompressionAt, 4), BI_RGB);
  EXPECT_EQ(FieldAt(File, 34, 4), 16u * 3);
  EXPECT_EQ(FieldAt(File, 38, 4), 2835u);
  EXPECT_EQ(FieldAt(File, 42, 4), 2835u);
  // Bottom-up: the file's first pixel is the bitmap's bottom-left one.
  EXPECT_EQ(FieldAt(File, 54, 3), Bitmap.Pixel(0, 2));
  EXPECT_EQ(Decode(File), Contents(Bitmap));
}

TEST(BitmapFileTest, EncodesAlphaAsThirtyTwoBitsAndDecodesWithoutIt) {
  TBitmap Bitmap(3, 2);
  FillBitmap(Bitmap, 11, 0);
  Bitmap.SetPixel(2, 0, 0x80123456);
  const std::string File = EncodeBitmapFile(Bitmap);
  ASSERT_EQ(File.size(), 54u + 12 * 2);
  EXPECT_EQ(FieldAt(File, BitCountAt, 2), 32u);
  EXPECT_EQ(FieldAt(File, 34, 4), 24u);
  EXPECT_EQ(FieldAt(File, 54 + 12 + 8, 4), 0x80123456u);
  // Decoded bitmap pixels are opaque: the alpha byte is the unused top byte of the format.
  Bitmap.SetPixel(2, 0, 0x123456);
  EXPECT_EQ(Decode(File), Contents(Bitmap));
}

TEST(BitmapFileTest, EncodesAnEmptyBitmapAsHeadersOnly) {
  const std::string File = EncodeBitmapFile(TBitmap());
  EXPECT_EQ(File.size(), 54u);
  EXPECT_EQ(FieldAt(File, WidthAt, 4), 0u);
}

TEST(BitmapFileTest, LoadFromFileReportsTheFullPath) {
  TTempDir Dir;
  TBitmap Bitmap;
  const std::string Missing = Dir.File("missing.bmp");
  try {
    Bitmap.LoadFromFile(Missing);
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& Error) {
    EXPECT_EQ(Error.Message(), "Cannot open file " + Missing);
  }
  const std::string Folder = Dir.MakeDir("pictures.bmp");
  try {
    Bitmap.LoadFromFile(Folder);
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& Error) {
    EXPECT_EQ(Error.Message(), "Cannot open file " + Folder);
  }
  try {
    Bitmap.LoadFromFile(Dir.Write("garbage.bmp", "BM this is no picture"));
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidGraphic& Error) {
    EXPECT_EQ(Error.Message(), "Bitmap image is not valid");
  }
  EXPECT_TRUE(Bitmap.Empty());
}

TEST(BitmapFileTest, LoadFromFileReadsUpToTheLargestPictureAndNoFurther) {
  // The largest picture allowed, with room for headers and a full colour table.
  constexpr std::size_t Limit = TBitmap::MaxBytes + (1u << 20);
  TTempDir Dir;
  // A one-pixel picture whose row lies at the end of a file, far behind its headers; the gap
  // is a hole in the file, so that nothing but the reading costs.
  auto Write = [&](const std::string& Name, std::size_t RowEnd) {
    const std::string Path =
        Dir.Write(Name, MakeFile({.OffBits = static_cast<std::uint32_t>(RowEnd - 4)}, "", ""));
    std::filesystem::resize_file(Path, RowEnd - 4);
    std::ofstream(Path, std::ios::binary | std::ios::app) << std::string("\x01\x02\x03\0", 4);
    return Path;
  };
  TBitmap Bitmap;
  Bitmap.LoadFromFile(Write("at.bmp", Limit));
  EXPECT_EQ(Contents(Bitmap), (TDecoded{1, 1, {0x030201u}}));
  EXPECT_THROW(Bitmap.LoadFromFile(Write("past.bmp", Limit + 1)), EInvalidGraphic)
      << "the row's last byte is past what is read";
}

TEST(BitmapFileTest, SaveToFileAndLoadFromFile) {
  TTempDir Dir;
  TBitmap Saved(7, 4);
  FillBitmap(Saved, 3, 0);
  Saved.SaveToFile(Dir.File("saved.bmp"));
  TBitmap Loaded;
  Loaded.LoadFromFile(Dir.File("saved.bmp"));
  EXPECT_EQ(Contents(Loaded), Contents(Saved));
}

}  // namespace
