// PNG and JPEG files written by libpng and libjpeg, for tests of the readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG of any colour type and depth. Samples holds the picture's samples at its depth,
// channel by channel (grey, grey and alpha, red green blue, red green blue alpha, or a palette
// index), left to right, top to bottom; when it holds fewer, they repeat from the first.
struct TPngPicture {
  int Width = 0;
  int Height = 0;
  // 0 grey, 2 colour, 3 palette, 4 grey and alpha, 6 colour and alpha, as PNG numbers them.
  int ColorType = 2;
  int BitDepth = 8;
  bool Interlaced = false;
  std::vector<unsigned> Samples;
  // Red, green, blue of each entry of a palette picture.
  std::vector<std::uint8_t> Palette;
  // A tRNS chunk: the alpha of the first palette entries, or for grey and colour pictures
  // the one sample value (grey, or red green blue) that is transparent.
  std::vector<unsigned> Transparency;
};

std::string WritePng(const TPngPicture& Picture);

// Colour is stored as luma and chroma, or as red, green and blue themselves, which keeps flat
// colours exact at the highest quality.
enum class TJpegInks { jiGrey, jiColour, jiStoredRgb, jiCmyk };

// A JPEG at the highest quality. Samples holds one byte per component (grey; red green blue;
// or cyan magenta yellow black as the file stores them), left to right, top to bottom.
struct TJpegPicture {
  int Width = 0;
  int Height = 0;
  TJpegInks Inks = TJpegInks::jiColour;
  bool Progressive = false;
  // For CMYK: whether the file carries Adobe's marker, which says its inks are stored
  // inverted.
  bool AdobeMarker = true;
  std::vector<std::uint8_t> Samples;
};

std::string WriteJpeg(const TJpegPicture& Picture);

// Jpeg with an APP1 EXIF segment inserted after its start marker, whose first image directory
// holds a filler tag and then the orientation tag with Orientation, in the byte order asked.
std::string WithExifOrientation(const std::string& Jpeg, int Orientation, bool BigEndian);
