// What a JPEG file's markers state before its first scan: its size and its EXIF orientation.
#pragma once

#include <string_view>

struct TJpegHeader {
  int Width = 0;
  int Height = 0;
  // 1 (stored upright) to 8, as the EXIF tag 0x0112 numbers them; 1 when the file has none or
  // an unknown one.
  int Orientation = 1;
};

// Reads the markers up to the first scan. False when Bytes does not start as a JPEG or has no
// frame header before its first scan.
bool ReadJpegHeader(std::string_view Bytes, TJpegHeader& Header);
