// The message font of a Linux desktop: fontconfig's sans face at 9 points on a 96 dpi screen.
#include "platform/posix/DesktopMessageFont.h"

TMessageFontSpec DesktopMessageFont() {
  return {"Sans", -12};
}
