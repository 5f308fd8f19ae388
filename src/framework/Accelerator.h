// The accelerator character of a caption: the one its "&" marks and its drawing underlines.
#pragma once

#include <optional>
#include <string>

#include "core/FontCharset.h"

// The simple case folding of the scripts captions are written in (Latin, Greek, Cyrillic):
// upper-case letters become their lower-case forms, everything else stays.
char32_t FoldCase(char32_t Character);

// The character "&" marks in Caption, decoded as a caption in a font of Charset is shown
// (UTF-8 when valid, else that set's code page), and case-folded. "&&" stands for one "&"; a
// "&" at the end, or before a tab or line break, marks nothing. With several marks the last
// one counts, as it is the one drawn underlined. Nothing when no character is marked.
std::optional<char32_t> CaptionAccelerator(const std::string& Caption, TFontCharset Charset);

// True when Key, the character the keyboard layout gives the key pressed with Alt, is the
// caption's accelerator: the underlined character is the one that works, in any script.
bool IsAccel(char32_t Key, const std::string& Caption, TFontCharset Charset);
