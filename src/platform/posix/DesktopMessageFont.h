// The message font of a Linux desktop.
#pragma once

#include "platform/MessageFont.h"

// fontconfig's sans face at 9 points on a 96 dpi screen.
TMessageFontSpec DesktopMessageFont();
