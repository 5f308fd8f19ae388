// The text form of a font in settings files: "Name,Size,Styles,Pitch,Color,Charset".
#pragma once

#include <string>

#include "core/Font.h"

// The letters B, I, U, S for the styles present, in that order.
std::string FontStylesToString(TFontStyles Style);
// Every style whose letter occurs anywhere in Text, in either case.
TFontStyles StringToFontStyles(const std::string& Text);

std::string FontToString(const TFont& Font);
// Applies the fields of Text to Font in order (fields split at "," or ";"); an invalid colour
// ends the parse after raising EConvertError, leaving the fields before it applied. Font sends
// exactly one change notification, whether or not the parse completes.
void StringToFont(const std::string& Text, TFont& Font);
