// The author's check: every mistake the menu program would pass over in silence.
#pragma once

#include <string>
#include <vector>

#include "Finding.h"
#include "platform/Registry.h"

// Reads MenuFile as the menu program does and reports what is wrong or doubtful in it,
// sorted by line. Relative targets are looked up from the current folder.
std::vector<TFinding> CheckMenu(const std::string& MenuFile, TRegistryService& Registry);
