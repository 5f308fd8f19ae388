// Windows code pages decoded through iconv.
#pragma once

#include <string>
#include <string_view>

// As TDriver::DecodeCodePage.
std::u32string IconvDecodeCodePage(std::string_view Text, int CodePage);
