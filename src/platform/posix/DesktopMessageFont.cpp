// The message font of a Linux desktop: fontconfig's sans face at 9 points on a 96 dpi screen.
#include "platform/MessageFont.h"

TMessageFontSpec SystemMessageFont() {
  return {"Sans", -12};
}
