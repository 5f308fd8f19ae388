// Window icons made from the framework's icon pixels.
#pragma once

#include "platform/WindowSystem.h"

#include <windows.h>

// An icon of the image's size with its alpha channel, and a mask for whatever ignores alpha;
// null when the image is empty, too large or short of pixels. The caller destroys it.
HICON CreateIconFromPixels(const TIconPixels& Image);

// The image of Images closest in size to Side x Side, or null when there is none.
const TIconPixels* NearestIcon(const std::vector<TIconPixels>& Images, int Side);
