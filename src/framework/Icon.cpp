// TIcon: an icon file's directory, its bitmap and PNG images, image choice and drawing.
#include "framework/Icon.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "core/Exception.h"
#include "core/LittleEndian.h"
#include "framework/BitmapFile.h"
#include "framework/PictureFile.h"
#include "platform/Driver.h"
#include "platform/PngDecoder.h"

namespace {

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::uint16_t IconType = 1;
constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

[[noreturn]] void Invalid() {
  throw EInvalidGraphic("Icon image is not valid");
}

std::uint32_t BigEndianDWord(std::string_view Bytes, std::size_t Pos) {
  std::uint32_t Value = 0;
  for (std::size_t I = 0; I < 4; ++I)
    Value = (Value << 8) | static_cast<unsigned char>(Bytes[Pos + I]);
  return Value;
}

// True when Count items of Size bytes from Pos lie inside Bytes; 64-bit sums, so that no value
// from the file can wrap around.
bool Fits(std::string_view Bytes, std::uint64_t Pos, std::uint64_t Count, std::uint64_t Size) {
  return Pos <= Bytes.size() && Count * Size <= Bytes.size() - Pos;
}

// An alpha channel that is not all zero is the image's transparency; otherwise the AND mask
// gives it (bit 1 transparent), and without a mask every pixel is opaque.
void ApplyTransparency(std::string_view Data, std::size_t MaskPos, bool HasMask,
                       TIconImage& Image) {
  const bool HasAlpha =
      std::any_of(Image.Pixels.begin(), Image.Pixels.end(), [](TPixel P) { return P >> 24; });
  if (HasAlpha) return;
  if (!HasMask) {
    for (TPixel& Pixel : Image.Pixels) Pixel |= 0xFF000000u;
    return;
  }
  const std::size_t Stride = ((static_cast<std::size_t>(Image.Width) + 31) / 32) * 4;
  for (int Row = 0; Row < Image.Height; ++Row) {
    const auto* Bits = reinterpret_cast<const unsigned char*>(Data.data()) + MaskPos +
                       static_cast<std::size_t>(Row) * Stride;
    TPixel* Out =
        Image.Pixels.data() + static_cast<std::size_t>(Image.Height - 1 - Row) * Image.Width;
    for (int X = 0; X < Image.Width; ++X) {
      const bool Transparent = (Bits[X / 8] >> (7 - X % 8)) & 1;
      Out[X] = (Out[X] & 0x00FFFFFF) | (Transparent ? 0 : 0xFF000000u);
    }
  }
}

bool IsPng(std::string_view Data) {
  return Data.starts_with(PngSignature);
}

// The size and depth of an image as its own header gives them, read without decoding it.
struct TImageSize {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};

TImageSize BitmapSize(std::string_view Data) {
  const TDibInfo Info = ReadIconDib(Data);
  return {Info.Width, Info.Height, Info.BitCount};
}

// The header chunk must come first, so the size is known before anything is decoded.
TImageSize PngSize(std::string_view Data) {
  if (Data.size() < 24 || Data.substr(12, 4) != "IHDR") Invalid();
  const std::uint32_t Width = BigEndianDWord(Data, 16);
  const std::uint32_t Height = BigEndianDWord(Data, 20);
  if (Width > MaxPngSide || Height > MaxPngSide) Invalid();
  return {static_cast<int>(Width), static_cast<int>(Height), 32};
}

TIconImage DecodeBitmapImage(std::string_view Data) {
  TIconImage Image;
  const TDibInfo Info = DecodeIconDib(Data, Image.Pixels);
  Image.Width = Info.Width;
  Image.Height = Info.Height;
  Image.BitCount = Info.BitCount;
  const std::uint64_t MaskStride = ((static_cast<std::uint64_t>(Info.Width) + 31) / 32) * 4;
  const bool HasMask = Fits(Data, Info.MaskOffset, Info.Height, MaskStride);
  ApplyTransparency(Data, Info.MaskOffset, HasMask, Image);
  return Image;
}

// A picture file used as an icon: its one image, opaque where the file has no alpha.
TIconImage DecodePictureImage(TPictureFormat Format, std::string_view Bytes) {
  TBitmap Bitmap;
  if (Format == TPictureFormat::pfBitmap) {
    // An icon is optional: any fault of its file is the icon's, never the menu's.
    try {
      DecodeBitmapFile(Bytes, Bitmap);
    } catch (const Exception&) {
      Invalid();
    }
  } else {
    const TPictureRequest Request{{MaxPngSide, MaxPngBytes}, TAlphaUse::auStraight, 0};
    const TDecodeStatus Status = DecodeCompressedPicture(Format, Bytes, Request, Bitmap);
    if (Status != TDecodeStatus::dsDecoded) Invalid();
  }
  TIconImage Image;
  Image.Width = Bitmap.Width();
  Image.Height = Bitmap.Height();
  Image.BitCount = 32;
  Image.Pixels.reserve(static_cast<std::size_t>(Image.Width) * Image.Height);
  const TPixel Opaque = Format == TPictureFormat::pfBitmap ? 0xFF000000u : 0;
  for (int Y = 0; Y < Image.Height; ++Y) {
    const TPixel* Row = Bitmap.ScanLine(Y);
    for (int X = 0; X < Image.Width; ++X) Image.Pixels.push_back(Row[X] | Opaque);
  }
  return Image;
}

bool IsIconFile(std::string_view Bytes) {
  return Bytes.size() >= 4 && ReadWord(Bytes, 0) == 0 && ReadWord(Bytes, 2) == IconType;
}

TIconImage DecodePngImage(std::string_view Data) {
  TPngImage Png;
  if (!DecodePng(Data, Png)) Invalid();
  TIconImage Image;
  Image.Width = Png.Width;
  Image.Height = Png.Height;
  Image.BitCount = 32;
  Image.Pixels = std::move(Png.Pixels);
  return Image;
}

// Nearest-pixel reduction of an image larger than any size asked for, so that no more than the
// largest used size is kept.
void ShrinkToUsedSide(TIconImage& Image) {
  const int Largest = std::max(Image.Width, Image.Height);
  if (Largest <= TIcon::MaxUsedSide) return;
  const int Width = std::max(
      1, static_cast<int>(static_cast<std::int64_t>(Image.Width) * TIcon::MaxUsedSide / Largest));
  const int Height = std::max(
      1, static_cast<int>(static_cast<std::int64_t>(Image.Height) * TIcon::MaxUsedSide / Largest));
  std::vector<TPixel> Pixels(static_cast<std::size_t>(Width) * Height);
  for (int Y = 0; Y < Height; ++Y) {
    const std::size_t SourceY = static_cast<std::size_t>(Y) * Image.Height / Height;
    for (int X = 0; X < Width; ++X) {
      const std::size_t SourceX = static_cast<std::size_t>(X) * Image.Width / Width;
      Pixels[static_cast<std::size_t>(Y) * Width + X] =
          Image.Pixels[SourceY * Image.Width + SourceX];
    }
  }
  Image.Width = Width;
  Image.Height = Height;
  Image.Pixels = std::move(Pixels);
}

// The index of the size closest to Width x Height (smallest |dw| + |dh|), then in colour depth;
// the first of equals.
template <typename TSized>
int Closest(const std::vector<TSized>& Sizes, int Width, int Height, int BitCount) {
  int Best = -1;
  std::int64_t BestDistance = 0;
  std::int64_t BestDepth = 0;
  for (std::size_t I = 0; I < Sizes.size(); ++I) {
    const std::int64_t Distance = std::abs(static_cast<std::int64_t>(Sizes[I].Width) - Width) +
                                  std::abs(static_cast<std::int64_t>(Sizes[I].Height) - Height);
    const std::int64_t Depth = std::abs(static_cast<std::int64_t>(Sizes[I].BitCount) - BitCount);
    if (Best < 0 || Distance < BestDistance || (Distance == BestDistance && Depth < BestDepth)) {
      Best = static_cast<int>(I);
      BestDistance = Distance;
      BestDepth = Depth;
    }
  }
  return Best;
}

}  // namespace

void TIcon::LoadFromFile(const std::string& FileName) {
  const TFileSystem& Files = Driver().Files();
  std::string Bytes;
  if (Files.ReadFileBytes(FileName, MaxFileBytes + 1, Bytes) != TReadStatus::rsRead)
    throw EFOpenError(FormatMessage("Cannot open file %s", Files.ExpandFileName(FileName)));
  if (!IsIconFile(Bytes) && PictureFormatOf(Bytes) == TPictureFormat::pfUnknown)
    throw EInvalidGraphic("Icon image is not valid.\n" + Files.ExpandFileName(FileName) +
                          ": not an ICO, BMP, PNG or JPEG picture");
  LoadFromBytes(Bytes);
}

void TIcon::LoadFromBytes(std::string_view Bytes) {
  if (Bytes.size() > MaxFileBytes) Invalid();
  if (!IsIconFile(Bytes)) {
    const TPictureFormat Format = PictureFormatOf(Bytes);
    if (Format == TPictureFormat::pfUnknown) Invalid();
    auto Images = std::make_shared<std::vector<TIconImage>>();
    Images->push_back(DecodePictureImage(Format, Bytes));
    ShrinkToUsedSide(Images->back());
    FImages = std::move(Images);
    return;
  }
  if (Bytes.size() < DirectorySize) Invalid();
  const std::uint16_t Stored = ReadWord(Bytes, 4);
  if (ReadWord(Bytes, 0) != 0 || ReadWord(Bytes, 2) != IconType || Stored == 0) Invalid();
  // Only the first entries are looked at: a directory may count 65535 of them.
  const std::size_t Count = std::min<std::size_t>(Stored, MaxEntries);
  if (!Fits(Bytes, DirectorySize, Count, EntrySize)) Invalid();

  struct TEntry : TImageSize {
    std::string_view Data;
  };
  std::vector<TEntry> Entries;
  for (std::size_t I = 0; I < Count; ++I) {
    const std::size_t Entry = DirectorySize + I * EntrySize;
    const std::uint32_t Size = ReadDword(Bytes, Entry + 8);
    const std::uint32_t Offset = ReadDword(Bytes, Entry + 12);
    if (!Fits(Bytes, Offset, 1, Size)) Invalid();
    const std::string_view Data = Bytes.substr(Offset, Size);
    Entries.push_back({IsPng(Data) ? PngSize(Data) : BitmapSize(Data), Data});
  }

  // Only the image chosen for each size a window uses is decoded, each distinct one once, in the
  // order of the directory.
  std::vector<bool> Used(Entries.size());
  for (int Side : UsedSides)
    Used[static_cast<std::size_t>(Closest(Entries, Side, Side, 32))] = true;
  std::uint64_t Pixels = 0;
  for (std::size_t I = 0; I < Entries.size(); ++I)
    if (Used[I]) Pixels += static_cast<std::uint64_t>(Entries[I].Width) * Entries[I].Height;
  if (Pixels > TBitmap::MaxBytes / sizeof(TPixel)) Invalid();

  auto Images = std::make_shared<std::vector<TIconImage>>();
  for (std::size_t I = 0; I < Entries.size(); ++I) {
    if (!Used[I]) continue;
    const std::string_view Part = Entries[I].Data;
    Images->push_back(IsPng(Part) ? DecodePngImage(Part) : DecodeBitmapImage(Part));
    ShrinkToUsedSide(Images->back());
  }
  FImages = std::move(Images);
}

int TIcon::PickImage(int Width, int Height, int ScreenBitCount) const {
  return FImages ? Closest(*FImages, Width, Height, ScreenBitCount) : -1;
}

void DrawIconImage(TBitmap& Target, int X, int Y, const TIconImage& Image) {
  if (Image.Width <= 0 || Image.Height <= 0 ||
      Image.Pixels.size() < static_cast<std::size_t>(Image.Width) * Image.Height)
    return;
  const std::int64_t Left = std::max<std::int64_t>(X, 0);
  const std::int64_t Top = std::max<std::int64_t>(Y, 0);
  const std::int64_t Right =
      std::min<std::int64_t>(static_cast<std::int64_t>(X) + Image.Width, Target.Width());
  const std::int64_t Bottom =
      std::min<std::int64_t>(static_cast<std::int64_t>(Y) + Image.Height, Target.Height());
  // An image wholly beside the target has no column to copy, and its row offsets would point
  // past its pixels.
  if (Left >= Right) return;
  for (std::int64_t TargetY = Top; TargetY < Bottom; ++TargetY) {
    const TPixel* Source = &Image.Pixels[static_cast<std::size_t>(TargetY - Y) * Image.Width +
                                         static_cast<std::size_t>(Left - X)];
    TPixel* Dest = Target.ScanLine(static_cast<int>(TargetY));
    for (std::int64_t TargetX = Left; TargetX < Right; ++TargetX, ++Source) {
      const TPixel S = *Source;
      const TPixel D = Dest[TargetX];
      const std::uint32_t A = S >> 24;
      TPixel Result = 0;
      for (int Shift = 0; Shift < 24; Shift += 8) {
        const std::uint32_t Channel =
            (((S >> Shift) & 0xFF) * A + ((D >> Shift) & 0xFF) * (255 - A) + 127) / 255;
        Result |= Channel << Shift;
      }
      Dest[TargetX] = Result;
    }
  }
}
