// TBitmap: a 32-bit pixel buffer with a canvas.
#include "framework/Bitmap.h"

#include <utility>

#include "framework/BitmapFile.h"
#include "framework/Canvas.h"
#include "framework/Exception.h"
#include "platform/FileSystem.h"
#include "platform/PngEncoder.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height) {
  SetSize(Width, Height);
}

TBitmap::~TBitmap() = default;

bool TBitmap::SizeAllowed(int Width, int Height) {
  if (Width < 0 || Height < 0) return false;
  return static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) <=
         MaxBytes / sizeof(TPixel);
}

void TBitmap::SetSize(int Width, int Height) {
  if (!SizeAllowed(Width, Height)) throw EOutOfResources("Bitmap is too large");
  if (Width == 0 || Height == 0) Width = Height = 0;
  FPixels.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0);
  FWidth = Width;
  FHeight = Height;
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return *FCanvas;
}

void TBitmap::LoadFromFile(const std::string& FileName) {
  // The largest picture allowed, with room for headers and a full colour table.
  constexpr std::size_t Limit = MaxBytes + (1u << 20);
  std::string Bytes;
  if (ReadFileBytes(FileName, Limit, Bytes) != TReadStatus::rsRead)
    throw EFOpenError(FormatMessage("Cannot open file %s", ExpandFileName(FileName)));
  DecodeBitmapFile(Bytes, *this);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  if (!WriteFileAtomically(FileName, EncodeBitmapFile(*this)))
    throw EFCreateError(FormatMessage("Cannot create file %s", ExpandFileName(FileName)));
}

void TBitmap::SaveToPngFile(const std::string& FileName) const {
  if (Empty() || !EncodePngFile(FileName, FWidth, FHeight, FPixels.data()))
    throw EFCreateError(FormatMessage("Cannot create file %s", ExpandFileName(FileName)));
}

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  FPixels = Source.FPixels;
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
  Changed();
}

void TBitmap::Assign(TBitmap&& Source) {
  if (&Source == this) return;
  FPixels = std::move(Source.FPixels);
  FWidth = std::exchange(Source.FWidth, 0);
  FHeight = std::exchange(Source.FHeight, 0);
  Source.FPixels.clear();
  Changed();
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}
