// Fuzz target: icon files decoded from bytes, each image picked and drawn onto a bitmap; the
// same bytes again with the checksums of their PNG chunks made right.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "PngChecksums.h"
#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "framework/Icon.h"

namespace {

// Any bytes load as an icon whose images are whole, or are refused as no valid icon.
void CheckIcon(std::string_view Bytes) {
  TIcon Icon;
  try {
    Icon.LoadFromBytes(Bytes);
  } catch (const EInvalidGraphic& Error) {
    if (Error.Message() != "Icon image is not valid") std::abort();
    return;
  }
  TBitmap Target(40, 40);
  for (int Index = 0; Index < Icon.ImageCount(); ++Index) {
    const TIconImage& Image = Icon.Image(Index);
    if (Image.Width <= 0 || Image.Height <= 0 ||
        Image.Pixels.size() != static_cast<std::size_t>(Image.Width) * Image.Height)
      std::abort();
    DrawIconImage(Target, -Image.Width / 2, 8, Image);
  }
  const int Picked = Icon.PickImage(32, 32);
  if (Picked < (Icon.Empty() ? -1 : 0) || Picked >= Icon.ImageCount()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
  CheckIcon(Bytes);
  const std::string Fixed = WithPngChecksumsRight(Bytes);
  if (Fixed != Bytes) CheckIcon(Fixed);
  return 0;
}
