// Bulk blocks of a megabyte or more are mapped, and Linux puts their pages in place at once.
#include "platform/BulkMemory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t MappedFrom = std::size_t{1} << 20;
// Larger blocks get their pages as they are written: a picture file may claim a size it then
// fails to fill, and its first rows would not be worth the time and memory of the whole.
constexpr std::size_t PopulatedUpTo = std::size_t{64} << 20;

// Linux 5.14 and later; the headers of older systems, where the program also runs, lack it.
#if defined(__linux__) && !defined(MADV_POPULATE_WRITE)
constexpr int MADV_POPULATE_WRITE = 23;
#endif

// In steps of a quarter megabyte: the whole block at once (as MAP_POPULATE does) would hold the
// process's memory map for as long, and a thread that maps a file meanwhile (the font
// configuration being read while a picture is decoded) would wait for all of it.
void Populate(char* Block, std::size_t Bytes) {
#ifdef __linux__
  constexpr std::size_t Step = std::size_t{256} << 10;
  // An older kernel refuses the advice, and the pages come one fault at a time instead.
  for (std::size_t Done = 0; Done < Bytes; Done += Step)
    if (::madvise(Block + Done, std::min(Step, Bytes - Done), MADV_POPULATE_WRITE) != 0) return;
#else
  (void)Block;
  (void)Bytes;
#endif
}

}  // namespace

void* AllocateBulk(std::size_t Bytes, bool Zeroed) {
  if (Bytes < MappedFrom) return Zeroed ? std::calloc(Bytes, 1) : std::malloc(Bytes);
  void* Block = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Block == MAP_FAILED) return nullptr;
  if (Bytes <= PopulatedUpTo) Populate(static_cast<char*>(Block), Bytes);
  return Block;
}

void FreeBulk(void* Block, std::size_t Bytes) {
  if (Block == nullptr) return;
  if (Bytes < MappedFrom) {
    std::free(Block);
    return;
  }
  ::munmap(Block, Bytes);
}
