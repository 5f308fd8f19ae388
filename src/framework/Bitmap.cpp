// TBitmap: a 32-bit pixel buffer with a canvas.
#include "framework/Bitmap.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/Exception.h"
#include "framework/BitmapFile.h"
#include "framework/Canvas.h"
#include "framework/PictureFile.h"
#include "platform/FileSystem.h"

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
  const std::size_t Count = static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
  FPixels.reset();
  FWidth = FHeight = 0;
  if (Count > 0) {
    FPixels.reset(static_cast<TPixel*>(std::calloc(Count, sizeof(TPixel))));
    if (!FPixels) throw EOutOfResources("Out of memory for a bitmap");
  }
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
  DecodePictureFile(Bytes, ExpandFileName(FileName), *this);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  if (!WriteFileAtomically(FileName, EncodeBitmapFile(*this)))
    throw EFCreateError(FormatMessage("Cannot create file %s", ExpandFileName(FileName)));
}

void TBitmap::TFreePixels::operator()(TPixel* Pixels) const {
  std::free(Pixels);
}

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  const std::size_t Count =
      static_cast<std::size_t>(Source.FWidth) * static_cast<std::size_t>(Source.FHeight);
  std::unique_ptr<TPixel[], TFreePixels> Copy;
  if (Count > 0) {
    Copy.reset(static_cast<TPixel*>(std::malloc(Count * sizeof(TPixel))));
    if (!Copy) throw EOutOfResources("Out of memory for a bitmap");
    std::memcpy(Copy.get(), Source.FPixels.get(), Count * sizeof(TPixel));
  }
  FPixels = std::move(Copy);
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
  Changed();
}

void TBitmap::Assign(TBitmap&& Source) {
  if (&Source == this) return;
  FPixels = std::move(Source.FPixels);
  FWidth = std::exchange(Source.FWidth, 0);
  FHeight = std::exchange(Source.FHeight, 0);
  Changed();
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}
