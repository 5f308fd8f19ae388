// The integer text rule of settings values: signed decimal, or hexadecimal after "$", "x", "X",
// "0x" or "0X", exactly 32 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The value of Text, or nothing when Text is no integer by the rule.
std::optional<std::int32_t> ParseInteger(const std::string& Text);

// The value of Text; raises EConvertError "'<Text>' is not a valid integer value" otherwise.
std::int32_t TextToInt(const std::string& Text);

// The value of Text, or Default when Text is no integer.
std::int32_t TextToIntDef(const std::string& Text, std::int32_t Default);
