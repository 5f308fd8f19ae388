// The eight EXIF orientations, each a mapping from the shown pixel to the stored one.
#include "framework/PictureOrientation.h"

#include <cstddef>

namespace {

struct TStoredPlace {
  int X, Y;
};

// Where the pixel shown at (X, Y) is stored, in a stored picture of Width x Height.
TStoredPlace StoredPlace(int Orientation, int X, int Y, int Width, int Height) {
  switch (Orientation) {
    case 2:  // mirrored left to right
      return {Width - 1 - X, Y};
    case 3:  // turned half round
      return {Width - 1 - X, Height - 1 - Y};
    case 4:  // mirrored top to bottom
      return {X, Height - 1 - Y};
    case 5:  // mirrored along the diagonal from the top-left corner
      return {Y, X};
    case 6:  // stored a quarter turn anticlockwise: shown turned clockwise
      return {Y, Height - 1 - X};
    case 7:  // mirrored along the diagonal from the top-right corner
      return {Width - 1 - Y, Height - 1 - X};
    case 8:  // stored a quarter turn clockwise: shown turned anticlockwise
      return {Width - 1 - Y, X};
    default:
      return {X, Y};
  }
}

}  // namespace

void OrientBitmap(const TBitmap& Source, int Orientation, TBitmap& Target) {
  const int Width = Source.Width(), Height = Source.Height();
  const bool Swapped = Orientation >= 5 && Orientation <= 8;
  TBitmap Result(Swapped ? Height : Width, Swapped ? Width : Height);
  for (int Y = 0; Y < Result.Height(); ++Y) {
    TPixel* Row = Result.ScanLine(Y);
    for (int X = 0; X < Result.Width(); ++X) {
      const TStoredPlace Place = StoredPlace(Orientation, X, Y, Width, Height);
      Row[X] = Source.Pixel(Place.X, Place.Y);
    }
  }
  Target.Assign(std::move(Result));
}
