// Fuzz target: the shortest decimal texts of doubles, written from any bit pattern and read from
// any text, each checked by reading it back.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "settings/DecimalText.h"

namespace {

bool SameBits(double Left, double Right) {
  return std::memcmp(&Left, &Right, sizeof Left) == 0;
}

// The text written for a finite Value must read back to the same bits, and where the C++ library
// converts doubles itself, be the text it writes.
void CheckWritten(double Value) {
  const std::string Text = ShortestDecimalText(Value);
  const std::optional<double> Read = DecimalTextToDouble(Text);
  if (!Read || !SameBits(*Read, Value)) std::abort();
#if defined(__cpp_lib_to_chars)
  char Buffer[400];
  const std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  if (Text != std::string_view(Buffer, static_cast<std::size_t>(Result.ptr - Buffer))) std::abort();
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // The first eight bytes as the bits of a double.
  if (Size >= sizeof(double)) {
    double Value;
    std::memcpy(&Value, Data, sizeof Value);
    if (std::isfinite(Value)) CheckWritten(Value);
  }
  // The whole input as a text; whatever it reads as is written and read again.
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  if (const std::optional<double> Read = DecimalTextToDouble(Text)) CheckWritten(*Read);
  return 0;
}
