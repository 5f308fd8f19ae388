// The path limit that the shell's "open" (TDriver::ShellOpen) keeps for menu targets.
#pragma once

#include <cstddef>

// The classic full-path buffer in characters, its terminating zero included: a target whose
// full path does not fit in it is never opened.
inline constexpr std::size_t MaxPath = 260;
