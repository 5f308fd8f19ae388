// The menu-path routines of core/FilePath.h in the user's ANSI code page.
#pragma once

#include <string>

#include "core/FilePath.h"

std::string ExtractFilePath(const std::string& FileName);
std::string NormalDir(const std::string& DirName);
