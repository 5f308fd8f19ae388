// Conversions between the program's UTF-8 texts and the UTF-16 texts of the system's wide calls.
#pragma once

#include <string>

// Malformed UTF-8 sequences become U+FFFD.
std::wstring WideOf(const std::string& Utf8);

// Unpaired surrogates become U+FFFD.
std::string Utf8Of(const std::wstring& Wide);
