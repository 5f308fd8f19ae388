// Fuzz target: the integer text rule, checked against its own decimal and hexadecimal output.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/Exception.h"
#include "settings/IntegerText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  const std::optional<std::int32_t> Value = ParseInteger(Text);
  if (TextToIntDef(Text, 42) != Value.value_or(42)) std::abort();
  try {
    if (TextToInt(Text) != Value) std::abort();
  } catch (const EConvertError&) {
    if (Value) std::abort();
  }
  if (!Value) return 0;
  // Every value the rule reads must read back from the forms the settings writer produces.
  if (ParseInteger(std::to_string(*Value)) != Value) std::abort();
  char Hex[16];
  std::snprintf(Hex, sizeof Hex, "$%08X", static_cast<unsigned>(*Value));
  if (ParseInteger(Hex) != Value) std::abort();
  return 0;
}
