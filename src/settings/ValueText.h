// The text of a value as the profile reader hands it out: cut to the caller's buffer without
// breaking a UTF-8 character, and without the lone surrogates a UTF-16 file may hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The first Limit bytes of Text; when Text is well-formed UTF-8, the longest run of whole
// characters within them.
std::string_view CutValue(std::string_view Text, std::size_t Limit);

// The three-byte forms of lone surrogates (kept so that a UTF-16 file is written back as it
// was read) replaced by U+FFFD, which has as many bytes.
std::string WithoutSurrogates(std::string_view Text);
