// The canvas's private state shared by its source files: the realised face and the open path.
#pragma once

#include <memory>
#include <vector>

#include "framework/Canvas.h"

class TCanvas::TImpl {
 public:
  std::shared_ptr<TTextFace> Face;
  TFontRequest FaceRequest;
  bool PathOpen = false;
  // Closed contours recorded while a path is open, in surface coordinates.
  std::vector<TContour> Path;
};

// The pixel a colour is drawn with; clNone has none.
bool PixelOfColor(TColor Color, TPixel& Pixel);
