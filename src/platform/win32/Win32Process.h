// Facts about the running process on Windows.
#pragma once

#include <string>

// The full path of the module that started the process; empty when the system does not give it.
std::string ModuleFileName();

// Returns the freed pages of the heap to the system.
void MinimizeHeap();
