// Conversions between 8-bit code-page text and UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "core/FontCharset.h"
#include "core/LeadByte.h"
#include "core/Utf8.h"

// Text in Windows-1252, as UTF-8. The five bytes that code page leaves undefined map to the
// C1 controls of the same number, as the system's conversion does.
std::string Cp1252ToUtf8(std::string_view Text);

// The code page 8-bit text in a font of this character set is written in; DEFAULT_CHARSET and
// unknown sets mean the user's ANSI code page.
int CodePageOfCharset(TFontCharset Charset);

// Code points of 8-bit text shown in a font of this character set: a text that is valid UTF-8
// and not plain ASCII is UTF-8, anything else is in the set's code page.
std::u32string DecodeText(std::string_view Text, TFontCharset Charset);

// Text with every letter after the first character in lower case, in the encoding it came in:
// UTF-8 when valid, else the user's ANSI code page (letters of two-byte characters stay).
std::string LowerCaseAfterFirst(std::string_view Text);

// A text for display as UTF-8: as it is when it is valid UTF-8, otherwise read as Windows-1252.
std::string DisplayText(std::string_view Text);
