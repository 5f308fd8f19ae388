// Decoding 1920 x 1080 pictures from memory: a 24-bit bitmap file against copying as many bytes,
// and a PNG and a JPEG file against libpng's and libjpeg's plain decoding loops.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "PlainPictureCodecs.h"
#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"
#include "framework/PictureFile.h"

namespace {

// A picture with varied pixels, so that no byte pattern makes either side cheaper.
const std::string& FullHdFile() {
  static const std::string File = [] {
    TBitmap Bitmap(1920, 1080);
    std::uint32_t State = 12345;
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
      for (int X = 0; X < Bitmap.Width(); ++X) {
        State = State * 1664525u + 1013904223u;
        Bitmap.SetPixel(X, Y, State >> 8);
      }
    return EncodeBitmapFile(Bitmap);
  }();
  return File;
}

void BM_DecodeBitmap24(benchmark::State& State) {
  const std::string& File = FullHdFile();
  TBitmap Bitmap;
  for (auto _ : State) {
    DecodeBitmapFile(File, Bitmap);
    benchmark::DoNotOptimize(Bitmap.ScanLine(0));
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations()) *
                          static_cast<std::int64_t>(File.size()));
}
BENCHMARK(BM_DecodeBitmap24)->Unit(benchmark::kMicrosecond);

void BM_CopyFileBytes(benchmark::State& State) {
  const std::string& File = FullHdFile();
  std::vector<char> Target(File.size());
  for (auto _ : State) {
    std::memcpy(Target.data(), File.data(), File.size());
    benchmark::DoNotOptimize(Target.data());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations()) *
                          static_cast<std::int64_t>(File.size()));
}
BENCHMARK(BM_CopyFileBytes)->Unit(benchmark::kMicrosecond);

constexpr int PhotoWidth = 1920, PhotoHeight = 1080;

// Smooth gradients with a little noise, as in a photograph: random pixels would make the PNG
// stored, not compressed, and the JPEG unusually large.
const std::vector<std::uint32_t>& PhotoPixels() {
  static const std::vector<std::uint32_t> Pixels = [] {
    std::vector<std::uint32_t> Result;
    std::uint32_t State = 12345;
    for (int Y = 0; Y < PhotoHeight; ++Y)
      for (int X = 0; X < PhotoWidth; ++X) {
        State = State * 1664525u + 1013904223u;
        const std::uint32_t Noise = (State >> 24) & 7;
        Result.push_back(PixelOf(static_cast<std::uint8_t>(X * 255 / PhotoWidth + Noise),
                                 static_cast<std::uint8_t>(Y * 255 / PhotoHeight + Noise),
                                 static_cast<std::uint8_t>((X + Y) / 12 + Noise)));
      }
    return Result;
  }();
  return Pixels;
}

const std::string& PhotoPng() {
  static const std::string File = WritePlainPng(PhotoWidth, PhotoHeight, PhotoPixels());
  return File;
}

const std::string& PhotoJpeg() {
  static const std::string File = WritePlainJpeg(PhotoWidth, PhotoHeight, PhotoPixels());
  return File;
}

void DecodeThroughBitmap(benchmark::State& State, const std::string& File) {
  TBitmap Bitmap;
  for (auto _ : State) {
    DecodePictureFile(File, "photo", Bitmap);
    benchmark::DoNotOptimize(Bitmap.ScanLine(0));
    benchmark::ClobberMemory();
  }
}

// The plain loops decode into a buffer allocated each time, as the bitmap's pixels are.
template <typename TDecode>
void DecodePlain(benchmark::State& State, const std::string& File, TDecode Decode) {
  for (auto _ : State) {
    std::vector<std::uint32_t> Pixels(static_cast<std::size_t>(PhotoWidth) * PhotoHeight);
    Decode(File, Pixels);
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
}

void BM_DecodePng(benchmark::State& State) {
  DecodeThroughBitmap(State, PhotoPng());
}
BENCHMARK(BM_DecodePng)->Unit(benchmark::kMicrosecond);

void BM_PlainLibPng(benchmark::State& State) {
  DecodePlain(State, PhotoPng(), DecodePlainPng);
}
BENCHMARK(BM_PlainLibPng)->Unit(benchmark::kMicrosecond);

void BM_DecodeJpeg(benchmark::State& State) {
  DecodeThroughBitmap(State, PhotoJpeg());
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMicrosecond);

void BM_PlainLibJpeg(benchmark::State& State) {
  DecodePlain(State, PhotoJpeg(), DecodePlainJpeg);
}
BENCHMARK(BM_PlainLibJpeg)->Unit(benchmark::kMicrosecond);

}  // namespace
