// A disc with a hole and a light ring, antialiased by the area each pixel covers, in the
// program's night blue and gold or the demo's sunset colours.
#include "tools/demo-art/IconArt.h"

#include <algorithm>
#include <cmath>

namespace {

struct TLook {
  double Top[3], Bottom[3], Ring[3];
};

constexpr TLook ProgramLook{{40, 70, 170}, {10, 20, 70}, {255, 200, 60}};
constexpr TLook DemoLook{{255, 170, 80}, {20, 110, 130}, {255, 255, 220}};

// The part of a pixel at distance Distance from the centre that lies inside a circle of Radius.
double Inside(double Distance, double Radius) {
  return std::clamp(Radius - Distance + 0.5, 0.0, 1.0);
}

TIconImage PaintImage(int Size, const TLook& Look) {
  TIconImage Image{Size, Size, 32, {}};
  const double Centre = Size / 2.0, Outer = Size / 2.0 - 0.5, Hole = Size * 0.1;
  const double RingInner = Outer - std::max(1.0, Size / 16.0);
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) {
      const double Distance = std::hypot(X + 0.5 - Centre, Y + 0.5 - Centre);
      const double Cover = Inside(Distance, Outer) - Inside(Distance, Hole);
      const double Ring = Inside(Distance, Outer) - Inside(Distance, RingInner);
      // A sheen across the upper left, as light falling on a disc.
      const double Sheen = std::max(0.0, 1.0 - std::abs((X - Y) / static_cast<double>(Size)) * 4) *
                           (X + Y < Size ? 0.35 : 0.0);
      const double T = (Y + 0.5) / Size;
      std::uint32_t Channel[3];
      for (int C = 0; C < 3; ++C) {
        double Value = Look.Top[C] + (Look.Bottom[C] - Look.Top[C]) * T;
        Value += (255 - Value) * Sheen;
        Value += (Look.Ring[C] - Value) * (Cover > 0 ? std::clamp(Ring / Cover, 0.0, 1.0) : 0.0);
        Channel[C] = static_cast<std::uint32_t>(std::lround(std::clamp(Value, 0.0, 255.0)));
      }
      const auto Alpha = static_cast<std::uint32_t>(std::lround(std::clamp(Cover, 0.0, 1.0) * 255));
      Image.Pixels.push_back(Alpha << 24 | Channel[0] << 16 | Channel[1] << 8 | Channel[2]);
    }
  return Image;
}

}  // namespace

std::vector<TIconImage> PaintIcon(TIconLook Look) {
  const TLook& Colours = Look == TIconLook::ilProgram ? ProgramLook : DemoLook;
  return {PaintImage(48, Colours), PaintImage(32, Colours), PaintImage(16, Colours)};
}
