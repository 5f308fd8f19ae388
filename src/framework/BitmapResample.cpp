// Separable resampling: weights per target column and row, then a pass along each axis.
#include "framework/BitmapResample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Weights are fixed point: a target pixel's weights add up to exactly One. Eight bits let the
// four bytes of a pixel be weighed in one 64-bit multiplication, each in a 16-bit lane that a
// full sum (255 x One) cannot overflow.
constexpr int WeightBits = 8;
constexpr std::uint32_t One = 1u << WeightBits;

// The source pixels each target pixel is made of along an axis: Count weights from First.
struct TAxisTaps {
  std::vector<int> First;
  std::vector<int> Count;
  std::vector<int> Offset;
  std::vector<std::uint32_t> Weights;

  // Rounds each weight and gives what rounding lost to the largest, so that a plain area keeps
  // its exact colour.
  void Add(int FirstSource, const std::vector<double>& Exact) {
    double Sum = 0;
    for (double W : Exact) Sum += W;
    First.push_back(FirstSource);
    Count.push_back(static_cast<int>(Exact.size()));
    Offset.push_back(static_cast<int>(Weights.size()));
    const std::size_t Start = Weights.size();
    long Total = 0;
    std::size_t Largest = Start;
    for (double W : Exact) {
      Weights.push_back(static_cast<std::uint32_t>(std::lround(W / Sum * One)));
      Total += Weights.back();
      if (Weights.back() > Weights[Largest]) Largest = Weights.size() - 1;
    }
    Weights[Largest] = static_cast<std::uint32_t>(static_cast<long>(Weights[Largest]) +
                                                  static_cast<long>(One) - Total);
  }
};

// Area averaging: the target pixel covers [T x Ratio, (T + 1) x Ratio) of the source, and each
// source pixel counts by how much of it lies inside.
void AddAreaTaps(TAxisTaps& Taps, int Target, int SourceLength, int TargetLength) {
  const double Ratio = static_cast<double>(SourceLength) / TargetLength;
  const double Start = Target * Ratio, End = std::min((Target + 1) * Ratio, 1.0 * SourceLength);
  const int First = static_cast<int>(std::floor(Start));
  const int Last = std::min(static_cast<int>(std::ceil(End)), SourceLength) - 1;
  std::vector<double> Exact;
  for (int S = First; S <= Last; ++S)
    Exact.push_back(std::min(End, S + 1.0) - std::max(Start, 1.0 * S));
  Taps.Add(First, Exact);
}

// Bilinear: the target pixel's centre mapped into the source falls between two source centres;
// past the outer centres the edge pixel is repeated.
void AddLinearTaps(TAxisTaps& Taps, int Target, int SourceLength, int TargetLength) {
  const double Centre = (Target + 0.5) * SourceLength / TargetLength - 0.5;
  const double Clamped = std::clamp(Centre, 0.0, SourceLength - 1.0);
  const int First = std::min(static_cast<int>(std::floor(Clamped)), SourceLength - 1);
  const double Fraction = Clamped - First;
  if (First + 1 < SourceLength && Fraction > 0)
    Taps.Add(First, {1 - Fraction, Fraction});
  else
    Taps.Add(First, {1});
}

TAxisTaps AxisTaps(int SourceLength, int TargetLength) {
  TAxisTaps Taps;
  for (int T = 0; T < TargetLength; ++T) {
    if (TargetLength < SourceLength)
      AddAreaTaps(Taps, T, SourceLength, TargetLength);
    else if (TargetLength > SourceLength)
      AddLinearTaps(Taps, T, SourceLength, TargetLength);
    else
      Taps.Add(T, {1});
  }
  return Taps;
}

// A pixel's four bytes, each in its own 16-bit lane.
std::uint64_t Spread(TPixel P) {
  std::uint64_t V = P;
  V = (V | (V << 16)) & 0x0000FFFF0000FFFFull;
  return (V | (V << 8)) & 0x00FF00FF00FF00FFull;
}

// Weighted sums rounded back to bytes, still in their lanes.
std::uint64_t Rounded(std::uint64_t Sums) {
  constexpr std::uint64_t Half = 0x0080008000800080ull;
  return ((Sums + Half) >> WeightBits) & 0x00FF00FF00FF00FFull;
}

// Four lanes of bytes back to a pixel.
TPixel Gather(std::uint64_t Lanes) {
  const std::uint64_t V = (Lanes | (Lanes >> 8)) & 0x0000FFFF0000FFFFull;
  return static_cast<TPixel>(V | (V >> 16));
}

}  // namespace

void ResampleBitmap(const TBitmap& Source, TBitmap& Target, int Width, int Height) {
  if (Source.Empty() || Width <= 0 || Height <= 0) {
    Target.SetSize(0, 0);
    return;
  }
  Target.SetSize(Width, Height);
  const TAxisTaps Columns = AxisTaps(Source.Width(), Width);
  const TAxisTaps Rows = AxisTaps(Source.Height(), Height);
  // Source rows are resampled along their length as the target rows first need them, into a
  // ring of as many rows as one target row blends; every source pixel is spread into lanes once.
  const int RingRows = *std::max_element(Rows.Count.begin(), Rows.Count.end());
  std::vector<std::uint64_t> SourceRow(static_cast<std::size_t>(Source.Width()));
  std::vector<std::uint64_t> Ring(static_cast<std::size_t>(Width) * RingRows);
  const auto RingRow = [&](int SourceY) {
    return Ring.data() + static_cast<std::size_t>(SourceY % RingRows) * Width;
  };
  const auto Resample = [&](int SourceY) {
    const TPixel* From = Source.ScanLine(SourceY);
    for (int X = 0; X < Source.Width(); ++X)
      SourceRow[static_cast<std::size_t>(X)] = Spread(From[X]);
    std::uint64_t* To = RingRow(SourceY);
    for (int X = 0; X < Width; ++X) {
      const auto Column = static_cast<std::size_t>(X);
      const std::uint64_t* Pixels = SourceRow.data() + Columns.First[Column];
      const std::uint32_t* Weights = Columns.Weights.data() + Columns.Offset[Column];
      std::uint64_t Sums = 0;
      for (int I = 0; I < Columns.Count[Column]; ++I) Sums += Pixels[I] * Weights[I];
      To[X] = Rounded(Sums);
    }
  };
  std::vector<std::uint64_t> Line(static_cast<std::size_t>(Width));
  int NextSourceY = 0;
  for (int Y = 0; Y < Height; ++Y) {
    const auto Row = static_cast<std::size_t>(Y);
    // The rows a target row blends move down the source and never back.
    NextSourceY = std::max(NextSourceY, Rows.First[Row]);
    for (; NextSourceY < Rows.First[Row] + Rows.Count[Row]; ++NextSourceY) Resample(NextSourceY);
    std::fill(Line.begin(), Line.end(), 0);
    for (int I = 0; I < Rows.Count[Row]; ++I) {
      const std::uint64_t Weight = Rows.Weights[static_cast<std::size_t>(Rows.Offset[Row] + I)];
      const std::uint64_t* From = RingRow(Rows.First[Row] + I);
      for (int X = 0; X < Width; ++X) Line[static_cast<std::size_t>(X)] += From[X] * Weight;
    }
    TPixel* To = Target.ScanLine(Y);
    for (int X = 0; X < Width; ++X) To[X] = Gather(Rounded(Line[static_cast<std::size_t>(X)]));
  }
}
