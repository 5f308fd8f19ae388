// Letter case of ASCII names: registry keys and file names are compared without it.
#pragma once

#include <string>
#include <string_view>

// ASCII letters made lower case; other bytes as they are.
std::string LowerAscii(std::string_view Text);
