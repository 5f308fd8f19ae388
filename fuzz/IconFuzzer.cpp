// Fuzz target: icon files decoded from bytes, each image picked and drawn onto a bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "framework/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TIcon Icon;
  try {
    Icon.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(Data), Size));
  } catch (const EInvalidGraphic&) {
    return 0;
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
  return 0;
}
