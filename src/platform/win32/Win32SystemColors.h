// System colours on Windows.
#pragma once

#include <cstdint>

// As TDriver::SystemColorRGB: what the user's colour scheme says now.
std::uint32_t Win32SystemColorRGB(int Index);
