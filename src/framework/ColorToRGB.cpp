// Resolving colour values to RGB.
#include "framework/ColorToRGB.h"
#include "platform/Driver.h"

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<TColor>(Driver().SystemColorRGB(Color & 0xFF));
  return Color & 0x00FFFFFF;
}
