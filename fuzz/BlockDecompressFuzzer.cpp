// Fuzz target: the block decompressor and the compressed container around it, on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "controls/panel/KitBlockCompressor.h"
#include "controls/panel/KitCompressedContainer.h"
#include "controls/panel/KitStoreStream.h"

namespace {

// Larger than one block, so that the container's limit is met by data as well as refused.
constexpr std::size_t MaxContainerSize = 3 * KitBlockSize;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  std::string Out = "kept";
  if (KitDecompressBlock(Input, Out)) {
    if (Out.size() < 4 || Out.size() - 4 > KitBlockSize || Out.compare(0, 4, "kept") != 0)
      std::abort();
  } else if (Out != "kept") {
    std::abort();
  }
  TKitStoreReader Reader(Input);
  try {
    if (KitReadCompressed(Reader, MaxContainerSize).size() > MaxContainerSize) std::abort();
  } catch (const EKitStoreError&) {
  }
  return 0;
}
