// TIcon: an icon file's directory, its bitmap and PNG images, image choice and drawing.
#include "framework/Icon.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

#include "framework/Exception.h"
#include "platform/FileSystem.h"
#include "platform/PngDecoder.h"

namespace {

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::uint16_t IconType = 1;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

[[noreturn]] void Invalid() {
  throw EInvalidGraphic("Icon image is not valid");
}

std::uint16_t Word(std::string_view Bytes, std::size_t Pos) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(Bytes[Pos]) |
                                    (static_cast<unsigned char>(Bytes[Pos + 1]) << 8));
}

std::uint32_t DWord(std::string_view Bytes, std::size_t Pos) {
  return Word(Bytes, Pos) | (static_cast<std::uint32_t>(Word(Bytes, Pos + 2)) << 16);
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

// A colour channel given by a bit mask, scaled to 8 bits.
class TChannel {
 public:
  // An empty mask gives a channel that reads 0; a mask with a gap is no valid channel.
  static bool Valid(std::uint32_t Mask) {
    if (Mask == 0) return true;
    std::uint32_t Bits = Mask >> std::countr_zero(Mask);
    return (Bits & (Bits + 1)) == 0;
  }
  explicit TChannel(std::uint32_t Mask)
      : FMask(Mask), FShift(Mask ? std::countr_zero(Mask) : 0), FMax(Mask >> FShift) {}

  std::uint32_t operator()(std::uint32_t Value) const {
    if (FMax == 0) return 0;
    std::uint64_t Part = (Value & FMask) >> FShift;
    return static_cast<std::uint32_t>((Part * 255 + FMax / 2) / FMax);
  }

 private:
  std::uint32_t FMask = 0;
  int FShift = 0;
  std::uint32_t FMax = 0;
};

// What the header of a bitmap image says about the layout of its pixels.
struct TDibHeader {
  std::uint32_t Size = 0;
  int Width = 0;
  int Height = 0;  // of the icon: half the bitmap's
  int BitCount = 0;
  std::uint32_t Compression = BI_RGB;
  std::uint32_t ColorsUsed = 0;
  std::uint32_t Masks[4] = {};  // red, green, blue, alpha; for 16 and 32 bits per pixel
};

TDibHeader ReadDibHeader(std::string_view Data, std::size_t& Pos) {
  if (Data.size() < 4) Invalid();
  TDibHeader Header;
  Header.Size = DWord(Data, 0);
  if (Header.Size != 12 && Header.Size != 40 && Header.Size != 108 && Header.Size != 124) Invalid();
  if (Data.size() < Header.Size) Invalid();
  std::int64_t FullHeight;
  if (Header.Size == 12) {
    Header.Width = Word(Data, 4);
    FullHeight = Word(Data, 6);
    Header.BitCount = Word(Data, 10);
  } else {
    Header.Width = static_cast<std::int32_t>(DWord(Data, 4));
    FullHeight = static_cast<std::int32_t>(DWord(Data, 8));
    Header.BitCount = Word(Data, 14);
    Header.Compression = DWord(Data, 16);
    Header.ColorsUsed = DWord(Data, 32);
  }
  // The bitmap holds the colour rows and the mask rows, so its height is twice the icon's.
  if (Header.Width <= 0 || FullHeight <= 0 || FullHeight % 2 != 0) Invalid();
  Header.Height = static_cast<int>(FullHeight / 2);
  if (Header.Width > TIcon::MaxBitmapSide || Header.Height > TIcon::MaxBitmapSide) Invalid();

  switch (Header.BitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (Header.Compression != BI_RGB) Invalid();
      break;
    case 16:
    case 32:
      if (Header.Compression != BI_RGB && Header.Compression != BI_BITFIELDS) Invalid();
      break;
    default:
      Invalid();
  }

  Pos = Header.Size;
  if (Header.BitCount == 16) {
    Header.Masks[0] = 0x7C00;
    Header.Masks[1] = 0x03E0;
    Header.Masks[2] = 0x001F;
  } else if (Header.BitCount == 32) {
    Header.Masks[0] = 0x00FF0000;
    Header.Masks[1] = 0x0000FF00;
    Header.Masks[2] = 0x000000FF;
    Header.Masks[3] = 0xFF000000;
  }
  if (Header.Compression == BI_BITFIELDS) {
    // A 40-byte header is followed by the three masks; the larger ones hold them, with alpha.
    std::size_t MaskPos = Header.Size == 40 ? Pos : 40;
    if (!Fits(Data, MaskPos, 3, 4)) Invalid();
    for (std::size_t I = 0; I < 3; ++I) Header.Masks[I] = DWord(Data, MaskPos + 4 * I);
    // Only 32-bit images carry alpha: in the top byte unless a larger header names its bits.
    if (Header.BitCount == 32 && Header.Size > 40 && DWord(Data, 52) != 0)
      Header.Masks[3] = DWord(Data, 52);
    if (Header.Size == 40) Pos += 12;
    const std::uint32_t Usable =
        Header.BitCount == 16 ? 0xFFFFu : std::numeric_limits<std::uint32_t>::max();
    for (std::size_t I = 0; I < 4; ++I) {
      if ((I < 3 && Header.Masks[I] == 0) || (Header.Masks[I] & ~Usable) != 0 ||
          !TChannel::Valid(Header.Masks[I]))
        Invalid();
    }
    if (Header.Masks[3] & (Header.Masks[0] | Header.Masks[1] | Header.Masks[2]))
      Header.Masks[3] = 0;
  }
  return Header;
}

// Pixels whose alpha is not yet known carry the raw alpha of a 32-bit image, or 0.
void ReadColourRows(std::string_view Data, std::size_t Pos, const TDibHeader& Header,
                    const std::vector<TPixel>& Palette, TIconImage& Image) {
  const std::size_t Stride =
      ((static_cast<std::size_t>(Header.Width) * Header.BitCount + 31) / 32) * 4;
  const TChannel Red(Header.Masks[0]), Green(Header.Masks[1]), Blue(Header.Masks[2]),
      Alpha(Header.Masks[3]);
  for (int Row = 0; Row < Header.Height; ++Row) {
    const auto* Bits = reinterpret_cast<const unsigned char*>(Data.data()) + Pos +
                       static_cast<std::size_t>(Row) * Stride;
    TPixel* Out =
        Image.Pixels.data() + static_cast<std::size_t>(Header.Height - 1 - Row) * Header.Width;
    for (int X = 0; X < Header.Width; ++X) {
      std::uint32_t Value;
      switch (Header.BitCount) {
        case 1:
        case 4:
        case 8: {
          const int PerByte = 8 / Header.BitCount;
          const int Shift = 8 - Header.BitCount * (X % PerByte + 1);
          const std::size_t Index = (Bits[X / PerByte] >> Shift) & ((1u << Header.BitCount) - 1);
          Out[X] = Index < Palette.size() ? Palette[Index] : 0;
          continue;
        }
        case 24:
          Out[X] = PixelOf(Bits[3 * X + 2], Bits[3 * X + 1], Bits[3 * X]);
          continue;
        case 16:
          Value = static_cast<std::uint32_t>(Bits[2 * X] | (Bits[2 * X + 1] << 8));
          break;
        default:
          Value = static_cast<std::uint32_t>(Bits[4 * X]) | (Bits[4 * X + 1] << 8) |
                  (Bits[4 * X + 2] << 16) | (static_cast<std::uint32_t>(Bits[4 * X + 3]) << 24);
          break;
      }
      Out[X] = (Alpha(Value) << 24) | (Red(Value) << 16) | (Green(Value) << 8) | Blue(Value);
    }
  }
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
  std::size_t Pos = 0;
  const TDibHeader Header = ReadDibHeader(Data, Pos);
  return {Header.Width, Header.Height, Header.BitCount};
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
  std::size_t Pos = 0;
  const TDibHeader Header = ReadDibHeader(Data, Pos);

  std::vector<TPixel> Palette;
  const std::size_t EntryBytes = Header.Size == 12 ? 3 : 4;
  if (Header.BitCount <= 8) {
    const std::uint32_t MaxColors = 1u << Header.BitCount;
    if (Header.ColorsUsed > MaxColors) Invalid();
    const std::uint32_t Colors = Header.ColorsUsed ? Header.ColorsUsed : MaxColors;
    if (!Fits(Data, Pos, Colors, EntryBytes)) Invalid();
    for (std::uint32_t I = 0; I < Colors; ++I) {
      const std::size_t Entry = Pos + I * EntryBytes;
      Palette.push_back(PixelOf(static_cast<std::uint8_t>(Data[Entry + 2]),
                                static_cast<std::uint8_t>(Data[Entry + 1]),
                                static_cast<std::uint8_t>(Data[Entry])));
    }
    Pos += Colors * EntryBytes;
  } else {
    // A colour table beside direct colours is only a hint for palette screens: skipped.
    if (!Fits(Data, Pos, Header.ColorsUsed, EntryBytes)) Invalid();
    Pos += static_cast<std::size_t>(Header.ColorsUsed) * EntryBytes;
  }

  const std::uint64_t Stride =
      ((static_cast<std::uint64_t>(Header.Width) * Header.BitCount + 31) / 32) * 4;
  if (!Fits(Data, Pos, Header.Height, Stride)) Invalid();
  const std::size_t MaskPos = Pos + static_cast<std::size_t>(Stride) * Header.Height;
  const std::uint64_t MaskStride = ((static_cast<std::uint64_t>(Header.Width) + 31) / 32) * 4;
  const bool HasMask = Fits(Data, MaskPos, Header.Height, MaskStride);

  TIconImage Image;
  Image.Width = Header.Width;
  Image.Height = Header.Height;
  Image.BitCount = Header.BitCount;
  Image.Pixels.resize(static_cast<std::size_t>(Header.Width) * Header.Height);
  ReadColourRows(Data, Pos, Header, Palette, Image);
  ApplyTransparency(Data, MaskPos, HasMask, Image);
  return Image;
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
  std::string Bytes;
  if (ReadFileBytes(FileName, MaxFileBytes + 1, Bytes) != TReadStatus::rsRead)
    throw EFOpenError(FormatMessage("Cannot open file %s", ExpandFileName(FileName)));
  LoadFromBytes(Bytes);
}

void TIcon::LoadFromBytes(std::string_view Bytes) {
  if (Bytes.size() > MaxFileBytes || Bytes.size() < DirectorySize) Invalid();
  const std::uint16_t Stored = Word(Bytes, 4);
  if (Word(Bytes, 0) != 0 || Word(Bytes, 2) != IconType || Stored == 0) Invalid();
  // Only the first entries are looked at: a directory may count 65535 of them.
  const std::size_t Count = std::min<std::size_t>(Stored, MaxEntries);
  if (!Fits(Bytes, DirectorySize, Count, EntrySize)) Invalid();

  struct TEntry : TImageSize {
    std::string_view Data;
  };
  std::vector<TEntry> Entries;
  for (std::size_t I = 0; I < Count; ++I) {
    const std::size_t Entry = DirectorySize + I * EntrySize;
    const std::uint32_t Size = DWord(Bytes, Entry + 8);
    const std::uint32_t Offset = DWord(Bytes, Entry + 12);
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
