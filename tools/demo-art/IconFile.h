// Writing icon files: 32-bit images with alpha and an AND mask, as every reader takes them.
#pragma once

#include <string>
#include <vector>

#include "framework/Icon.h"

// The bytes of an icon file holding Images (each at most 256 pixels a side).
std::string IconFileBytes(const std::vector<TIconImage>& Images);
