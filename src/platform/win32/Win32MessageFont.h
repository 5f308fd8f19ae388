// The message font of the non-client metrics on Windows.
#pragma once

#include "platform/MessageFont.h"

// As the system's own message boxes show it; Tahoma at 8 points when the system does not say.
TMessageFontSpec NonClientMessageFont();
