// Writing pictures as PNG files, for previews and test sheets.
#pragma once

#include <cstdint>
#include <string>

// Writes Width x Height pixels (rows of 0xAARRGGBB, top row first) as an 8-bit RGB PNG file,
// replacing the file in one step. False when the file cannot be written.
bool EncodePngFile(const std::string& FileName, int Width, int Height, const std::uint32_t* Pixels);
