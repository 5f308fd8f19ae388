// JPEG decoding through libjpeg-turbo. Its errors, which would end the process by default,
// longjmp back instead; the longjmp crosses only libjpeg's frames and this file's plain ones.
#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, which it builds on.
#include <jerror.h>

#include "platform/PictureDecoder.h"

namespace {

// Progressive pictures may hold any number of scans, each costing a pass over the whole
// picture; real ones have about ten.
constexpr int MaxScans = 500;
// The coefficients of a progressive picture are held whole: about as much as its pixels again,
// more for pictures without chroma subsampling.
constexpr long MaxWorkMemoryFactor = 2;
// Rows are asked for as few at a time as libjpeg makes at once, so that they are still in the
// first-level cache when their alpha bytes are set.
constexpr JDIMENSION RowsAtOnce = 16;

struct TErrorManager {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

// Everything the decoding touches lives here, in the caller's frame, so that a longjmp abandons
// no object with a destructor and no local whose value it would leave indeterminate.
struct TDecoding {
  jpeg_decompress_struct Info;
  TErrorManager Error;
  jpeg_progress_mgr Progress;
  const TPictureRequest* Request = nullptr;
  const TPixelSink* Sink = nullptr;
  std::uint32_t* Pixels = nullptr;
  TDecodeStatus Failure = TDecodeStatus::dsInvalid;
};

[[noreturn]] void OnError(j_common_ptr Info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(Info->err)->Jump, 1);
}

// Data that end before the picture does, in the file or in a segment, would leave libjpeg
// painting the rest grey: such a picture is refused as a whole. Other damage it only warns of
// (stray bytes before a marker, a lost restart) is passed over, as the system's decoder on
// Windows does.
void OnMessage(j_common_ptr Info, int Level) {
  if (Level >= 0) return;
  const int Code = Info->err->msg_code;
  if (Code == JWRN_JPEG_EOF || Code == JWRN_HIT_MARKER) OnError(Info);
}

void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr Info) {
  auto* Decompress = reinterpret_cast<j_decompress_ptr>(Info);
  if (Decompress->input_scan_number > MaxScans) OnError(Info);
}

// Inks to light, in place: each pixel's four bytes C, M, Y, K become blue, green, red and the
// alpha byte. Adobe's writers store the inks inverted (255 no ink), and say so by their marker.
void ConvertInks(std::uint32_t* Row, JDIMENSION Width, bool Inverted, std::uint32_t Alpha) {
  for (JDIMENSION X = 0; X < Width; ++X) {
    auto* Ink = reinterpret_cast<unsigned char*>(Row + X);
    unsigned Light[4];
    for (int I = 0; I < 4; ++I) Light[I] = Inverted ? Ink[I] : 255u - Ink[I];
    const auto Channel = [&](int I) { return (Light[I] * Light[3] + 127) / 255; };
    Row[X] = Alpha | Channel(0) << 16 | Channel(1) << 8 | Channel(2);
  }
}

void ReadRows(TDecoding& Decoding) {
  jpeg_decompress_struct& Info = Decoding.Info;
  const JDIMENSION Width = Info.output_width;
  const bool Inks = Info.out_color_space == JCS_CMYK;
  const bool Composed = Decoding.Request->Alpha == TAlphaUse::auComposed;
  const std::uint32_t Alpha = Composed ? 0 : 0xFF000000u;
  JSAMPROW Rows[RowsAtOnce];
  while (Info.output_scanline < Info.output_height) {
    const JDIMENSION First = Info.output_scanline;
    const JDIMENSION Count = std::min(
        {RowsAtOnce, static_cast<JDIMENSION>(Info.rec_outbuf_height), Info.output_height - First});
    for (JDIMENSION I = 0; I < Count; ++I)
      Rows[I] = reinterpret_cast<JSAMPROW>(Decoding.Pixels + std::size_t{First + I} * Width);
    const JDIMENSION Read = jpeg_read_scanlines(&Info, Rows, Count);
    if (Read == 0) OnError(reinterpret_cast<j_common_ptr>(&Info));
    // The rows are still in the cache: their alpha bytes are set here rather than in a pass
    // over the whole picture.
    for (JDIMENSION I = 0; I < Read; ++I) {
      auto* Row = reinterpret_cast<std::uint32_t*>(Rows[I]);
      if (Inks)
        ConvertInks(Row, Width, Info.saw_Adobe_marker, Alpha);
      else if (Composed)
        for (JDIMENSION X = 0; X < Width; ++X) Row[X] &= 0x00FFFFFFu;
    }
  }
}

// The only function that calls setjmp.
bool Run(TDecoding& Decoding, std::string_view Bytes) {
  jpeg_decompress_struct& Info = Decoding.Info;
  if (setjmp(Decoding.Error.Jump)) return false;
  jpeg_create_decompress(&Info);
  Info.mem->max_memory_to_use =
      static_cast<long>(Decoding.Request->Limits.MaxBytes) * MaxWorkMemoryFactor;
  Info.progress = &Decoding.Progress;
  jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.data()),
               static_cast<unsigned long>(Bytes.size()));
  if (jpeg_read_header(&Info, TRUE) != JPEG_HEADER_OK) return false;
  if (!PictureSizeAllowed(Info.image_width, Info.image_height, Decoding.Request->Limits)) {
    Decoding.Failure = TDecodeStatus::dsTooLarge;
    return false;
  }
  const bool Inks = Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK;
  const bool Composed = Decoding.Request->Alpha == TAlphaUse::auComposed;
  Info.out_color_space = Inks ? JCS_CMYK : Composed ? JCS_EXT_BGRX : JCS_EXT_BGRA;
  jpeg_start_decompress(&Info);
  if (Info.output_components != 4) return false;
  Decoding.Pixels =
      (*Decoding.Sink)(static_cast<int>(Info.output_width), static_cast<int>(Info.output_height));
  if (!Decoding.Pixels) {
    Decoding.Failure = TDecodeStatus::dsNoMemory;
    return false;
  }
  ReadRows(Decoding);
  return true;
}

}  // namespace

TDecodeStatus DecodeJpegPicture(std::string_view Bytes, const TPictureRequest& Request,
                                const TPixelSink& Sink) {
  if (Bytes.size() < 3 || static_cast<unsigned char>(Bytes[0]) != 0xFF ||
      static_cast<unsigned char>(Bytes[1]) != 0xD8 || static_cast<unsigned char>(Bytes[2]) != 0xFF)
    return TDecodeStatus::dsInvalid;
  TDecoding Decoding{};
  Decoding.Request = &Request;
  Decoding.Sink = &Sink;
  Decoding.Info.err = jpeg_std_error(&Decoding.Error.Manager);
  Decoding.Error.Manager.error_exit = OnError;
  Decoding.Error.Manager.emit_message = OnMessage;
  Decoding.Error.Manager.output_message = OnOutput;
  Decoding.Progress.progress_monitor = OnProgress;
  const bool Decoded = Run(Decoding, Bytes);
  // Safe on a structure whose creation failed half-way, and the only clean-up needed.
  jpeg_destroy_decompress(&Decoding.Info);
  return Decoded ? TDecodeStatus::dsDecoded : Decoding.Failure;
}
