// Fuzz target: PNG pictures decoded from bytes, composed over a matte and with straight alpha;
// the same bytes again with the checksums of their chunks made right.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "PictureFuzzCheck.h"
#include "PngChecksums.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
  CheckPicture(TPictureFormat::pfPng, Bytes);
  const std::string Fixed = WithPngChecksumsRight(Bytes);
  if (Fixed != Bytes) CheckPicture(TPictureFormat::pfPng, Fixed);
  return 0;
}
