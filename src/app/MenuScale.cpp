// The menu's scale and geometry.
#include "app/MenuScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

double FittedScale(double Scale, int Width, int Height, const TRect& Area,
                   const TFrameExtents& Frame) {
  const int RoomWidth = Area.Width() - Frame.Left - Frame.Right;
  const int RoomHeight = Area.Height() - Frame.Top - Frame.Bottom;
  if (Width <= 0 || Height <= 0 || RoomWidth <= 0 || RoomHeight <= 0) return Scale;
  if (ScaledLength(Width, Scale) <= RoomWidth && ScaledLength(Height, Scale) <= RoomHeight)
    return Scale;
  return std::min(static_cast<double>(RoomWidth) / Width, static_cast<double>(RoomHeight) / Height);
}

int ScaledLength(int Length, double Scale) {
  return static_cast<int>(std::lround(Length * Scale));
}

TRect ScaledRect(const TRect& Rect, double Scale) {
  return {ScaledLength(Rect.Left, Scale), ScaledLength(Rect.Top, Scale),
          ScaledLength(Rect.Right, Scale), ScaledLength(Rect.Bottom, Scale)};
}

TRect ScaledPlace(int X, int Y, int Width, int Height, double Scale) {
  static constexpr int Limit = 1 << 24;
  auto Kept = [](int Value) { return std::clamp(Value, -Limit, Limit); };
  return ScaledRect(Bounds(Kept(X), Kept(Y), Kept(Width), Kept(Height)), Scale);
}

int ScaledFontHeight(int Height, double Scale) {
  if (Height == 0) return 0;
  const int Magnitude = std::max(ScaledLength(std::abs(Height), Scale), 1);
  return Height < 0 ? -Magnitude : Magnitude;
}

int FaceFrameWidth(double Scale) {
  return std::max(1, static_cast<int>(std::floor(Scale + 0.5)));
}
