// PNG files written with libpng.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "platform/PngEncoder.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

void AppendBytes(png_structp Png, png_bytep Data, png_size_t Length) {
  auto* Out = static_cast<std::string*>(png_get_io_ptr(Png));
  Out->append(reinterpret_cast<const char*>(Data), Length);
}

void NoFlush(png_structp) {}

// Encodes into Out; libpng reports failures by jumping back here, so nothing with a destructor
// may live in this frame.
bool Encode(std::string& Out, int Width, int Height, const std::uint32_t* Pixels,
            std::vector<png_byte>& Row) {
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (Png == nullptr) return false;
  png_infop Info = png_create_info_struct(Png);
  if (Info == nullptr || setjmp(png_jmpbuf(Png))) {
    png_destroy_write_struct(&Png, &Info);
    return false;
  }
  png_set_write_fn(Png, &Out, AppendBytes, NoFlush);
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(Width), static_cast<png_uint_32>(Height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  for (int Y = 0; Y < Height; ++Y) {
    const std::uint32_t* Source = Pixels + static_cast<std::size_t>(Y) * Width;
    for (int X = 0; X < Width; ++X) {
      Row[3 * X] = static_cast<png_byte>(Source[X] >> 16);
      Row[3 * X + 1] = static_cast<png_byte>(Source[X] >> 8);
      Row[3 * X + 2] = static_cast<png_byte>(Source[X]);
    }
    png_write_row(Png, Row.data());
  }
  png_write_end(Png, nullptr);
  png_destroy_write_struct(&Png, &Info);
  return true;
}

}  // namespace

bool EncodePngFile(const std::string& FileName, int Width, int Height,
                   const std::uint32_t* Pixels) {
  if (Width <= 0 || Height <= 0) return false;
  std::string Out;
  std::vector<png_byte> Row(static_cast<std::size_t>(Width) * 3);
  return Encode(Out, Width, Height, Pixels, Row) &&
         TPosixFileSystem().WriteFileAtomically(FileName, Out);
}
