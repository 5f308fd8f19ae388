// Fuzz target: the block decompressor and the compressed container around it, on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "controls/panel/LMDBlockCompressor.h"
#include "controls/panel/LMDCompressedContainer.h"
#include "controls/panel/LMDStoreStream.h"

namespace {

// Larger than one block, so that the container's limit is met by data as well as refused.
constexpr std::size_t MaxContainerSize = 3 * LMDBlockSize;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  std::string Out = "kept";
  if (LMDDecompressBlock(Input, Out)) {
    if (Out.size() < 4 || Out.size() - 4 > LMDBlockSize || Out.compare(0, 4, "kept") != 0)
      std::abort();
  } else if (Out != "kept") {
    std::abort();
  }
  TLMDStoreReader Reader(Input);
  try {
    if (LMDReadCompressed(Reader, MaxContainerSize).size() > MaxContainerSize) std::abort();
  } catch (const ELMDStoreError&) {
  }
  return 0;
}
