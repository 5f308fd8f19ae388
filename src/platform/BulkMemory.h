// Large blocks that are written whole soon after they are made: the pixels of pictures and of
// back buffers, and files read at once. Where the system allows, a block of a megabyte up to 64
// megabytes gets all its pages in a few steps; faulting them in one by one as the first pass writes
// them costs the kernel several times as much, and a menu's start makes three such blocks.
#pragma once

#include <cstddef>

// A block of Bytes, zeroed when Zeroed (large blocks always are); nullptr when there is no
// memory. Freed with FreeBulk and the same size.
void* AllocateBulk(std::size_t Bytes, bool Zeroed);
void FreeBulk(void* Block, std::size_t Bytes);

// Bytes in one bulk block, for a file read whole. resize() within the block only moves the end.
class TBulkBuffer {
 public:
  TBulkBuffer() = default;
  ~TBulkBuffer();
  TBulkBuffer(const TBulkBuffer&) = delete;
  TBulkBuffer& operator=(const TBulkBuffer&) = delete;

  // A new block of Size bytes when Size is beyond the block's capacity; raises std::bad_alloc
  // when there is no memory.
  void resize(std::size_t Size);
  void clear();
  char* data() { return FData; }
  const char* data() const { return FData; }
  std::size_t size() const { return FSize; }

 private:
  char* FData = nullptr;
  std::size_t FSize = 0;
  std::size_t FCapacity = 0;
};
