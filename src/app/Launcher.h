// Opening an entry's target with the shell's "open", as the menu does it.
#pragma once

#include <string>

#include "platform/Driver.h"

// Opens the target through the driver's shell "open": a web address as written; a
// folder in the file manager; a file at its full path with the parameters unchanged and its
// folder as working directory. Returns what the user is told when it cannot be opened: the
// target and why, "" when it was opened. A file or folder no longer there is not handed to the
// shell.
std::string LaunchTarget(TDriver& Platform, const std::string& Target,
                         const std::string& Parameters);
