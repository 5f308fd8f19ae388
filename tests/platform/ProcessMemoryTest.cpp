// Freed memory given back to the system: pages that blocks in the middle of the heap held leave
// the process's resident set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Driver.h"
#include "support/ResidentMemory.h"

// The sanitizers' allocator keeps freed blocks in quarantine, out of the system allocator's reach.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizedAllocator = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SanitizedAllocator = true;
#else
constexpr bool SanitizedAllocator = false;
#endif
#else
constexpr bool SanitizedAllocator = false;
#endif

namespace {

TEST(ProcessMemory, FreedBlocksInTheMiddleOfTheHeapLeaveTheResidentSet) {
  if (SanitizedAllocator) GTEST_SKIP() << "the sanitizer's allocator keeps freed blocks";
  // Small blocks come from the heap; the last one stays, so that the freed ones do not lie at
  // its top, where freeing alone would give them back.
  constexpr std::size_t Blocks = 512, BlockBytes = 16 * 1024;
  std::vector<char*> Held;
  for (std::size_t I = 0; I <= Blocks; ++I) {
    Held.push_back(static_cast<char*>(std::malloc(BlockBytes)));
    ASSERT_NE(Held.back(), nullptr);
    std::memset(Held.back(), 1, BlockBytes);
  }
  for (std::size_t I = 0; I < Blocks; ++I) std::free(Held[I]);
  const long Before = ResidentAnonymousKiB();
  Driver().ReleaseFreedMemory();
  const long After = ResidentAnonymousKiB();
  std::free(Held.back());
  EXPECT_LT(After, Before - static_cast<long>(Blocks * BlockBytes / 1024 / 2));
}

}  // namespace
