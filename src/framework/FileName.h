// The menu-path routines of core/FilePath.h for names the system gives.
#pragma once

#include <string>

#include "core/FilePath.h"

// The folder part of a name the system gave: in the system's code page on Windows; on POSIX up
// to the last "/", the only separator of its names.
std::string ExtractFilePath(const std::string& FileName);
// The folder with the separator it needs at the end, for a folder the system named; on POSIX
// only "/" is added, when missing.
std::string NormalDir(const std::string& DirName);
