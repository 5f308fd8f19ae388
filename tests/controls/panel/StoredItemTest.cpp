// The stored form of bitmap list items and the compressed container: exact layouts, block
// boundaries, round trips at every pixel format, and truncated or malformed data.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "controls/panel/KitBitmapListItem.h"
#include "controls/panel/KitBlockCompressor.h"
#include "controls/panel/KitCompressedContainer.h"
#include "core/Exception.h"
#include "framework/BitmapFile.h"

namespace {

std::string Bytes(std::initializer_list<int> Values) {
  std::string Result;
  for (int Value : Values) Result.push_back(static_cast<char>(Value));
  return Result;
}

std::int32_t Int32At(const std::string& Data, std::size_t Pos) {
  std::uint32_t Bits = 0;
  for (int I = 3; I >= 0; --I) Bits = (Bits << 8) | static_cast<unsigned char>(Data[Pos + I]);
  return static_cast<std::int32_t>(Bits);
}

std::string Stored(const TKitBitmapListItem& Item) {
  TKitStoreWriter Writer;
  Item.WriteData(Writer);
  return Writer.Bytes();
}

void Load(TKitBitmapListItem& Item, const std::string& Data) {
  TKitStoreReader Reader(Data);
  Item.ReadData(Reader);
}

class TPicture : public TBitmap {
 public:
  TPicture(int Width, int Height) : TBitmap(Width, Height) {
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        SetPixel(X, Y,
                 PixelOf(static_cast<std::uint8_t>(X * 7), static_cast<std::uint8_t>(Y * 5),
                         static_cast<std::uint8_t>(Y < Height / 2 ? 200 : X ^ Y)));
  }
};

bool SamePixels(const TBitmap& A, const TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
  for (int Y = 0; Y < A.Height(); ++Y)
    for (int X = 0; X < A.Width(); ++X)
      if (A.Pixel(X, Y) != B.Pixel(X, Y)) return false;
  return true;
}

std::string WriteCompressed(const std::string& Source) {
  TKitStoreWriter Writer;
  KitWriteCompressed(Writer, Source);
  return Writer.Bytes();
}

std::string ReadCompressed(const std::string& Data, std::size_t MaxSize = 1u << 24) {
  TKitStoreReader Reader(Data);
  return KitReadCompressed(Reader, MaxSize);
}

// --- The compressed container ----------------------------------------------------------------

TEST(CompressedContainerTest, NothingIsATotalOfZero) {
  EXPECT_EQ(WriteCompressed(""), Bytes({0, 0, 0, 0}));
  EXPECT_EQ(ReadCompressed(Bytes({0, 0, 0, 0})), "");
}

TEST(CompressedContainerTest, TheTotalCountsEveryBlockWithItsLength) {
  const std::string Data = WriteCompressed(std::string(16, 'A'));
  EXPECT_EQ(Data, Bytes({11, 0, 0, 0, 7, 0, 0, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'A'}));
}

TEST(CompressedContainerTest, ALargestBlockIsOneBlockAndOneByteMoreMakesTwo) {
  std::mt19937 Random(5);
  std::string Source(KitBlockSize + 1, '\0');
  for (char& C : Source) C = static_cast<char>(Random() & 0xFF);

  const std::string One = WriteCompressed(Source.substr(0, KitBlockSize));
  ASSERT_EQ(One.size(), 4 + 4 + KitBlockSize + 1);
  EXPECT_EQ(Int32At(One, 0), static_cast<std::int32_t>(4 + KitBlockSize + 1));
  EXPECT_EQ(Int32At(One, 4), static_cast<std::int32_t>(KitBlockSize + 1));

  const std::string Two = WriteCompressed(Source);
  const std::size_t Second = 8 + KitBlockSize + 1;
  ASSERT_EQ(Two.size(), Second + 4 + 2);
  EXPECT_EQ(Int32At(Two, 0), static_cast<std::int32_t>(Two.size() - 4));
  EXPECT_EQ(Int32At(Two, Second), 2);
  EXPECT_EQ(Two.substr(Second + 4), "\x80" + Source.substr(KitBlockSize));
  EXPECT_EQ(ReadCompressed(Two), Source);
}

TEST(CompressedContainerTest, ManyBlocksRoundTrip) {
  std::string Source;
  for (int I = 0; I < 200000; ++I) Source.push_back(static_cast<char>((I / 37) % 251));
  const std::string Data = WriteCompressed(Source);
  EXPECT_LT(Data.size(), Source.size() / 4);
  EXPECT_EQ(ReadCompressed(Data), Source);
}

TEST(CompressedContainerTest, MalformedContainersAreRefused) {
  const std::string Good = WriteCompressed(std::string(100, 'x') + "tail");
  const std::vector<std::string> Bad = {
      Bytes({0xFF, 0xFF, 0xFF, 0xFF}),
      // Totals that do not match the blocks, or claim more than there is.
      Bytes({3, 0, 0, 0, 0, 0, 0}),
      Bytes({8, 0, 0, 0, 7, 0, 0, 0, 0x40, 0x80, 0x00, 0x00}),
      Bytes({100, 0, 0, 0, 7, 0, 0, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'A'}),
      // A block of length 0, a negative one, and one longer than any block can be.
      Bytes({4, 0, 0, 0, 0, 0, 0, 0}),
      Bytes({5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}),
      Bytes({0x13, 0x80, 0, 0, 0x0F, 0x80, 0, 0}) + "\x80" + std::string(KitBlockSize + 1, 'x'),
      // A block that is not valid.
      Bytes({5, 0, 0, 0, 1, 0, 0, 0, 0x41}),
  };
  for (const std::string& Data : Bad) EXPECT_THROW(ReadCompressed(Data), EKitStoreError);
  for (std::size_t Length = 0; Length < Good.size(); ++Length)
    EXPECT_THROW(ReadCompressed(Good.substr(0, Length)), EKitStoreError) << Length;
}

TEST(CompressedContainerTest, ResultsPastTheLimitAreRefused) {
  const std::string Data = WriteCompressed(std::string(100000, 'z'));
  EXPECT_EQ(ReadCompressed(Data, 100000).size(), 100000u);
  EXPECT_THROW(ReadCompressed(Data, 99999), EKitStoreError);
}

// --- Stored items ----------------------------------------------------------------------------

TEST(StoredItemTest, AnItemWithoutABitmapStoresOnlyItsFlagsAndFields) {
  TKitBitmapListItem Item(nullptr);
  EXPECT_EQ(Stored(Item), Bytes({0x00}));
  Item.SetDescription("Sky");
  Item.SetIdent(7);
  EXPECT_EQ(Stored(Item), Bytes({0x06, 3, 'S', 'k', 'y', 7, 0, 0, 0}));
  Item.SetPixelFormat(TKitSavePixelFormat::spf8bit);
  Item.SetCompressed(true);
  EXPECT_EQ(Stored(Item), Bytes({0x47, 3, 'S', 'k', 'y', 7, 0, 0, 0}));
}

TEST(StoredItemTest, AnUncompressedBitmapIsItsFileBehindALength) {
  TKitBitmapListItem Item(nullptr);
  Item.SetBitmap(TPicture(5, 3));
  const std::string File = EncodeBitmapFile(Item.GetBitmap());
  const std::string Data = Stored(Item);
  ASSERT_EQ(Data.size(), 1 + 4 + File.size());
  EXPECT_EQ(Data[0], 0x08);
  EXPECT_EQ(Int32At(Data, 1), static_cast<std::int32_t>(File.size()));
  EXPECT_EQ(Data.substr(5), File);
}

TEST(StoredItemTest, ACompressedBitmapIsItsFileThroughTheContainer) {
  TKitBitmapListItem Item(nullptr);
  Item.SetBitmap(TPicture(64, 48));
  Item.SetCompressed(true);
  const std::string Data = Stored(Item);
  EXPECT_EQ(Data[0], 0x09);
  EXPECT_EQ(Data.substr(1), WriteCompressed(EncodeBitmapFile(Item.GetBitmap())));
}

TEST(StoredItemTest, EveryFieldRoundTrips) {
  for (bool Compressed : {false, true}) {
    TKitBitmapListItem Item(nullptr);
    Item.SetBitmap(TPicture(37, 21));
    Item.SetCompressed(Compressed);
    Item.SetDescription("background");
    Item.SetIdent(0xBEEF);
    TKitBitmapListItem Copy(nullptr);
    Copy.SetDescription("stale");
    Load(Copy, Stored(Item));
    EXPECT_EQ(Copy.Compressed(), Compressed);
    EXPECT_EQ(Copy.Description(), "background");
    EXPECT_EQ(Copy.Ident(), 0xBEEF);
    EXPECT_EQ(Copy.PixelFormat(), TKitSavePixelFormat::spfDefault);
    EXPECT_TRUE(SamePixels(Copy.GetBitmap(), Item.GetBitmap()));
  }
}

TEST(StoredItemTest, ReducedPixelFormatsKeepTheirColours) {
  // Colours each palette holds exactly.
  const std::vector<std::pair<TKitSavePixelFormat, std::vector<TPixel>>> Cases = {
      {TKitSavePixelFormat::spfMono, {PixelOf(0, 0, 0), PixelOf(255, 255, 255)}},
      {TKitSavePixelFormat::spf4bit,
       {PixelOf(128, 0, 0), PixelOf(0, 255, 255), PixelOf(192, 192, 192)}},
      {TKitSavePixelFormat::spf8bit, {PixelOf(255, 0, 0), PixelOf(36, 73, 85), PixelOf(0, 0, 255)}},
  };
  for (const auto& [Format, Colors] : Cases) {
    TKitBitmapListItem Item(nullptr);
    TBitmap Bitmap(9, 2);
    for (int X = 0; X < 9; ++X)
      for (int Y = 0; Y < 2; ++Y) Bitmap.SetPixel(X, Y, Colors[(X + Y) % Colors.size()]);
    Item.SetBitmap(Bitmap);
    Item.SetPixelFormat(Format);
    TKitBitmapListItem Copy(nullptr);
    Load(Copy, Stored(Item));
    EXPECT_EQ(Copy.PixelFormat(), Format);
    EXPECT_TRUE(SamePixels(Copy.GetBitmap(), Bitmap)) << static_cast<int>(Format);
  }
}

TEST(StoredItemTest, ReducedPixelFormatsNearestColours) {
  TBitmap Bitmap(3, 1);
  Bitmap.SetPixel(0, 0, PixelOf(250, 10, 10));
  Bitmap.SetPixel(1, 0, PixelOf(100, 100, 100));
  Bitmap.SetPixel(2, 0, PixelOf(140, 140, 140));
  TKitBitmapListItem Item(nullptr);
  Item.SetBitmap(Bitmap);
  Item.SetPixelFormat(TKitSavePixelFormat::spf4bit);
  TKitBitmapListItem Copy(nullptr);
  Load(Copy, Stored(Item));
  EXPECT_EQ(Copy.GetBitmap().Pixel(0, 0), PixelOf(255, 0, 0));
  EXPECT_EQ(Copy.GetBitmap().Pixel(1, 0), PixelOf(128, 128, 128));
  Item.SetPixelFormat(TKitSavePixelFormat::spfMono);
  Load(Copy, Stored(Item));
  EXPECT_EQ(Copy.GetBitmap().Pixel(0, 0), PixelOf(0, 0, 0));
  EXPECT_EQ(Copy.GetBitmap().Pixel(1, 0), PixelOf(0, 0, 0));
  EXPECT_EQ(Copy.GetBitmap().Pixel(2, 0), PixelOf(255, 255, 255));
}

TEST(StoredItemTest, CompressedReducedBitmapsAreStoredInTwoColours) {
  TKitBitmapListItem Item(nullptr);
  TBitmap Bitmap(4, 1);
  Bitmap.SetPixel(0, 0, PixelOf(255, 0, 0));
  Bitmap.SetPixel(1, 0, PixelOf(255, 255, 0));
  Bitmap.SetPixel(2, 0, PixelOf(0, 0, 128));
  Bitmap.SetPixel(3, 0, PixelOf(255, 255, 255));
  Item.SetBitmap(Bitmap);
  Item.SetPixelFormat(TKitSavePixelFormat::spf8bit);
  Item.SetCompressed(true);
  const std::string Data = Stored(Item);
  EXPECT_EQ(Data[0], 0x49);
  TKitBitmapListItem Copy(nullptr);
  Load(Copy, Data);
  EXPECT_EQ(Copy.PixelFormat(), TKitSavePixelFormat::spf8bit);
  const std::vector<TPixel> Expected = {PixelOf(0, 0, 0), PixelOf(255, 255, 255), PixelOf(0, 0, 0),
                                        PixelOf(255, 255, 255)};
  for (int X = 0; X < 4; ++X) EXPECT_EQ(Copy.GetBitmap().Pixel(X, 0), Expected[X]) << X;
}

TEST(StoredItemTest, ReadingFollowsTheFlagBits) {
  TKitBitmapListItem Item(nullptr);
  Item.SetDescription("old");
  Item.SetIdent(5);
  Item.GetBitmap().SetSize(3, 3);
  // Bits 5 and 6 set: the first of them decides. No description, ident or bitmap follow.
  Load(Item, Bytes({0x61}));
  EXPECT_TRUE(Item.Compressed());
  EXPECT_EQ(Item.PixelFormat(), TKitSavePixelFormat::spf4bit);
  EXPECT_EQ(Item.Description(), "");
  EXPECT_EQ(Item.Ident(), 0);
  EXPECT_TRUE(Item.GetEmpty());
  // An ident keeps its low 16 bits.
  Load(Item, Bytes({0x04, 0x45, 0x23, 0x01, 0x00}));
  EXPECT_EQ(Item.Ident(), 0x2345);
  EXPECT_FALSE(Item.Compressed());
}

TEST(StoredItemTest, LongDescriptionsAreStoredCutTo255Characters) {
  TKitBitmapListItem Item(nullptr);
  Item.SetDescription(std::string(300, 'd'));
  const std::string Data = Stored(Item);
  EXPECT_EQ(Data.size(), 2u + 255);
  TKitBitmapListItem Copy(nullptr);
  Load(Copy, Data);
  EXPECT_EQ(Copy.Description(), std::string(255, 'd'));
}

TEST(StoredItemTest, TruncatedDataAreRefusedAndLeaveTheItemAlone) {
  for (bool Compressed : {false, true}) {
    TKitBitmapListItem Item(nullptr);
    Item.SetBitmap(TPicture(6, 4));
    Item.SetCompressed(Compressed);
    Item.SetDescription("abc");
    Item.SetIdent(9);
    const std::string Data = Stored(Item);
    for (std::size_t Length = 0; Length < Data.size(); ++Length) {
      TKitBitmapListItem Copy(nullptr);
      Copy.SetDescription("untouched");
      EXPECT_THROW(Load(Copy, Data.substr(0, Length)), EKitStoreError) << Length;
      EXPECT_EQ(Copy.Description(), "untouched");
      EXPECT_TRUE(Copy.GetEmpty());
    }
  }
}

TEST(StoredItemTest, AbsurdLengthsAreRefusedWithoutAllocating) {
  TKitBitmapListItem Item(nullptr);
  EXPECT_THROW(Load(Item, Bytes({0x08, 0xFF, 0xFF, 0xFF, 0x7F})), EKitStoreError);
  EXPECT_THROW(Load(Item, Bytes({0x08, 0xFF, 0xFF, 0xFF, 0xFF})), EKitStoreError);
  EXPECT_THROW(Load(Item, Bytes({0x09, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0})), EKitStoreError);
}

TEST(StoredItemTest, BytesThatAreNoBitmapAreTheDecodersError) {
  TKitBitmapListItem Item(nullptr);
  EXPECT_THROW(Load(Item, Bytes({0x08, 4, 0, 0, 0, 'n', 'o', 'p', 'e'})), EInvalidGraphic);
  EXPECT_THROW(Load(Item, Bytes({0x08, 0, 0, 0, 0})), EInvalidGraphic);
}

}  // namespace
