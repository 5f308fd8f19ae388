// The reference side of the picture benchmarks: libpng and libjpeg used directly, as their own
// documentation shows, to write the pictures and to decode them with nothing around.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Width x Height pixels 0x00RRGGBB, top-down, as an 8-bit RGB PNG at libpng's default settings.
std::string WritePlainPng(int Width, int Height, const std::vector<std::uint32_t>& Pixels);
// The same as a baseline JPEG of quality 90.
std::string WritePlainJpeg(int Width, int Height, const std::vector<std::uint32_t>& Pixels);

// Decodes into Pixels, already Width x Height, as 4-byte blue-green-red-filler pixels: the
// layout the programs use, with no error handling beyond the libraries' own.
void DecodePlainPng(const std::string& File, std::vector<std::uint32_t>& Pixels);
void DecodePlainJpeg(const std::string& File, std::vector<std::uint32_t>& Pixels);
