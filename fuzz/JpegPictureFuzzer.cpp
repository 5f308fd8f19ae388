// Fuzz target: JPEG pictures decoded from bytes, turned upright, opaque both ways.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "PictureFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  CheckPicture(TPictureFormat::pfJpeg, std::string_view(reinterpret_cast<const char*>(Data), Size));
  return 0;
}
