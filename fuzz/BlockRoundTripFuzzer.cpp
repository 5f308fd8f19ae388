// Fuzz target: any bytes compressed block by block, then decompressed, give the bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "controls/panel/KitBlockCompressor.h"
#include "controls/panel/KitCompressedContainer.h"
#include "controls/panel/KitStoreStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const std::string_view Block = Input.substr(0, KitBlockSize);
  std::string Packed;
  const std::size_t Length = KitCompressBlock(Block, Packed);
  if (Length != Packed.size() || Length > Block.size() + 1) std::abort();
  std::string Unpacked;
  if (!KitDecompressBlock(Packed, Unpacked) || Unpacked != Block) std::abort();

  TKitStoreWriter Writer;
  KitWriteCompressed(Writer, Input);
  TKitStoreReader Reader(Writer.Bytes());
  if (KitReadCompressed(Reader, Input.size()) != Input || Reader.Remaining() != 0) std::abort();
  return 0;
}
