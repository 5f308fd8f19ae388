// The pictures of the program's icon and the demo menu's icon: a disc in two colourings.
#pragma once

#include <vector>

#include "framework/Icon.h"

enum class TIconLook { ilProgram, ilDemo };

// The icon's images at 48, 32 and 16 pixels.
std::vector<TIconImage> PaintIcon(TIconLook Look);
