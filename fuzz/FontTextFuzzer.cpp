// Fuzz target: font texts applied to a font, and the text of the result read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Exception.h"
#include "core/Font.h"
#include "settings/FontEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  StringToFontStyles(Text);
  TFont Font;
  int Changes = 0;
  Font.OnChange = [&Changes](TObject*) { ++Changes; };
  try {
    StringToFont(Text, Font);
  } catch (const EConvertError&) {
  }
  if (Changes != 1) std::abort();
  // Sizes in points are rounded through the pixel height once; from then on the text is stable.
  const std::string Written = FontToString(Font);
  TFont Copy;
  StringToFont(Written, Copy);
  TFont Again;
  StringToFont(FontToString(Copy), Again);
  if (FontToString(Again) != FontToString(Copy)) std::abort();
  return 0;
}
