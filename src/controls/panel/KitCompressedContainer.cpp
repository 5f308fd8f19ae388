// The compressed container: blocks of the block compressor behind a total length.
#include "controls/panel/KitCompressedContainer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "controls/panel/KitBlockCompressor.h"

namespace {

constexpr std::int64_t MaxTotal = std::numeric_limits<std::int32_t>::max();
// A stored block is one byte longer than its data, and no compressed block is longer.
constexpr std::int32_t MaxBlockLength = static_cast<std::int32_t>(KitBlockSize) + 1;

}  // namespace

void KitWriteCompressed(TKitStoreWriter& Stream, std::string_view Source) {
  const std::size_t TotalPos = Stream.Position();
  Stream.WriteInt32(0);
  std::int64_t Total = 0;
  std::string Block;
  for (std::size_t Pos = 0; Pos < Source.size(); Pos += KitBlockSize) {
    Block.clear();
    const std::size_t Length = KitCompressBlock(Source.substr(Pos, KitBlockSize), Block);
    Total += static_cast<std::int64_t>(Length) + 4;
    if (Total > MaxTotal) throw EKitStoreError("Data too large to store compressed");
    Stream.WriteInt32(static_cast<std::int32_t>(Length));
    Stream.WriteBytes(Block);
  }
  Stream.PatchInt32(TotalPos, static_cast<std::int32_t>(Total));
}

std::string KitReadCompressed(TKitStoreReader& Stream, std::size_t MaxSize) {
  std::int64_t Total = Stream.ReadInt32();
  if (Total < 0) throw EKitStoreError("Compressed data have a negative length");
  if (static_cast<std::uint64_t>(Total) > Stream.Remaining())
    throw EKitStoreError("Stored data end too early");
  std::string Result;
  while (Total > 0) {
    const std::int32_t Length = Stream.ReadInt32();
    if (Length <= 0 || Length > MaxBlockLength || Length > Total - 4)
      throw EKitStoreError("Compressed block length does not fit the data");
    if (!KitDecompressBlock(Stream.ReadBytes(static_cast<std::size_t>(Length)), Result))
      throw EKitStoreError("Compressed block is not valid");
    if (Result.size() > MaxSize) throw EKitStoreError("Compressed data are too large");
    Total -= Length + 4;
  }
  return Result;
}
