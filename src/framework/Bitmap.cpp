// TBitmap: a 32-bit pixel buffer with a canvas.
#include "framework/Bitmap.h"

#include <cstring>
#include <mutex>
#include <unordered_set>
#include <utility>

#include "core/Exception.h"
#include "framework/BitmapFile.h"
#include "framework/Canvas.h"
#include "framework/PictureFile.h"
#include "platform/BulkMemory.h"
#include "platform/Driver.h"

namespace {

// The pixel stores alive, for LiveStoresAtLeast. Never destroyed, so that bitmaps of static
// duration may still leave it at exit; pictures may be decoded on any thread.
struct TStoreRegistry {
  std::mutex Lock;
  std::unordered_set<const void*> Stores;
};

TStoreRegistry& Registry() {
  static auto* Instance = new TStoreRegistry;
  return *Instance;
}

}  // namespace

struct TBitmap::TPixelStore {
  // Zeroed or not, Width x Height pixels; raises EOutOfResources when there is no memory.
  TPixelStore(int Columns, int Rows, bool Zeroed) : Width(Columns), Height(Rows) {
    const std::size_t Count = static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows);
    // Every pixel is written soon: a picture as it is decoded, a back buffer by the first paint.
    Pixels = static_cast<TPixel*>(AllocateBulk(Count * sizeof(TPixel), Zeroed));
    if (!Pixels) throw EOutOfResources("Out of memory for a bitmap");
    const std::lock_guard<std::mutex> Guard(Registry().Lock);
    Registry().Stores.insert(this);
  }
  ~TPixelStore() {
    {
      const std::lock_guard<std::mutex> Guard(Registry().Lock);
      Registry().Stores.erase(this);
    }
    FreeBulk(Pixels,
             static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * sizeof(TPixel));
  }
  TPixelStore(const TPixelStore&) = delete;
  TPixelStore& operator=(const TPixelStore&) = delete;

  int Width;
  int Height;
  TPixel* Pixels = nullptr;
};

int TBitmap::LiveStoresAtLeast(int Width, int Height) {
  const std::lock_guard<std::mutex> Guard(Registry().Lock);
  int Count = 0;
  for (const void* Entry : Registry().Stores) {
    const auto* Store = static_cast<const TPixelStore*>(Entry);
    if (Store->Width >= Width && Store->Height >= Height) ++Count;
  }
  return Count;
}

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
  Resize(Width, Height, true);
}

void TBitmap::SetSizeUnfilled(int Width, int Height) {
  Resize(Width, Height, false);
}

void TBitmap::Resize(int Width, int Height, bool Zeroed) {
  if (!SizeAllowed(Width, Height)) throw EOutOfResources("Bitmap is too large");
  if (Width == 0 || Height == 0) Width = Height = 0;
  FStore.reset();
  FPixels = nullptr;
  FWidth = FHeight = 0;
  if (Width > 0) {
    FStore = std::make_shared<TPixelStore>(Width, Height, Zeroed);
    FPixels = FStore->Pixels;
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
  const TFileSystem& Files = Driver().Files();
  TBulkBuffer Bytes;
  if (Files.ReadFileBulk(FileName, Limit, Bytes) != TReadStatus::rsRead)
    throw EFOpenError(FormatMessage("Cannot open file %s", Files.ExpandFileName(FileName)));
  DecodePictureFile({Bytes.data(), Bytes.size()}, Files.ExpandFileName(FileName), *this);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  const TFileSystem& Files = Driver().Files();
  if (!Files.WriteFileAtomically(FileName, EncodeBitmapFile(*this)))
    throw EFCreateError(FormatMessage("Cannot create file %s", Files.ExpandFileName(FileName)));
}

void TBitmap::Unshare() {
  auto Own = std::make_shared<TPixelStore>(FWidth, FHeight, false);
  std::memcpy(
      Own->Pixels, FPixels,
      static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight) * sizeof(TPixel));
  FStore = std::move(Own);
  FPixels = FStore->Pixels;
}

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  FStore = Source.FStore;
  FPixels = Source.FPixels;
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
  Changed();
}

void TBitmap::Assign(TBitmap&& Source) {
  if (&Source == this) return;
  FStore = std::move(Source.FStore);
  FPixels = std::exchange(Source.FPixels, nullptr);
  FWidth = std::exchange(Source.FWidth, 0);
  FHeight = std::exchange(Source.FHeight, 0);
  Changed();
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}
