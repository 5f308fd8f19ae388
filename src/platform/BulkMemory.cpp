// TBulkBuffer: the part of bulk memory that is the same on every system.
#include "platform/BulkMemory.h"

#include <new>

TBulkBuffer::~TBulkBuffer() {
  clear();
}

void TBulkBuffer::resize(std::size_t Size) {
  if (Size > FCapacity) {
    clear();
    FData = static_cast<char*>(AllocateBulk(Size, false));
    if (FData == nullptr) throw std::bad_alloc();
    FCapacity = Size;
  }
  FSize = Size;
}

void TBulkBuffer::clear() {
  if (FData != nullptr) FreeBulk(FData, FCapacity);
  FData = nullptr;
  FSize = FCapacity = 0;
}
