// Decoding of 8-bit text in a Windows code page.
#pragma once

#include <string>
#include <string_view>

// Text in CodePage (1250 to 1258, 874, 437, 932, 936, 949, 950, ...) as code points. A byte the
// code page does not define becomes U+FFFD; an unknown code page is read as 1252.
std::u32string DecodeCodePage(std::string_view Text, int CodePage);
