// Fuzz target: any bytes compressed block by block, then decompressed, give the bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "controls/panel/LMDBlockCompressor.h"
#include "controls/panel/LMDCompressedContainer.h"
#include "controls/panel/LMDStoreStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const std::string_view Block = Input.substr(0, LMDBlockSize);
  std::string Packed;
  const std::size_t Length = LMDCompressBlock(Block, Packed);
  if (Length != Packed.size() || Length > Block.size() + 1) std::abort();
  std::string Unpacked;
  if (!LMDDecompressBlock(Packed, Unpacked) || Unpacked != Block) std::abort();

  TLMDStoreWriter Writer;
  LMDWriteCompressed(Writer, Input);
  TLMDStoreReader Reader(Writer.Bytes());
  if (LMDReadCompressed(Reader, Input.size()) != Input || Reader.Remaining() != 0) std::abort();
  return 0;
}
