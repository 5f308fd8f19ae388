// The shell's "open" action on Windows: the system shell itself.
#pragma once

#include <string>

// As TDriver::ShellOpen, through ShellExecuteEx.
std::string Win32ShellOpen(const std::string& FileName, const std::string& Parameters,
                           const std::string& Directory);
