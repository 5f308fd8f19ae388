// Which font names this system stands in for with faces of the same metrics.
#pragma once

#include <string_view>

// True when Name is a classic face name that is read as a free face with the same metrics (or
// the closest look), such as "Arial" as Liberation Sans; compared without regard to letter case.
bool IsClassicFaceName(std::string_view Name);
