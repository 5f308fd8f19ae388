// Compressing and decompressing 4 MB of raw 24-bit picture rows with the stored-item block
// compressor, against zlib at level 1 and LZ4, reporting throughput and compressed sizes.
#include <benchmark/benchmark.h>
#include <lz4.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/panel/KitCompressedContainer.h"
#include "controls/panel/KitStoreStream.h"

namespace {

constexpr int Width = 1024;
constexpr int Height = 1365;

// Bottom-up rows of blue, green, red bytes, as a bitmap file holds them: a sky gradient, a flat
// band, a textured ground with noise, and a few hard-edged shapes.
const std::string& PictureRows() {
  static const std::string Rows = [] {
    std::string Bytes;
    Bytes.reserve(static_cast<std::size_t>(Width) * Height * 3);
    std::uint32_t State = 2024;
    auto Noise = [&State](int Range) {
      State = State * 1664525u + 1013904223u;
      return static_cast<int>((State >> 16) % static_cast<std::uint32_t>(Range));
    };
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X) {
        int R, G, B;
        if (Y < Height / 2) {
          R = 40 + Y * 120 / Height;
          G = 90 + Y * 100 / Height;
          B = 200 + X * 40 / Width;
        } else if (Y < Height / 2 + 80) {
          R = G = B = 230;
        } else {
          R = 70 + Noise(24);
          G = 110 + (X / 16 + Y / 16) % 2 * 20 + Noise(12);
          B = 50 + Noise(8);
        }
        if ((X - 700) * (X - 700) + (Y - 300) * (Y - 300) < 120 * 120) R = G = B = 250;
        if (X > 100 && X < 260 && Y > 900 && Y < 1100) {
          R = 150;
          G = 30;
          B = 30;
        }
        Bytes.push_back(static_cast<char>(B));
        Bytes.push_back(static_cast<char>(G));
        Bytes.push_back(static_cast<char>(R));
      }
    return Bytes;
  }();
  return Rows;
}

void Report(benchmark::State& State, std::size_t Compressed) {
  const auto Size = static_cast<std::int64_t>(PictureRows().size());
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations()) * Size);
  State.counters["input_bytes"] = static_cast<double>(Size);
  State.counters["compressed_bytes"] = static_cast<double>(Compressed);
}

std::string OurCompressed() {
  TKitStoreWriter Writer;
  KitWriteCompressed(Writer, PictureRows());
  return Writer.Bytes();
}

void BM_OurCompress(benchmark::State& State) {
  std::size_t Compressed = 0;
  for (auto _ : State) {
    TKitStoreWriter Writer;
    KitWriteCompressed(Writer, PictureRows());
    Compressed = Writer.Bytes().size();
    benchmark::DoNotOptimize(Writer.Bytes().data());
  }
  Report(State, Compressed);
}
BENCHMARK(BM_OurCompress)->Unit(benchmark::kMillisecond);

void BM_OurDecompress(benchmark::State& State) {
  const std::string Packed = OurCompressed();
  for (auto _ : State) {
    TKitStoreReader Reader(Packed);
    const std::string Rows = KitReadCompressed(Reader, PictureRows().size());
    benchmark::DoNotOptimize(Rows.data());
    if (Rows.size() != PictureRows().size()) State.SkipWithError("size differs");
  }
  Report(State, Packed.size());
}
BENCHMARK(BM_OurDecompress)->Unit(benchmark::kMillisecond);

std::vector<unsigned char> ZlibCompressed() {
  const std::string& Rows = PictureRows();
  uLongf Length = compressBound(Rows.size());
  std::vector<unsigned char> Packed(Length);
  compress2(Packed.data(), &Length, reinterpret_cast<const Bytef*>(Rows.data()), Rows.size(), 1);
  Packed.resize(Length);
  return Packed;
}

void BM_ZlibCompress(benchmark::State& State) {
  const std::string& Rows = PictureRows();
  std::vector<unsigned char> Packed(compressBound(Rows.size()));
  uLongf Length = 0;
  for (auto _ : State) {
    Length = Packed.size();
    if (compress2(Packed.data(), &Length, reinterpret_cast<const Bytef*>(Rows.data()), Rows.size(),
                  1) != Z_OK)
      State.SkipWithError("compress2 failed");
    benchmark::DoNotOptimize(Packed.data());
  }
  Report(State, Length);
}
BENCHMARK(BM_ZlibCompress)->Unit(benchmark::kMillisecond);

void BM_ZlibDecompress(benchmark::State& State) {
  const std::vector<unsigned char> Packed = ZlibCompressed();
  std::vector<unsigned char> Rows(PictureRows().size());
  for (auto _ : State) {
    uLongf Length = Rows.size();
    if (uncompress(Rows.data(), &Length, Packed.data(), Packed.size()) != Z_OK)
      State.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(Rows.data());
  }
  Report(State, Packed.size());
}
BENCHMARK(BM_ZlibDecompress)->Unit(benchmark::kMillisecond);

std::vector<char> Lz4Compressed() {
  const std::string& Rows = PictureRows();
  const int Size = static_cast<int>(Rows.size());
  std::vector<char> Packed(static_cast<std::size_t>(LZ4_compressBound(Size)));
  const int Length =
      LZ4_compress_default(Rows.data(), Packed.data(), Size, static_cast<int>(Packed.size()));
  Packed.resize(static_cast<std::size_t>(Length));
  return Packed;
}

void BM_Lz4Compress(benchmark::State& State) {
  const std::string& Rows = PictureRows();
  const int Size = static_cast<int>(Rows.size());
  std::vector<char> Packed(static_cast<std::size_t>(LZ4_compressBound(Size)));
  int Length = 0;
  for (auto _ : State) {
    Length =
        LZ4_compress_default(Rows.data(), Packed.data(), Size, static_cast<int>(Packed.size()));
    if (Length <= 0) State.SkipWithError("LZ4_compress_default failed");
    benchmark::DoNotOptimize(Packed.data());
  }
  Report(State, static_cast<std::size_t>(Length));
}
BENCHMARK(BM_Lz4Compress)->Unit(benchmark::kMillisecond);

void BM_Lz4Decompress(benchmark::State& State) {
  const std::vector<char> Packed = Lz4Compressed();
  std::vector<char> Rows(PictureRows().size());
  for (auto _ : State) {
    const int Length = LZ4_decompress_safe(
        Packed.data(), Rows.data(), static_cast<int>(Packed.size()), static_cast<int>(Rows.size()));
    if (Length != static_cast<int>(Rows.size())) State.SkipWithError("LZ4_decompress_safe failed");
    benchmark::DoNotOptimize(Rows.data());
  }
  Report(State, Packed.size());
}
BENCHMARK(BM_Lz4Decompress)->Unit(benchmark::kMillisecond);

}  // namespace
