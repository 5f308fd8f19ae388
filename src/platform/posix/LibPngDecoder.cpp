// PNG decoding through libpng, whose longjmp error handling is kept away from C++ objects.
#include <png.h>

#include "platform/PictureDecoder.h"

namespace {

// Ancillary chunks (text, profiles) are skipped past these limits instead of being buffered.
constexpr png_uint_32 MaxCachedChunks = 128;
constexpr png_alloc_size_t MaxChunkBytes = 8u << 20;
// The sides libpng itself accepts: the request's limits are checked on the header instead, so
// that a picture past them is told apart from a damaged one.
constexpr png_uint_32 MaxStatedSide = 0x7FFFFFFF;

// Everything the decoding touches lives here, in the caller's frame, so that a longjmp out of
// libpng abandons no object with a destructor and no local whose value it would leave
// indeterminate.
struct TDecoding {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  const TPictureRequest* Request = nullptr;
  const TPixelSink* Sink = nullptr;
  std::uint32_t* Pixels = nullptr;
  png_uint_32 Width = 0;
  png_uint_32 Height = 0;
  bool HasAlpha = false;
  // Rows handed over, counted over all passes: every row of the picture is in one of them.
  std::size_t Rows = 0;
  bool Complete = false;
  TDecodeStatus Failure = TDecodeStatus::dsInvalid;
};

// Ends the decoding without the message libpng would print by default.
[[noreturn]] void OnError(png_structp Png, png_const_charp) {
  png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

TDecoding& DecodingOf(png_structp Png) {
  return *static_cast<TDecoding*>(png_get_progressive_ptr(Png));
}

// Turns every colour type and depth into 8-bit rows of blue, green, red and alpha, which is
// the pixel layout itself on the little-endian machines served. Opaque pictures get the alpha
// byte the request's pixels carry when opaque, so that they need no pass of their own.
void RequestPixels(TDecoding& Decoding) {
  png_structp Png = Decoding.Png;
  png_infop Info = Decoding.Info;
  png_set_expand(Png);
  png_set_strip_16(Png);
  const png_byte ColorType = png_get_color_type(Png, Info);
  if (ColorType == PNG_COLOR_TYPE_GRAY || ColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(Png);
  png_set_bgr(Png);
  const bool Composed = Decoding.Request->Alpha == TAlphaUse::auComposed;
  png_set_filler(Png, Composed ? 0x00 : 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
  Decoding.HasAlpha = (png_get_color_type(Png, Info) & PNG_COLOR_MASK_ALPHA) != 0;
}

void OnInfo(png_structp Png, png_infop Info) {
  TDecoding& Decoding = DecodingOf(Png);
  const png_uint_32 Width = png_get_image_width(Png, Info);
  const png_uint_32 Height = png_get_image_height(Png, Info);
  if (!PictureSizeAllowed(Width, Height, Decoding.Request->Limits)) {
    Decoding.Failure = TDecodeStatus::dsTooLarge;
    png_error(Png, "too large");
  }
  RequestPixels(Decoding);
  if (png_get_rowbytes(Png, Info) != static_cast<std::size_t>(Width) * 4) png_error(Png, "layout");
  Decoding.Pixels = (*Decoding.Sink)(static_cast<int>(Width), static_cast<int>(Height));
  if (!Decoding.Pixels) {
    Decoding.Failure = TDecodeStatus::dsNoMemory;
    png_error(Png, "out of memory");
  }
  Decoding.Width = Width;
  Decoding.Height = Height;
}

void OnRow(png_structp Png, png_bytep Row, png_uint_32 Number, int) {
  TDecoding& Decoding = DecodingOf(Png);
  if (!Row || Number >= Decoding.Height) return;
  auto* Target =
      reinterpret_cast<png_bytep>(Decoding.Pixels + std::size_t{Number} * Decoding.Width);
  png_progressive_combine_row(Png, Target, Row);
  ++Decoding.Rows;
}

void OnEnd(png_structp Png, png_infop) {
  DecodingOf(Png).Complete = true;
}

// The only function that calls setjmp. The progressive reader stops inflating the image data
// once the last row is complete, so compressed data past the picture costs no time.
bool Run(TDecoding& Decoding, std::string_view Bytes) {
  if (setjmp(png_jmpbuf(Decoding.Png))) return false;
  png_structp Png = Decoding.Png;
  png_set_user_limits(Png, MaxStatedSide, MaxStatedSide);
  png_set_chunk_cache_max(Png, MaxCachedChunks);
  png_set_chunk_malloc_max(Png, MaxChunkBytes);
  png_set_progressive_read_fn(Png, &Decoding, OnInfo, OnRow, OnEnd);
  png_process_data(Png, Decoding.Info, reinterpret_cast<png_bytep>(const_cast<char*>(Bytes.data())),
                   Bytes.size());
  return Decoding.Complete && Decoding.Rows >= Decoding.Height;
}

// Interlaced pictures are combined pass by pass, so transparency is composed once all are in.
void Compose(const TDecoding& Decoding) {
  const std::uint32_t Matte = Decoding.Request->Matte;
  std::uint32_t* End = Decoding.Pixels + std::size_t{Decoding.Width} * Decoding.Height;
  for (std::uint32_t* Pixel = Decoding.Pixels; Pixel != End; ++Pixel)
    *Pixel = ComposeOver(*Pixel, Matte);
}

}  // namespace

TDecodeStatus DecodePngPicture(std::string_view Bytes, const TPictureRequest& Request,
                               const TPixelSink& Sink) {
  if (Bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(Bytes.data()), 0, 8) != 0)
    return TDecodeStatus::dsInvalid;
  TDecoding Decoding;
  Decoding.Request = &Request;
  Decoding.Sink = &Sink;
  Decoding.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!Decoding.Png) return TDecodeStatus::dsNoMemory;
  Decoding.Info = png_create_info_struct(Decoding.Png);
  if (!Decoding.Info) Decoding.Failure = TDecodeStatus::dsNoMemory;
  const bool Decoded = Decoding.Info && Run(Decoding, Bytes);
  png_destroy_read_struct(&Decoding.Png, Decoding.Info ? &Decoding.Info : nullptr, nullptr);
  if (!Decoded) return Decoding.Failure;
  if (Decoding.HasAlpha && Request.Alpha == TAlphaUse::auComposed) Compose(Decoding);
  return TDecodeStatus::dsDecoded;
}
