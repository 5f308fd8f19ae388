// Bulk memory: blocks on either side of the size from which they are mapped whole, zeroed when
// asked and wholly writable, and the buffer that files are read into.
#include "platform/BulkMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/ResidentMemory.h"

namespace {

TEST(BulkMemoryTest, ZeroedBlocksOfEverySizeAreZeroAndWritableToTheirEnd) {
  for (const std::size_t Bytes :
       {std::size_t{64}, std::size_t{1} << 20, (std::size_t{5} << 20) + 3}) {
    auto* Block = static_cast<unsigned char*>(AllocateBulk(Bytes, true));
    ASSERT_NE(Block, nullptr) << Bytes;
    EXPECT_TRUE(std::all_of(Block, Block + Bytes, [](unsigned char C) { return C == 0; })) << Bytes;
    std::memset(Block, 0xA5, Bytes);
    EXPECT_EQ(Block[Bytes - 1], 0xA5);
    FreeBulk(Block, Bytes);
  }
}

#ifdef __linux__
// A picture file that claims the largest size allowed and then fails must not cost the memory
// of the whole picture before its first row.
TEST(BulkMemoryTest, ABlockBeyondSixtyFourMegabytesGetsItsPagesOnlyAsTheyAreWritten) {
  constexpr std::size_t Bytes = std::size_t{96} << 20;
  const long Before = ResidentAnonymousKiB();
  auto* Block = static_cast<char*>(AllocateBulk(Bytes, true));
  ASSERT_NE(Block, nullptr);
  Block[0] = 1;
  Block[Bytes - 1] = 1;
  EXPECT_LT(ResidentAnonymousKiB() - Before, 16 * 1024);
  FreeBulk(Block, Bytes);
}
#endif

TEST(BulkMemoryTest, ABufferKeepsItsBlockWhileItShrinksAndTakesANewOneToGrow) {
  TBulkBuffer Buffer;
  EXPECT_EQ(Buffer.data(), nullptr);
  Buffer.resize(100);
  std::memcpy(Buffer.data(), "kept", 4);
  const char* First = Buffer.data();
  Buffer.resize(4);
  EXPECT_EQ(Buffer.data(), First);
  EXPECT_EQ(std::string(Buffer.data(), Buffer.size()), "kept");
  Buffer.resize(2 << 20);
  EXPECT_EQ(Buffer.size(), std::size_t{2} << 20);
  Buffer.data()[Buffer.size() - 1] = 'z';
  Buffer.clear();
  EXPECT_EQ(Buffer.data(), nullptr);
  EXPECT_EQ(Buffer.size(), 0u);
}

}  // namespace
