// The known name closest to a misspelt one, for "did you mean" hints.
#pragma once

#include <string>
#include <vector>

// The candidate closest to Name by edits (insert, delete, replace, swap two neighbours),
// letter case ignored, when it is close enough to be the likely intent: at most one edit for
// short names, about one in three for longer ones. Empty when none is.
std::string NearestName(const std::string& Name, const std::vector<std::string>& Candidates);
