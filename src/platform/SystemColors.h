// The platform's system colours: the colour a system colour index stands for now.
#pragma once

#include <cstdint>

// The colour of system colour Index as 0x00BBGGRR (red in the low byte); black for an index
// the platform does not know.
std::uint32_t SystemColorRGB(int Index);
