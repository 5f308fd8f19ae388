// System colours on a platform without its own: the classic 3D colour scheme as a table.
#include "platform/posix/ClassicSystemColors.h"

#include <iterator>

namespace {

struct TRgb {
  std::uint8_t R, G, B;
};

// Indexed by system colour number, SCROLLBAR (0) to INFOBK (24).
constexpr TRgb ClassicScheme[] = {
    {212, 208, 200}, {58, 110, 165},  {10, 36, 106},   {128, 128, 128}, {212, 208, 200},
    {255, 255, 255}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255},
    {212, 208, 200}, {212, 208, 200}, {128, 128, 128}, {10, 36, 106},   {255, 255, 255},
    {212, 208, 200}, {128, 128, 128}, {128, 128, 128}, {0, 0, 0},       {212, 208, 200},
    {255, 255, 255}, {64, 64, 64},    {212, 208, 200}, {0, 0, 0},       {255, 255, 225},
};

}  // namespace

std::uint32_t ClassicSystemColorRGB(int Index) {
  if (Index < 0 || Index >= static_cast<int>(std::size(ClassicScheme))) return 0;
  const TRgb& C = ClassicScheme[Index];
  return static_cast<std::uint32_t>(C.R) | (static_cast<std::uint32_t>(C.G) << 8) |
         (static_cast<std::uint32_t>(C.B) << 16);
}
