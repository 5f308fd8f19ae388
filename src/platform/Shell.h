// The shell's "open" action for menu targets, and the path limit it keeps.
#pragma once

#include <cstddef>
#include <string>

// The classic full-path buffer in characters, its terminating zero included: a target whose
// full path does not fit in it is never opened.
inline constexpr std::size_t MaxPath = 260;

// Opens FileName as the shell's "open" verb does, shown normally: a program is started with
// Parameters, a document in the program the desktop associates with it. Directory is the
// working directory to start in. Returns at once without waiting for what it started; a
// target that cannot be opened is passed over without a word.
void ShellOpen(const std::string& FileName, const std::string& Parameters,
               const std::string& Directory);
