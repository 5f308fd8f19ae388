// The system colours of the standard Windows scheme, as a table.
#pragma once

#include <cstdint>

// As TDriver::SystemColorRGB.
std::uint32_t ClassicSystemColorRGB(int Index);
