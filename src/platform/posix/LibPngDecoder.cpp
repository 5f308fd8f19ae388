// PNG decoding through libpng, whose longjmp error handling is kept away from C++ objects.
#include "platform/PngDecoder.h"

#include <png.h>

#include <new>
#include <utility>

namespace {

// Ancillary chunks (text, profiles) are skipped past these limits instead of being buffered.
constexpr png_uint_32 MaxCachedChunks = 128;
constexpr png_alloc_size_t MaxChunkBytes = 8u << 20;

// Everything the decoding touches lives here, in the caller's frame, so that a longjmp out of
// libpng abandons no object with a destructor and no local whose value it would leave
// indeterminate.
struct TDecoding {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  TPngImage Image;
  // Rows handed over, counted over all passes: every row of the picture is in one of them.
  std::size_t Rows = 0;
  bool Complete = false;
};

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

TDecoding& DecodingOf(png_structp Png) {
  return *static_cast<TDecoding*>(png_get_progressive_ptr(Png));
}

// The RGBA bytes are read straight into the pixel buffer and turned into pixels at the end.
void OnInfo(png_structp Png, png_infop Info) {
  png_uint_32 Width = png_get_image_width(Png, Info);
  png_uint_32 Height = png_get_image_height(Png, Info);
  if (!SizeAllowed(Width, Height)) png_error(Png, "too large");
  RequestRgba(Png, Info);
  if (png_get_rowbytes(Png, Info) != static_cast<std::size_t>(Width) * 4) png_error(Png, "layout");
  TPngImage& Image = DecodingOf(Png).Image;
  Image.Width = static_cast<int>(Width);
  Image.Height = static_cast<int>(Height);
  // No exception may cross libpng's frames, and no longjmp may leave a handler.
  bool Allocated = true;
  try {
    Image.Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
  } catch (const std::bad_alloc&) {
    Allocated = false;
  }
  if (!Allocated) png_error(Png, "out of memory");
}

void OnRow(png_structp Png, png_bytep Row, png_uint_32 Number, int) {
  TPngImage& Image = DecodingOf(Png).Image;
  if (!Row || Number >= static_cast<png_uint_32>(Image.Height)) return;
  auto* Target = reinterpret_cast<png_bytep>(Image.Pixels.data() +
                                             static_cast<std::size_t>(Number) * Image.Width);
  png_progressive_combine_row(Png, Target, Row);
  ++DecodingOf(Png).Rows;
}

void OnEnd(png_structp Png, png_infop) {
  DecodingOf(Png).Complete = true;
}

// The only function that calls setjmp. The progressive reader stops inflating the image data
// once the last row is complete, so compressed data past the picture costs no time.
bool Run(TDecoding& Decoding, std::string_view Bytes) {
  if (setjmp(png_jmpbuf(Decoding.Png))) return false;
  png_structp Png = Decoding.Png;
  png_set_user_limits(Png, MaxPngSide, MaxPngSide);
  png_set_chunk_cache_max(Png, MaxCachedChunks);
  png_set_chunk_malloc_max(Png, MaxChunkBytes);
  png_set_progressive_read_fn(Png, &Decoding, OnInfo, OnRow, OnEnd);
  png_process_data(Png, Decoding.Info, reinterpret_cast<png_bytep>(const_cast<char*>(Bytes.data())),
                   Bytes.size());
  if (!Decoding.Complete || Decoding.Rows < static_cast<std::size_t>(Decoding.Image.Height))
    return false;
  for (std::uint32_t& Pixel : Decoding.Image.Pixels) {
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
  Decoding.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!Decoding.Png) return false;
  Decoding.Info = png_create_info_struct(Decoding.Png);
  bool Decoded = false;
  if (Decoding.Info) {
    Decoded = Run(Decoding, Bytes);
  }
  png_destroy_read_struct(&Decoding.Png, Decoding.Info ? &Decoding.Info : nullptr, nullptr);
  if (Decoded) Image = std::move(Decoding.Image);
  return Decoded;
}
