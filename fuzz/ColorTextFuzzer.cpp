// Fuzz target: colour and character-set texts, and the colour text written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Exception.h"
#include "settings/ColorEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TFontCharset Charset;
  if (NameToCharset(Text, Charset)) {
    std::string Name;
    if (!CharsetToName(Charset, Name)) std::abort();
  }
  TColor Color;
  try {
    Color = TextToColor(Text);
  } catch (const EConvertError&) {
    return 0;
  }
  if (TextToColor(ColorToText(Color)) != Color) std::abort();
  return 0;
}
