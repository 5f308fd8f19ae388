// The block compressor: exact encodings worked out by hand, round trips of several kinds of
// data, the stored form, the limits of distances and runs, and malformed blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "controls/panel/KitBlockCompressor.h"

namespace {

std::string Bytes(std::initializer_list<int> Values) {
  std::string Result;
  for (int Value : Values) Result.push_back(static_cast<char>(Value));
  return Result;
}

std::string Compress(const std::string& Block) {
  std::string Out;
  const std::size_t Length = KitCompressBlock(Block, Out);
  EXPECT_EQ(Length, Out.size());
  return Out;
}

std::string RoundTrip(const std::string& Block) {
  const std::string Packed = Compress(Block);
  std::string Unpacked;
  EXPECT_TRUE(KitDecompressBlock(Packed, Unpacked));
  return Unpacked;
}

std::string RandomBytes(std::size_t Count, unsigned Seed) {
  std::mt19937 Random(Seed);
  std::string Result(Count, '\0');
  for (char& C : Result) C = static_cast<char>(Random() & 0xFF);
  return Result;
}

// Rows of 24-bit pixels: a gradient, a flat band and a noisy band, as a picture's rows look.
std::string PictureBytes(int Width, int Height) {
  std::mt19937 Random(7);
  std::string Result;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      int R = X * 255 / Width, G = Y * 255 / Height, B = 128;
      if (Y % 40 < 15) R = G = B = 200;
      if (Y % 40 > 32) B = static_cast<int>(Random() % 16) + 100;
      Result.push_back(static_cast<char>(B));
      Result.push_back(static_cast<char>(G));
      Result.push_back(static_cast<char>(R));
    }
  return Result;
}

// "abcabcabc", twenty 'z', "abc". The prefixes "abc", "bca" and "cab" hash to 2749, 896 and 20:
// literals a, b, c; at 3 the copy (distance 3, length 6) = 00 33; at 9 the run of 20 'z'
// (20 - 16 = 4) = 00 00 04 7A; at 29 "abc" again, found at 3 (the run stored no positions),
// the copy (distance 26, length 3) = 01 A0. Six items, bits 000111, shifted up by ten: 1C 00.
TEST(BlockCompressorTest, EncodesAHandWorkedBlockExactly) {
  const std::string Block = "abcabcabc" + std::string(20, 'z') + "abc";
  EXPECT_EQ(Compress(Block), Bytes({0x40, 0x1C, 0x00, 'a', 'b', 'c', 0x00, 0x33, 0x00, 0x00, 0x04,
                                    'z', 0x01, 0xA0}));
  EXPECT_EQ(RoundTrip(Block), Block);
}

TEST(BlockCompressorTest, SixteenEqualBytesAreOneRunItem) {
  EXPECT_EQ(Compress(std::string(16, 'A')), Bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'A'}));
}

TEST(BlockCompressorTest, FifteenEqualBytesAreALiteralAndAnOverlappingCopy) {
  // Distance 1, length 14: (1 << 4) | 11.
  const std::string Block(15, 'A');
  EXPECT_EQ(Compress(Block), Bytes({0x40, 0x40, 0x00, 'A', 0x00, 0x1B}));
  EXPECT_EQ(RoundTrip(Block), Block);
}

TEST(BlockCompressorTest, RandomBytesComeOutInTheStoredForm) {
  const std::string Block = RandomBytes(1000, 1);
  const std::string Packed = Compress(Block);
  ASSERT_EQ(Packed.size(), Block.size() + 1);
  EXPECT_EQ(static_cast<unsigned char>(Packed[0]), 0x80);
  EXPECT_EQ(Packed.substr(1), Block);
  EXPECT_EQ(RoundTrip(Block), Block);
}

TEST(BlockCompressorTest, TinyAndEmptyBlocksAreStored) {
  EXPECT_EQ(Compress(""), Bytes({0x80}));
  EXPECT_EQ(Compress("x"), Bytes({0x80, 'x'}));
  EXPECT_EQ(Compress("xyz"), Bytes({0x80, 'x', 'y', 'z'}));
}

TEST(BlockCompressorTest, TheSecondControlWordFollowsTheSixteenthItem) {
  // Twenty runs of sixteen equal bytes, each value different: twenty run items.
  std::string Block;
  for (int I = 0; I < 20; ++I) Block += std::string(16, static_cast<char>('a' + I));
  const std::string Packed = Compress(Block);
  ASSERT_EQ(Packed.size(), 1u + 2 + 16 * 4 + 2 + 4 * 4);
  EXPECT_EQ(Packed.substr(1, 2), Bytes({0xFF, 0xFF}));
  EXPECT_EQ(Packed.substr(3 + 64, 2), Bytes({0xF0, 0x00}));
  EXPECT_EQ(RoundTrip(Block), Block);
}

TEST(BlockCompressorTest, RunsStopAt4095Bytes) {
  const std::string Block(5000, '\x07');
  // 4095 = 16 + 0x0FEF; the rest, 905 = 16 + 0x0379.
  EXPECT_EQ(Compress(Block),
            Bytes({0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 0x07, 0x00, 0x03, 0x79, 0x07}));
  EXPECT_EQ(RoundTrip(Block), Block);
}

TEST(BlockCompressorTest, CopiesReachBack4095BytesAndNoFurther) {
  // The run between stores no positions, so "abc" at the end finds the one at 0.
  const std::string Near = "abc" + std::string(4092, '\0') + "abc";
  const std::string Far = "abc" + std::string(4093, '\0') + "abc";
  // Three literals, the run, then a copy (4095 << 4 = FF F0) or three more literals.
  EXPECT_EQ(Compress(Near),
            Bytes({0x40, 0x18, 0x00, 'a', 'b', 'c', 0x00, 0x0F, 0xEC, 0x00, 0xFF, 0xF0}));
  EXPECT_EQ(Compress(Far).size(), 13u);
  EXPECT_EQ(RoundTrip(Near), Near);
  EXPECT_EQ(RoundTrip(Far), Far);
}

TEST(BlockCompressorTest, RoundTripsOfEveryKindOfDataUpToTheLargestBlock) {
  const std::vector<std::string> Blocks = {
      RandomBytes(KitBlockSize, 2),
      PictureBytes(120, 91).substr(0, KitBlockSize),
      std::string(KitBlockSize, 'q'),
      RandomBytes(17, 3) + std::string(300, 'r') + RandomBytes(40, 4),
  };
  for (const std::string& Block : Blocks) {
    EXPECT_EQ(RoundTrip(Block), Block);
    EXPECT_LE(Compress(Block).size(), Block.size() + 1);
  }
  // Small repeating patterns of every period up to past the longest copy.
  for (std::size_t Period = 1; Period <= 20; ++Period) {
    std::string Block;
    for (std::size_t I = 0; I < 2000; ++I) Block.push_back(static_cast<char>('a' + I % Period));
    EXPECT_EQ(RoundTrip(Block), Block) << "period " << Period;
  }
}

TEST(BlockCompressorTest, PicturesShrink) {
  // Flat bands shrink to runs; the gradients between them hardly shrink at all.
  const std::string Block = PictureBytes(120, 91).substr(0, KitBlockSize);
  EXPECT_LT(Compress(Block).size(), Block.size() * 3 / 4);
}

TEST(BlockCompressorTest, DecompressingAppendsToWhatIsThere) {
  std::string Out = "head";
  EXPECT_TRUE(KitDecompressBlock(Compress(std::string(20, 'x')), Out));
  EXPECT_EQ(Out, "head" + std::string(20, 'x'));
}

TEST(BlockCompressorTest, MalformedBlocksAreRefusedLeavingTheOutputAlone) {
  const std::vector<std::string> Bad = {
      "",
      Bytes({0x41, 0x00, 0x00}),
      Bytes({0x00}),
      // A control word cut short.
      Bytes({0x40, 0x80}),
      // A copy cut short, and one reaching before the start.
      Bytes({0x40, 0x80, 0x00, 0x00}),
      Bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x20}),
      // A run cut short.
      Bytes({0x40, 0x80, 0x00, 0x00, 0x01, 0x00}),
      // Runs of 0x0FFF + 16 = 4111 bytes: the eighth passes the largest block.
      Bytes({0x40, 0xFF, 0x80, 0x00, 0x0F, 0xFF, 0,    0x00, 0x0F, 0xFF, 0,    0x00, 0x0F,
             0xFF, 0,    0x00, 0x0F, 0xFF, 0,    0x00, 0x0F, 0xFF, 0,    0x00, 0x0F, 0xFF,
             0,    0x00, 0x0F, 0xFF, 0,    0x00, 0x0F, 0xFF, 0,    0x00, 0x0F, 0xFF, 0}),
      // A stored block longer than the largest block.
      "\x80" + std::string(KitBlockSize + 1, 'x'),
  };
  for (const std::string& Block : Bad) {
    std::string Out = "kept";
    EXPECT_FALSE(KitDecompressBlock(Block, Out)) << Block.size();
    EXPECT_EQ(Out, "kept");
  }
}

TEST(BlockCompressorTest, TruncatedBlocksNeverReadOrWriteOutOfBounds) {
  const std::string Packed = Compress(PictureBytes(60, 40));
  for (std::size_t Length = 0; Length < Packed.size(); ++Length) {
    std::string Out;
    KitDecompressBlock(Packed.substr(0, Length), Out);
    EXPECT_LE(Out.size(), KitBlockSize);
  }
}

}  // namespace
