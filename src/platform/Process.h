// Facts about the running process that the platform knows.
#pragma once

#include <string>

// The full path of the running executable; empty when the platform cannot tell.
std::string ExecutableFileName();
