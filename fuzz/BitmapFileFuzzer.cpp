// Fuzz target: bitmap files decoded from bytes to pictures of sides the decoder allows, and the
// decoded picture written and read back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"

namespace {

constexpr std::int64_t MaxRoundTripPixels = std::int64_t{1} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TBitmap Bitmap;
  try {
    DecodeBitmapFile(std::string_view(reinterpret_cast<const char*>(Data), Size), Bitmap);
  } catch (const EInvalidGraphic&) {
    return 0;
  } catch (const EOutOfResources&) {
    return 0;
  }
  // A decoded picture has sides of one pixel up to the decoder's largest, 65535.
  if (Bitmap.Width() <= 0 || Bitmap.Width() > 65535 || Bitmap.Height() <= 0 ||
      Bitmap.Height() > 65535)
    std::abort();
  // What was decoded must survive its own encoding pixel for pixel. A few bytes of run-length
  // data can stand for a picture of a hundred megabytes, whose encoding and second decoding
  // take seconds under the sanitizers; those are decoded, but not written back.
  if (static_cast<std::int64_t>(Bitmap.Width()) * Bitmap.Height() > MaxRoundTripPixels) return 0;
  TBitmap Copy;
  DecodeBitmapFile(EncodeBitmapFile(Bitmap), Copy);
  if (Copy.Width() != Bitmap.Width() || Copy.Height() != Bitmap.Height()) std::abort();
  for (int Y = 0; Y < Bitmap.Height(); ++Y)
    if (!std::equal(Bitmap.ScanLine(Y), Bitmap.ScanLine(Y) + Bitmap.Width(), Copy.ScanLine(Y)))
      std::abort();
  return 0;
}
