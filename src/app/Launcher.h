// Opening an entry's target with the shell's "open", as the menu does it.
#pragma once

#include <string>

#include "platform/WindowSystem.h"

// Opens the target through the system driver's shell "open": the full path, the parameters
// unchanged and the target's folder as working directory; a full path that does not fit the
// classic 260-character buffer is not opened. Nothing is reported.
void LaunchTarget(TWindowSystem& System, const std::string& Target, const std::string& Parameters);
