// Facts about the running process that the platform knows.
#pragma once

#include <string>

// The full path of the running executable; empty when the platform cannot tell.
std::string ExecutableFileName();

// Gives the pages of freed memory back to the system: what the window's building used only for
// a while (file bytes, copies at the designed size) stays resident otherwise.
void ReleaseFreedMemory();
