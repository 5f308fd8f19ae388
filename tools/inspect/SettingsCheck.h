// The author's check of menu.ini as text: sections, keys, and values read as their types.
#pragma once

#include <cstdint>

#include "CheckContext.h"

// Finds unknown, repeated and misspelt sections and keys, values that are no value of their
// type, ProgCount against the entry sections, and entries that leave TerminateAfterStart to
// its default. ProgCount is the value the menu reads.
void CheckSettingsText(TCheckContext& Context, std::int32_t ProgCount);
