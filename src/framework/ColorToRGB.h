// Resolving colour values to the RGB they stand for now.
#pragma once

#include "core/Colors.h"

// The RGB value a colour stands for now: system colours resolved through the platform, RGB values
// as they are (their top byte cleared). clNone has no RGB value: drawing skips it.
TColor ColorToRGB(TColor Color);
