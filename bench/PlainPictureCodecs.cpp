// libpng's and libjpeg's plain write and read loops, for the benchmarks.
#include "PlainPictureCodecs.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdlib>
#include <cstring>

namespace {

void AppendPng(png_structp Png, png_bytep Data, png_size_t Size) {
  static_cast<std::string*>(png_get_io_ptr(Png))->append(reinterpret_cast<char*>(Data), Size);
}

void FlushPng(png_structp) {}

struct TPngSource {
  const std::string* File;
  std::size_t Pos;
};

void ReadPng(png_structp Png, png_bytep Data, png_size_t Size) {
  auto* Source = static_cast<TPngSource*>(png_get_io_ptr(Png));
  if (Size > Source->File->size() - Source->Pos) png_error(Png, "cut short");
  std::memcpy(Data, Source->File->data() + Source->Pos, Size);
  Source->Pos += Size;
}

std::vector<unsigned char> RgbRow(int Width, const std::uint32_t* Pixels) {
  std::vector<unsigned char> Row;
  for (int X = 0; X < Width; ++X)
    for (int Shift : {16, 8, 0}) Row.push_back(static_cast<unsigned char>(Pixels[X] >> Shift));
  return Row;
}

}  // namespace

std::string WritePlainPng(int Width, int Height, const std::vector<std::uint32_t>& Pixels) {
  std::string File;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = png_create_info_struct(Png);
  png_set_write_fn(Png, &File, AppendPng, FlushPng);
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(Width), static_cast<png_uint_32>(Height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  for (int Y = 0; Y < Height; ++Y)
    png_write_row(Png, RgbRow(Width, Pixels.data() + static_cast<std::size_t>(Y) * Width).data());
  png_write_end(Png, nullptr);
  png_destroy_write_struct(&Png, &Info);
  return File;
}

std::string WritePlainJpeg(int Width, int Height, const std::vector<std::uint32_t>& Pixels) {
  jpeg_compress_struct Info{};
  jpeg_error_mgr Error{};
  Info.err = jpeg_std_error(&Error);
  jpeg_create_compress(&Info);
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  jpeg_mem_dest(&Info, &Buffer, &Size);
  Info.image_width = static_cast<JDIMENSION>(Width);
  Info.image_height = static_cast<JDIMENSION>(Height);
  Info.input_components = 3;
  Info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&Info);
  jpeg_set_quality(&Info, 90, TRUE);
  jpeg_start_compress(&Info, TRUE);
  while (Info.next_scanline < Info.image_height) {
    std::vector<unsigned char> Row =
        RgbRow(Width, Pixels.data() + static_cast<std::size_t>(Info.next_scanline) * Width);
    JSAMPROW Rows[] = {Row.data()};
    jpeg_write_scanlines(&Info, Rows, 1);
  }
  jpeg_finish_compress(&Info);
  std::string File(reinterpret_cast<char*>(Buffer), Size);
  jpeg_destroy_compress(&Info);
  std::free(Buffer);
  return File;
}

void DecodePlainPng(const std::string& File, std::vector<std::uint32_t>& Pixels) {
  png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = png_create_info_struct(Png);
  TPngSource Source{&File, 0};
  png_set_read_fn(Png, &Source, ReadPng);
  png_read_info(Png, Info);
  png_set_bgr(Png);
  png_set_filler(Png, 0, PNG_FILLER_AFTER);
  png_read_update_info(Png, Info);
  const png_uint_32 Width = png_get_image_width(Png, Info);
  const png_uint_32 Height = png_get_image_height(Png, Info);
  for (png_uint_32 Y = 0; Y < Height; ++Y)
    png_read_row(Png, reinterpret_cast<png_bytep>(Pixels.data() + std::size_t{Y} * Width), nullptr);
  png_read_end(Png, nullptr);
  png_destroy_read_struct(&Png, &Info, nullptr);
}

void DecodePlainJpeg(const std::string& File, std::vector<std::uint32_t>& Pixels) {
  jpeg_decompress_struct Info{};
  jpeg_error_mgr Error{};
  Info.err = jpeg_std_error(&Error);
  jpeg_create_decompress(&Info);
  jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(File.data()),
               static_cast<unsigned long>(File.size()));
  jpeg_read_header(&Info, TRUE);
  Info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&Info);
  while (Info.output_scanline < Info.output_height) {
    JSAMPROW Rows[] = {reinterpret_cast<JSAMPROW>(
        Pixels.data() + static_cast<std::size_t>(Info.output_scanline) * Info.output_width)};
    jpeg_read_scanlines(&Info, Rows, 1);
  }
  jpeg_finish_decompress(&Info);
  jpeg_destroy_decompress(&Info);
}
