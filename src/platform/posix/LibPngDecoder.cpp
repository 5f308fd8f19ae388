// PNG decoding through libpng, whose longjmp error handling is kept away from C++ objects.
#include "platform/PngDecoder.h"

#include <png.h>

#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

// Ancillary chunks (text, profiles) are skipped past these limits instead of being buffered.
constexpr png_uint_32 MaxCachedChunks = 128;
constexpr png_alloc_size_t MaxChunkBytes = 8u << 20;

struct TSource {
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
  std::size_t Position = 0;
};

// Everything the decoding touches lives here, in the caller's frame, so that a longjmp out of
// libpng abandons no object with a destructor and no local whose value it would leave
// indeterminate.
struct TDecoding {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  TSource Source;
  TPngImage Image;
  std::unique_ptr<png_bytep[]> Rows;
};

void ReadSource(png_structp Png, png_bytep Out, png_size_t Length) {
  TSource& Source = *static_cast<TSource*>(png_get_io_ptr(Png));
  if (Length > Source.Size - Source.Position) png_error(Png, "truncated");
  std::memcpy(Out, Source.Data + Source.Position, Length);
  Source.Position += Length;
}

// Ends the decoding without the message libpng would print by default.
[[noreturn]] void OnError(png_structp Png, png_const_charp) {
  png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool SizeAllowed(png_uint_32 Width, png_uint_32 Height) {
  if (Width == 0 || Height == 0) return false;
  if (Width > static_cast<png_uint_32>(MaxPngSide) || Height > static_cast<png_uint_32>(MaxPngSide))
    return false;
  return static_cast<std::size_t>(Width) * Height <= MaxPngBytes / sizeof(std::uint32_t);
}

// Turns every colour type and depth into 8-bit RGBA rows.
void RequestRgba(png_structp Png, png_infop Info) {
  png_set_expand(Png);
  png_set_strip_16(Png);
  png_byte ColorType = png_get_color_type(Png, Info);
  if (ColorType == PNG_COLOR_TYPE_GRAY || ColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(Png);
  png_set_filler(Png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
}

// The only function that calls setjmp. Allocation failures come out as std::bad_alloc from the
// code here, never from inside libpng's frames.
bool Run(TDecoding& Decoding) {
  if (setjmp(png_jmpbuf(Decoding.Png))) return false;
  png_structp Png = Decoding.Png;
  png_infop Info = Decoding.Info;
  png_set_read_fn(Png, &Decoding.Source, ReadSource);
  png_set_user_limits(Png, MaxPngSide, MaxPngSide);
  png_set_chunk_cache_max(Png, MaxCachedChunks);
  png_set_chunk_malloc_max(Png, MaxChunkBytes);

  png_read_info(Png, Info);
  png_uint_32 Width = png_get_image_width(Png, Info);
  png_uint_32 Height = png_get_image_height(Png, Info);
  if (!SizeAllowed(Width, Height)) return false;
  RequestRgba(Png, Info);
  if (png_get_rowbytes(Png, Info) != static_cast<std::size_t>(Width) * 4) return false;

  // The RGBA bytes are read straight into the pixel buffer and turned into pixels in place.
  TPngImage& Image = Decoding.Image;
  Image.Width = static_cast<int>(Width);
  Image.Height = static_cast<int>(Height);
  Image.Pixels.resize(static_cast<std::size_t>(Width) * Height);
  Decoding.Rows = std::make_unique<png_bytep[]>(Height);
  auto* Bytes = reinterpret_cast<unsigned char*>(Image.Pixels.data());
  for (png_uint_32 Y = 0; Y < Height; ++Y)
    Decoding.Rows[Y] = Bytes + static_cast<std::size_t>(Y) * Width * 4;
  png_read_image(Png, Decoding.Rows.get());

  for (std::uint32_t& Pixel : Image.Pixels) {
    const auto* Rgba = reinterpret_cast<const unsigned char*>(&Pixel);
    Pixel = (static_cast<std::uint32_t>(Rgba[3]) << 24) |
            (static_cast<std::uint32_t>(Rgba[0]) << 16) |
            (static_cast<std::uint32_t>(Rgba[1]) << 8) | Rgba[2];
  }
  return true;
}

}  // namespace

bool DecodePng(std::string_view Bytes, TPngImage& Image) {
  if (Bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(Bytes.data()), 0, 8) != 0)
    return false;
  TDecoding Decoding;
  Decoding.Source = {reinterpret_cast<const unsigned char*>(Bytes.data()), Bytes.size(), 0};
  Decoding.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!Decoding.Png) return false;
  Decoding.Info = png_create_info_struct(Decoding.Png);
  bool Decoded = false;
  if (Decoding.Info) {
    try {
      Decoded = Run(Decoding);
    } catch (const std::bad_alloc&) {
      Decoded = false;
    }
  }
  png_destroy_read_struct(&Decoding.Png, Decoding.Info ? &Decoding.Info : nullptr, nullptr);
  if (Decoded) Image = std::move(Decoding.Image);
  return Decoded;
}
