// Facts about the running process on POSIX.
#pragma once

#include <string>

// The target of /proc/self/exe; empty when it cannot be read.
std::string ProcExecutableFileName();

// Returns the freed pages of the heap to the system.
void TrimFreedMemory();
