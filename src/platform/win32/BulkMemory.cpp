// On Windows bulk blocks come from the heap, as other blocks do.
#include "platform/BulkMemory.h"

#include <cstdlib>

void* AllocateBulk(std::size_t Bytes, bool Zeroed) {
  return Zeroed ? std::calloc(Bytes, 1) : std::malloc(Bytes);
}

void FreeBulk(void* Block, std::size_t) {
  std::free(Block);
}
