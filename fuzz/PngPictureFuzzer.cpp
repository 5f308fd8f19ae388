// Fuzz target: PNG pictures decoded from bytes, composed over a matte and with straight alpha.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "PictureFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  CheckPicture(TPictureFormat::pfPng, std::string_view(reinterpret_cast<const char*>(Data), Size));
  return 0;
}
