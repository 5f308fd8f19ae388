// Writing test pictures through the libraries' own writers, into memory.
#include "support/PictureWriters.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdlib>
#include <stdexcept>

namespace {

void AppendPng(png_structp Png, png_bytep Data, png_size_t Size) {
  static_cast<std::string*>(png_get_io_ptr(Png))->append(reinterpret_cast<char*>(Data), Size);
}

void FlushPng(png_structp) {}

int Channels(int ColorType) {
  switch (ColorType) {
    case 0:
    case 3:
      return 1;
    case 4:
      return 2;
    case 2:
      return 3;
    default:
      return 4;
  }
}

// Row Y as libpng takes it with packing asked for: a byte per sample below 8 bits, two bytes,
// high first, at 16.
std::vector<png_byte> PngRow(const TPngPicture& Picture, int Y) {
  const std::size_t PerRow = static_cast<std::size_t>(Picture.Width) * Channels(Picture.ColorType);
  const bool Wide = Picture.BitDepth == 16;
  std::vector<png_byte> Row(PerRow * (Wide ? 2 : 1));
  png_byte* Target = Row.data();
  const std::size_t Count = Picture.Samples.size();
  std::size_t Next = static_cast<std::size_t>(Y) * PerRow % Count;
  for (std::size_t I = 0; I < PerRow; ++I) {
    const unsigned Sample = Picture.Samples[Next];
    Next = Next + 1 == Count ? 0 : Next + 1;
    if (Wide) *Target++ = static_cast<png_byte>(Sample >> 8);
    *Target++ = static_cast<png_byte>(Sample & 0xFF);
  }
  return Row;
}

void SetTransparency(png_structp Png, png_infop Info, const TPngPicture& Picture) {
  if (Picture.Transparency.empty()) return;
  if (Picture.ColorType == 3) {
    std::vector<png_byte> Alpha(Picture.Transparency.begin(), Picture.Transparency.end());
    png_set_tRNS(Png, Info, Alpha.data(), static_cast<int>(Alpha.size()), nullptr);
    return;
  }
  png_color_16 Key{};
  if (Picture.ColorType == 0) {
    Key.gray = static_cast<png_uint_16>(Picture.Transparency.at(0));
  } else {
    Key.red = static_cast<png_uint_16>(Picture.Transparency.at(0));
    Key.green = static_cast<png_uint_16>(Picture.Transparency.at(1));
    Key.blue = static_cast<png_uint_16>(Picture.Transparency.at(2));
  }
  png_set_tRNS(Png, Info, nullptr, 0, &Key);
}

[[noreturn]] void OnPngError(png_structp, png_const_charp Message) {
  throw std::runtime_error(Message);
}

}  // namespace

std::string WritePng(const TPngPicture& Picture) {
  std::string Bytes;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, nullptr);
  png_infop Info = png_create_info_struct(Png);
  try {
    png_set_write_fn(Png, &Bytes, AppendPng, FlushPng);
    png_set_IHDR(Png, Info, static_cast<png_uint_32>(Picture.Width),
                 static_cast<png_uint_32>(Picture.Height), Picture.BitDepth, Picture.ColorType,
                 Picture.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> Palette;
    for (std::size_t I = 0; I + 2 < Picture.Palette.size(); I += 3)
      Palette.push_back({Picture.Palette[I], Picture.Palette[I + 1], Picture.Palette[I + 2]});
    if (!Palette.empty()) png_set_PLTE(Png, Info, Palette.data(), static_cast<int>(Palette.size()));
    SetTransparency(Png, Info, Picture);
    png_write_info(Png, Info);
    if (Picture.BitDepth < 8) png_set_packing(Png);
    // Each pass of an interlaced picture goes over all rows again.
    const int Passes = png_set_interlace_handling(Png);
    for (int Pass = 0; Pass < Passes; ++Pass)
      for (int Y = 0; Y < Picture.Height; ++Y) png_write_row(Png, PngRow(Picture, Y).data());
    png_write_end(Png, nullptr);
  } catch (...) {
    png_destroy_write_struct(&Png, &Info);
    throw;
  }
  png_destroy_write_struct(&Png, &Info);
  return Bytes;
}

std::string WriteJpeg(const TJpegPicture& Picture) {
  jpeg_compress_struct Info{};
  jpeg_error_mgr Error{};
  Info.err = jpeg_std_error(&Error);
  jpeg_create_compress(&Info);
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  jpeg_mem_dest(&Info, &Buffer, &Size);
  Info.image_width = static_cast<JDIMENSION>(Picture.Width);
  Info.image_height = static_cast<JDIMENSION>(Picture.Height);
  Info.input_components = Picture.Inks == TJpegInks::jiGrey   ? 1
                          : Picture.Inks == TJpegInks::jiCmyk ? 4
                                                              : 3;
  Info.in_color_space = Picture.Inks == TJpegInks::jiGrey   ? JCS_GRAYSCALE
                        : Picture.Inks == TJpegInks::jiCmyk ? JCS_CMYK
                                                            : JCS_RGB;
  jpeg_set_defaults(&Info);
  jpeg_set_quality(&Info, 100, TRUE);
  if (Picture.Inks == TJpegInks::jiStoredRgb) jpeg_set_colorspace(&Info, JCS_RGB);
  if (Picture.Inks == TJpegInks::jiCmyk) Info.write_Adobe_marker = Picture.AdobeMarker;
  if (Picture.Progressive) jpeg_simple_progression(&Info);
  jpeg_start_compress(&Info, TRUE);
  const std::size_t Stride = static_cast<std::size_t>(Picture.Width) * Info.input_components;
  while (Info.next_scanline < Info.image_height) {
    auto* Row = const_cast<JSAMPLE*>(Picture.Samples.data() + Info.next_scanline * Stride);
    jpeg_write_scanlines(&Info, &Row, 1);
  }
  jpeg_finish_compress(&Info);
  std::string Bytes(reinterpret_cast<char*>(Buffer), Size);
  jpeg_destroy_compress(&Info);
  std::free(Buffer);
  return Bytes;
}

std::string WithExifOrientation(const std::string& Jpeg, int Orientation, bool BigEndian) {
  std::string Tiff;
  auto Word = [&](unsigned Value) {
    const char High = static_cast<char>(Value >> 8), Low = static_cast<char>(Value & 0xFF);
    Tiff += BigEndian ? std::string{High, Low} : std::string{Low, High};
  };
  auto Dword = [&](unsigned Value) {
    if (BigEndian) {
      Word(Value >> 16);
      Word(Value & 0xFFFF);
    } else {
      Word(Value & 0xFFFF);
      Word(Value >> 16);
    }
  };
  Tiff += BigEndian ? "MM" : "II";
  Word(42);
  Dword(8);
  Word(2);
  // An image description offset first, so that the orientation is not the only entry.
  Word(0x010E);
  Word(2);
  Dword(4);
  Dword(0);
  Word(0x0112);
  Word(3);
  Dword(1);
  Word(static_cast<unsigned>(Orientation));
  Word(0);
  Dword(0);
  const std::string Segment = std::string("Exif\0\0", 6) + Tiff;
  const std::size_t Length = Segment.size() + 2;
  std::string Marker = {'\xFF', '\xE1', static_cast<char>(Length >> 8),
                        static_cast<char>(Length & 0xFF)};
  return Jpeg.substr(0, 2) + Marker + Segment + Jpeg.substr(2);
}
