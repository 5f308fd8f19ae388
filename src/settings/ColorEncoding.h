// The text forms of colours and character sets in settings files: identifiers such as clRed,
// or numbers by the integer text rule.
#pragma once

#include <string>
#include <vector>

#include "core/Colors.h"
#include "core/FontCharset.h"

// Every colour identifier, in table order.
std::vector<std::string> ColorNames();
// The first colour identifier with that value.
bool ColorToName(TColor Color, std::string& Name);
// The value of a colour identifier, compared without regard to ASCII letter case.
bool NameToColor(const std::string& Name, TColor& Color);

bool CharsetToName(TFontCharset Charset, std::string& Name);
bool NameToCharset(const std::string& Name, TFontCharset& Charset);

// The identifier of Color, else "$" and its eight upper-case hexadecimal digits.
std::string ColorToText(TColor Color);
// An identifier or an integer; raises EConvertError for anything else.
TColor TextToColor(const std::string& Text);
