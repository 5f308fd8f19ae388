// Decoding a 1920 x 1080 24-bit bitmap file from memory, against copying as many bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"

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

}  // namespace

BENCHMARK_MAIN();
