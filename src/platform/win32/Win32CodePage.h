// Windows code pages decoded by the system.
#pragma once

#include <string>
#include <string_view>

// As TDriver::DecodeCodePage.
std::u32string Win32DecodeCodePage(std::string_view Text, int CodePage);
