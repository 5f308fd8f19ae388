// TStrings: an ordered list of texts, as section and key listings fill it.
#pragma once

#include <string>
#include <vector>

using TStrings = std::vector<std::string>;
