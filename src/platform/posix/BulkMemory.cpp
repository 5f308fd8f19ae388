// Bulk blocks of a megabyte or more are mapped with MAP_POPULATE where the system has it.
#include "platform/BulkMemory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {

constexpr std::size_t MappedFrom = std::size_t{1} << 20;

}  // namespace

void* AllocateBulk(std::size_t Bytes, bool Zeroed) {
  if (Bytes < MappedFrom) return Zeroed ? std::calloc(Bytes, 1) : std::malloc(Bytes);
  int Flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_POPULATE
  Flags |= MAP_POPULATE;
#endif
  void* Block = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, Flags, -1, 0);
  return Block == MAP_FAILED ? nullptr : Block;
}

void FreeBulk(void* Block, std::size_t Bytes) {
  if (Block == nullptr) return;
  if (Bytes < MappedFrom) {
    std::free(Block);
    return;
  }
  ::munmap(Block, Bytes);
}
