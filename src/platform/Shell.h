// The shell's "open" action for menu targets, and the path limit it keeps.
#pragma once

#include <cstddef>
#include <string>

// The classic full-path buffer in characters, its terminating zero included: a target whose
// full path does not fit in it is never opened.
inline constexpr std::size_t MaxPath = 260;

// Opens FileName as the shell's "open" verb does, shown normally: a program is started with
// Parameters, a document or folder in the program the desktop associates with it, a web
// address (IsUrlTarget) in the desktop's handler. Directory is the working directory to start
// in. Returns without waiting for what it started: empty when the start succeeded, else why
// not, in words for the menu's user ("it does not exist", "the system refused to start it:
// Permission denied").
std::string ShellOpen(const std::string& FileName, const std::string& Parameters,
                      const std::string& Directory);
