// Separable resampling: weights per target column and row, then a pass along each axis.
#include "framework/BitmapResample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Weights are fixed point: a target pixel's weights add up to exactly One.
constexpr int WeightBits = 14;
constexpr std::int32_t One = 1 << WeightBits;

// The source pixels one target pixel is made of along an axis.
struct TTaps {
  int First = 0;
  std::vector<std::int32_t> Weights;
};

// Rounds each weight and gives what rounding lost to the largest, so that a plain area keeps
// its exact colour.
void Normalise(const std::vector<double>& Exact, TTaps& Taps) {
  double Sum = 0;
  for (double W : Exact) Sum += W;
  Taps.Weights.resize(Exact.size());
  std::int32_t Total = 0;
  std::size_t Largest = 0;
  for (std::size_t I = 0; I < Exact.size(); ++I) {
    Taps.Weights[I] = static_cast<std::int32_t>(std::lround(Exact[I] / Sum * One));
    Total += Taps.Weights[I];
    if (Taps.Weights[I] > Taps.Weights[Largest]) Largest = I;
  }
  Taps.Weights[Largest] += One - Total;
}

// Area averaging: the target pixel covers [T x Ratio, (T + 1) x Ratio) of the source, and each
// source pixel counts by how much of it lies inside.
TTaps AreaTaps(int Target, int SourceLength, int TargetLength) {
  const double Ratio = static_cast<double>(SourceLength) / TargetLength;
  const double Start = Target * Ratio, End = std::min((Target + 1) * Ratio, 1.0 * SourceLength);
  TTaps Taps;
  Taps.First = static_cast<int>(std::floor(Start));
  const int Last = std::min(static_cast<int>(std::ceil(End)), SourceLength) - 1;
  std::vector<double> Exact;
  for (int S = Taps.First; S <= Last; ++S)
    Exact.push_back(std::min(End, S + 1.0) - std::max(Start, 1.0 * S));
  Normalise(Exact, Taps);
  return Taps;
}

// Bilinear: the target pixel's centre mapped into the source falls between two source centres;
// past the outer centres the edge pixel is repeated.
TTaps LinearTaps(int Target, int SourceLength, int TargetLength) {
  const double Centre = (Target + 0.5) * SourceLength / TargetLength - 0.5;
  const double Clamped = std::clamp(Centre, 0.0, SourceLength - 1.0);
  TTaps Taps;
  Taps.First = std::min(static_cast<int>(std::floor(Clamped)), SourceLength - 1);
  const double Fraction = Clamped - Taps.First;
  if (Taps.First + 1 < SourceLength && Fraction > 0)
    Normalise({1 - Fraction, Fraction}, Taps);
  else
    Taps.Weights = {One};
  return Taps;
}

std::vector<TTaps> AxisTaps(int SourceLength, int TargetLength) {
  std::vector<TTaps> Result(static_cast<std::size_t>(TargetLength));
  for (int T = 0; T < TargetLength; ++T)
    Result[static_cast<std::size_t>(T)] =
        TargetLength < SourceLength   ? AreaTaps(T, SourceLength, TargetLength)
        : TargetLength > SourceLength ? LinearTaps(T, SourceLength, TargetLength)
                                      : TTaps{T, {One}};
  return Result;
}

// Sums of a pixel's four bytes, each in its own lane.
struct TSums {
  std::uint32_t B = 0, G = 0, R = 0, A = 0;
  void Add(TPixel P, std::int32_t W) {
    const auto Weight = static_cast<std::uint32_t>(W);
    B += (P & 0xFF) * Weight;
    G += ((P >> 8) & 0xFF) * Weight;
    R += ((P >> 16) & 0xFF) * Weight;
    A += (P >> 24) * Weight;
  }
  TPixel Pixel() const {
    constexpr std::uint32_t Half = One / 2;
    return ((B + Half) >> WeightBits) | (((G + Half) >> WeightBits) << 8) |
           (((R + Half) >> WeightBits) << 16) | (((A + Half) >> WeightBits) << 24);
  }
};

}  // namespace

void ResampleBitmap(const TBitmap& Source, TBitmap& Target, int Width, int Height) {
  if (Source.Empty() || Width <= 0 || Height <= 0) {
    Target.SetSize(0, 0);
    return;
  }
  Target.SetSize(Width, Height);
  const std::vector<TTaps> Columns = AxisTaps(Source.Width(), Width);
  const std::vector<TTaps> Rows = AxisTaps(Source.Height(), Height);
  // Rows are first resampled along their length into this band, then the band's rows are
  // blended into each target row.
  std::vector<TPixel> Band(static_cast<std::size_t>(Width) * Source.Height());
  for (int Y = 0; Y < Source.Height(); ++Y) {
    const TPixel* From = Source.ScanLine(Y);
    TPixel* To = Band.data() + static_cast<std::size_t>(Y) * Width;
    for (int X = 0; X < Width; ++X) {
      const TTaps& Taps = Columns[static_cast<std::size_t>(X)];
      TSums Sums;
      for (std::size_t I = 0; I < Taps.Weights.size(); ++I)
        Sums.Add(From[Taps.First + static_cast<int>(I)], Taps.Weights[I]);
      To[X] = Sums.Pixel();
    }
  }
  std::vector<TSums> Line(static_cast<std::size_t>(Width));
  for (int Y = 0; Y < Height; ++Y) {
    const TTaps& Taps = Rows[static_cast<std::size_t>(Y)];
    std::fill(Line.begin(), Line.end(), TSums{});
    for (std::size_t I = 0; I < Taps.Weights.size(); ++I) {
      const TPixel* From =
          Band.data() + static_cast<std::size_t>(Taps.First + static_cast<int>(I)) * Width;
      for (int X = 0; X < Width; ++X)
        Line[static_cast<std::size_t>(X)].Add(From[X], Taps.Weights[I]);
    }
    TPixel* To = Target.ScanLine(Y);
    for (int X = 0; X < Width; ++X) To[X] = Line[static_cast<std::size_t>(X)].Pixel();
  }
}
