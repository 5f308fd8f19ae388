// Bitmap files and the bitmaps of icon images: reading every header, depth and compression in
// use, and writing 24/32-bit files.
#include "framework/BitmapFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "core/LittleEndian.h"
#include "framework/Icon.h"

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t Os2HeaderSize = 64;
constexpr std::uint32_t V4HeaderSize = 108;
constexpr std::uint32_t V5HeaderSize = 124;
constexpr std::int64_t MaxDimension = 65535;
// 72 dots per inch, the resolution every writer puts in.
constexpr std::uint32_t PixelsPerMetre = 2835;

// The two places a device-independent bitmap appears: after a bitmap file's header, and as an
// image of an icon file, where the height counts the AND mask's rows too, 32-bit pixels keep
// their alpha, and neither run-length data nor the 64-byte header occur.
enum class TDibKind { dkBitmapFile, dkIconImage };

[[noreturn]] void Invalid(TDibKind Kind) {
  throw EInvalidGraphic(Kind == TDibKind::dkIconImage ? "Icon image is not valid"
                                                      : "Bitmap image is not valid");
}

// The pixel loops load four bytes at once; TPixel's layout already assumes this byte order.
static_assert(std::endian::native == std::endian::little);

std::uint32_t LoadDword(const unsigned char* Source) {
  std::uint32_t Value;
  std::memcpy(&Value, Source, sizeof Value);
  return Value;
}

// Everything the decoders need, read from the headers and checked against the data, so that
// decoding the pixels cannot fail.
struct TLayout {
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  unsigned BitCount = 0;
  std::uint32_t Compression = BI_RGB;
  // Indexed colours; indices past the table stay black.
  std::array<TPixel, 256> Palette{};
  // Red, green, blue and alpha masks of 16- and 32-bit pixels; only the alpha mask may be 0.
  std::array<std::uint32_t, 4> Masks{};
  // From the first pixel byte to the end of the data.
  std::string_view Pixels;
  std::size_t Stride = 0;
  // Where the colour rows end, from the start of the data.
  std::size_t PixelEnd = 0;
};

bool KnownHeaderSize(std::uint32_t Size, TDibKind Kind) {
  return Size == CoreHeaderSize || Size == InfoHeaderSize ||
         (Size == Os2HeaderSize && Kind == TDibKind::dkBitmapFile) || Size == V4HeaderSize ||
         Size == V5HeaderSize;
}

// Depth and compression go together as listed; run-length data only count rows upwards and
// occur in files only. In a 64-byte header compression 3 is a different codec, not masks, so it
// is refused there.
bool KnownFormat(std::uint32_t HeaderSize, unsigned BitCount, std::uint32_t Compression,
                 bool TopDown, TDibKind Kind) {
  const bool File = Kind == TDibKind::dkBitmapFile;
  switch (Compression) {
    case BI_RGB:
      return BitCount == 1 || BitCount == 4 || BitCount == 8 || BitCount == 16 || BitCount == 24 ||
             BitCount == 32;
    case BI_RLE8:
      return File && BitCount == 8 && !TopDown;
    case BI_RLE4:
      return File && BitCount == 4 && !TopDown;
    case BI_BITFIELDS:
      return (BitCount == 16 || BitCount == 32) && HeaderSize != Os2HeaderSize;
    default:
      return false;
  }
}

// A mask whose bits have no gap, or no mask at all.
bool ContiguousMask(std::uint32_t Mask) {
  if (Mask == 0) return true;
  const std::uint32_t Bits = Mask >> std::countr_zero(Mask);
  return (Bits & (Bits + 1)) == 0;
}

// Masks come after a 40-byte header and inside V4 and V5 headers. A file's mask with bits beyond
// the pixel's width has them cut off, as they cannot carry a value; an icon's is refused, as is a
// mask with a gap. Only icons' 32-bit pixels carry alpha: in the top byte unless a larger header
// names its bits, and none when the alpha bits overlap a colour's.
void ReadMasks(std::string_view Bytes, std::uint64_t HeaderPos, std::uint32_t HeaderSize,
               TDibKind Kind, TLayout& Layout) {
  const std::uint64_t Pos = HeaderPos + InfoHeaderSize;
  if (HeaderSize == InfoHeaderSize && Pos + 12 > Bytes.size()) Invalid(Kind);
  const std::uint32_t Usable = Layout.BitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  const bool Icon = Kind == TDibKind::dkIconImage;
  for (std::size_t I = 0; I < 3; ++I) {
    const std::uint32_t Mask = ReadDword(Bytes, Pos + 4 * I);
    if (Icon && ((Mask & ~Usable) != 0 || !ContiguousMask(Mask))) Invalid(Kind);
    Layout.Masks[I] = Mask & Usable;
    if (Layout.Masks[I] == 0) Invalid(Kind);
  }
  if (!Icon || Layout.BitCount != 32) return;
  if (HeaderSize > InfoHeaderSize && ReadDword(Bytes, Pos + 12) != 0) {
    Layout.Masks[3] = ReadDword(Bytes, Pos + 12);
    if (!ContiguousMask(Layout.Masks[3])) Invalid(Kind);
  }
  if (Layout.Masks[3] & (Layout.Masks[0] | Layout.Masks[1] | Layout.Masks[2])) Layout.Masks[3] = 0;
}

// The bitmap-info header starts at HeaderPos of Bytes; the pixels at OffBits of Bytes when it is
// not 0, else right after the colour table.
TLayout ReadLayout(std::string_view Bytes, std::uint64_t HeaderPos, std::uint32_t OffBits,
                   TDibKind Kind) {
  const std::uint64_t Size = Bytes.size();
  const bool Icon = Kind == TDibKind::dkIconImage;
  const std::uint32_t HeaderSize = ReadDword(Bytes, HeaderPos);
  if (!KnownHeaderSize(HeaderSize, Kind) || HeaderPos + HeaderSize > Size) Invalid(Kind);

  TLayout Layout;
  const bool Core = HeaderSize == CoreHeaderSize;
  std::int64_t Width, Height;
  std::uint32_t Planes, ColorsUsed = 0;
  if (Core) {
    Width = ReadWord(Bytes, HeaderPos + 4);
    Height = ReadWord(Bytes, HeaderPos + 6);
    Planes = ReadWord(Bytes, HeaderPos + 8);
    Layout.BitCount = ReadWord(Bytes, HeaderPos + 10);
  } else {
    Width = static_cast<std::int32_t>(ReadDword(Bytes, HeaderPos + 4));
    Height = static_cast<std::int32_t>(ReadDword(Bytes, HeaderPos + 8));
    Planes = ReadWord(Bytes, HeaderPos + 12);
    Layout.BitCount = ReadWord(Bytes, HeaderPos + 14);
    Layout.Compression = ReadDword(Bytes, HeaderPos + 16);
    ColorsUsed = ReadDword(Bytes, HeaderPos + 32);
  }
  if (Icon) {
    // The data hold the colour rows and the mask rows, so their height is twice the icon's;
    // the planes count is not looked at.
    if (Width <= 0 || Height <= 0 || Height % 2 != 0) Invalid(Kind);
    Height /= 2;
    if (Width > TIcon::MaxBitmapSide || Height > TIcon::MaxBitmapSide) Invalid(Kind);
  } else {
    if (Width <= 0 || Height == 0 || Planes == 0) Invalid(Kind);
    Layout.TopDown = Height < 0;
    if (Height < 0) Height = -Height;
    if (Width > MaxDimension || Height > MaxDimension) Invalid(Kind);
  }
  if (!KnownFormat(HeaderSize, Layout.BitCount, Layout.Compression, Layout.TopDown, Kind))
    Invalid(Kind);
  Layout.Width = static_cast<int>(Width);
  Layout.Height = static_cast<int>(Height);
  // Before anything is allocated or more of the data is trusted.
  if (!TBitmap::SizeAllowed(Layout.Width, Layout.Height))
    throw EOutOfResources("Bitmap is too large");

  std::uint64_t Pos = HeaderPos + HeaderSize;
  if (Layout.BitCount == 16) {
    Layout.Masks = {0x7C00, 0x03E0, 0x001F, 0};
  } else if (Layout.BitCount == 32) {
    Layout.Masks = {0xFF0000, 0x00FF00, 0x0000FF, Icon ? 0xFF000000u : 0u};
  }
  if (Layout.Compression == BI_BITFIELDS) {
    ReadMasks(Bytes, HeaderPos, HeaderSize, Kind, Layout);
    if (HeaderSize == InfoHeaderSize) Pos += 12;
  }

  const std::uint64_t EntrySize = Core ? 3 : 4;
  std::uint64_t Entries = ColorsUsed;
  if (Layout.BitCount <= 8) {
    // A file may name fewer or more colours than its depth can index, up to 256; an icon fewer.
    const std::uint64_t MaxEntries =
        Icon ? std::uint64_t{1} << Layout.BitCount : Layout.Palette.size();
    if (Entries == 0) Entries = std::uint64_t{1} << Layout.BitCount;
    if (Entries > MaxEntries || Pos + Entries * EntrySize > Size) Invalid(Kind);
    for (std::uint64_t I = 0; I < Entries; ++I) {
      const std::uint64_t Entry = Pos + I * EntrySize;
      Layout.Palette[I] = PixelOf(static_cast<std::uint8_t>(Bytes[Entry + 2]),
                                  static_cast<std::uint8_t>(Bytes[Entry + 1]),
                                  static_cast<std::uint8_t>(Bytes[Entry]));
    }
  }
  // Deeper pictures may carry a table for palette displays; it only moves the pixels.
  Pos += Entries * EntrySize;

  const std::uint64_t Start = OffBits != 0 ? OffBits : Pos;
  if (Start > Size) Invalid(Kind);
  Layout.Stride = static_cast<std::size_t>((Width * Layout.BitCount + 31) / 32 * 4);
  const bool RunLength = Layout.Compression == BI_RLE8 || Layout.Compression == BI_RLE4;
  const std::uint64_t RowBytes = static_cast<std::uint64_t>(Layout.Stride) * Height;
  if (!RunLength && RowBytes > Size - Start) Invalid(Kind);
  Layout.Pixels = Bytes.substr(static_cast<std::size_t>(Start));
  Layout.PixelEnd =
      RunLength ? static_cast<std::size_t>(Size) : static_cast<std::size_t>(Start + RowBytes);
  return Layout;
}

TLayout ReadFileLayout(std::string_view Bytes) {
  constexpr TDibKind Kind = TDibKind::dkBitmapFile;
  if (Bytes.size() < FileHeaderSize + 4 || Bytes[0] != 'B' || Bytes[1] != 'M') Invalid(Kind);
  return ReadLayout(Bytes, FileHeaderSize, ReadDword(Bytes, 10), Kind);
}

TLayout ReadIconLayout(std::string_view Dib) {
  if (Dib.size() < 4) Invalid(TDibKind::dkIconImage);
  return ReadLayout(Dib, 0, 0, TDibKind::dkIconImage);
}

// One channel of a 16- or 32-bit pixel, scaled to 8 bits as Value x 255 / Max rounded to
// nearest, so that every width reaches full black and full white (5 bits: 16 gives 132, the
// same as repeating the bits). Channels up to 16 bits wide are looked up in a table; a channel
// without a mask reads 0.
class TChannel {
 public:
  explicit TChannel(std::uint32_t Mask)
      : FMask(Mask), FShift(Mask != 0 ? std::countr_zero(Mask) : 0), FMax(Mask >> FShift) {
    if (FMax <= 0xFFFF) {
      FTable.resize(FMax + 1);
      for (std::uint32_t Value = 0; Value <= FMax; ++Value) FTable[Value] = Compute(Value);
    }
  }

  std::uint8_t Scale(std::uint32_t Pixel) const {
    const std::uint32_t Value = (Pixel & FMask) >> FShift;
    return FTable.empty() ? Compute(Value) : FTable[Value];
  }

 private:
  std::uint8_t Compute(std::uint32_t Value) const {
    if (FMax == 0) return 0;
    return static_cast<std::uint8_t>((std::uint64_t{Value} * 255 + FMax / 2) / FMax);
  }

  std::uint32_t FMask;
  int FShift;
  std::uint32_t FMax;
  std::vector<std::uint8_t> FTable;
};

class TMaskedFormat {
 public:
  explicit TMaskedFormat(const std::array<std::uint32_t, 4>& Masks)
      : FRed(Masks[0]), FGreen(Masks[1]), FBlue(Masks[2]), FAlpha(Masks[3]) {}
  TPixel Convert(std::uint32_t Value) const {
    return PixelOf(FRed.Scale(Value), FGreen.Scale(Value), FBlue.Scale(Value));
  }
  TPixel ConvertWithAlpha(std::uint32_t Value) const {
    return static_cast<TPixel>(FAlpha.Scale(Value)) << 24 | Convert(Value);
  }

 private:
  TChannel FRed, FGreen, FBlue, FAlpha;
};

// Hands each row of the data, as stored, to Convert with the row of Pixels (Width x Height,
// top-down) it belongs in.
template <typename TConvert>
void ForEachRow(const TLayout& Layout, TPixel* Pixels, TConvert Convert) {
  const auto* Source = reinterpret_cast<const unsigned char*>(Layout.Pixels.data());
  for (int Row = 0; Row < Layout.Height; ++Row, Source += Layout.Stride) {
    const int Target = Layout.TopDown ? Row : Layout.Height - 1 - Row;
    Convert(Source, Pixels + static_cast<std::size_t>(Target) * Layout.Width);
  }
}

void DecodeRows(const TLayout& Layout, TPixel* Pixels) {
  const int Width = Layout.Width;
  const std::array<TPixel, 256>& Palette = Layout.Palette;
  switch (Layout.BitCount) {
    case 1:
      ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
        for (int X = 0; X < Width; ++X) Row[X] = Palette[(Source[X >> 3] >> (7 - (X & 7))) & 1];
      });
      break;
    case 4:
      ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
        for (int X = 0; X < Width; ++X)
          Row[X] = Palette[(Source[X >> 1] >> ((X & 1) != 0 ? 0 : 4)) & 0xF];
      });
      break;
    case 8:
      ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
        for (int X = 0; X < Width; ++X) Row[X] = Palette[Source[X]];
      });
      break;
    case 16: {
      const TMaskedFormat Format(Layout.Masks);
      ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
        for (int X = 0; X < Width; ++X, Source += 2)
          Row[X] = Format.Convert(Source[0] | (std::uint32_t{Source[1]} << 8));
      });
      break;
    }
    case 24:
      // Each load takes the next pixel's first byte too, except for the row's last pixel,
      // whose next byte may lie past the data.
      ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
        for (int X = 0; X < Width - 1; ++X) Row[X] = LoadDword(Source + 3 * X) & 0xFFFFFF;
        const unsigned char* Last = Source + 3 * (Width - 1);
        Row[Width - 1] = PixelOf(Last[2], Last[1], Last[0]);
      });
      break;
    default: {
      const TMaskedFormat Format(Layout.Masks);
      if (Layout.Masks[3] == 0) {
        ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
          for (int X = 0; X < Width; ++X) Row[X] = Format.Convert(LoadDword(Source + 4 * X));
        });
      } else {
        ForEachRow(Layout, Pixels, [&](const unsigned char* Source, TPixel* Row) {
          for (int X = 0; X < Width; ++X)
            Row[X] = Format.ConvertWithAlpha(LoadDword(Source + 4 * X));
        });
      }
      break;
    }
  }
}

// Both run-length encodings, read up to the end-of-bitmap code or the end of the file, so a
// truncated file keeps what it has. Pixels the codes never reach stay black, not palette
// entry 0; pixels right of the picture are dropped, and rows above it end the decoding.
void DecodeRunLength(const TLayout& Layout, TPixel* Pixels) {
  const bool Nibbles = Layout.Compression == BI_RLE4;
  const auto* Data = reinterpret_cast<const unsigned char*>(Layout.Pixels.data());
  const std::size_t Size = Layout.Pixels.size();
  // X grows by at most 255 per two bytes read, far from overflowing 64 bits.
  std::int64_t X = 0;
  int Row = 0;
  // The pixels of a run past the right edge are skipped at once, not one by one.
  auto Shown = [&](std::size_t Count) {
    return X < Layout.Width ? std::min<std::size_t>(Count, Layout.Width - X) : 0;
  };
  auto Put = [&](unsigned Index) {
    if (X < Layout.Width)
      Pixels[static_cast<std::size_t>(Layout.Height - 1 - Row) * Layout.Width +
             static_cast<std::size_t>(X)] = Layout.Palette[Index];
    ++X;
  };
  std::size_t Pos = 0;
  while (Row < Layout.Height && Size - Pos >= 2) {
    const unsigned Count = Data[Pos];
    const unsigned Code = Data[Pos + 1];
    Pos += 2;
    if (Count > 0) {
      const std::size_t Inside = Shown(Count);
      for (unsigned I = 0; I < Inside; ++I)
        Put(!Nibbles ? Code : (I & 1) == 0 ? Code >> 4 : Code & 0xF);
      X += Count - Inside;
    } else if (Code == 0) {
      X = 0;
      ++Row;
    } else if (Code == 1) {
      break;
    } else if (Code == 2) {
      if (Size - Pos < 2) break;
      X += Data[Pos];
      Row += Data[Pos + 1];
      Pos += 2;
    } else {
      // An absolute run: Code indices, packed as stored, padded to a 16-bit boundary.
      const std::size_t Length = Nibbles ? (Code + 1) / 2 : Code;
      const std::size_t Available = std::min(Length, Size - Pos);
      const std::size_t Stored =
          Nibbles ? std::min<std::size_t>(Code, 2 * Available) : static_cast<unsigned>(Available);
      const std::size_t Inside = Shown(Stored);
      for (unsigned I = 0; I < Inside; ++I)
        Put(!Nibbles       ? Data[Pos + I]
            : (I & 1) == 0 ? Data[Pos + I / 2] >> 4
                           : Data[Pos + I / 2] & 0xF);
      X += Stored - Inside;
      Pos = std::min(Pos + Length + (Length & 1), Size);
    }
  }
}

}  // namespace

void DecodeBitmapFile(std::string_view Bytes, TBitmap& Bitmap) {
  const TLayout Layout = ReadFileLayout(Bytes);
  TBitmap Decoded;
  // Runs may skip pixels, which stay black; stored rows set every pixel, all of them present.
  if (Layout.Compression == BI_RLE8 || Layout.Compression == BI_RLE4) {
    Decoded.SetSize(Layout.Width, Layout.Height);
    DecodeRunLength(Layout, Decoded.ScanLine(0));
  } else {
    Decoded.SetSizeUnfilled(Layout.Width, Layout.Height);
    DecodeRows(Layout, Decoded.ScanLine(0));
  }
  Bitmap.Assign(std::move(Decoded));
}

TDibInfo ReadIconDib(std::string_view Dib) {
  const TLayout Layout = ReadIconLayout(Dib);
  return {Layout.Width, Layout.Height, static_cast<int>(Layout.BitCount), Layout.PixelEnd};
}

TDibInfo DecodeIconDib(std::string_view Dib, std::vector<TPixel>& Pixels) {
  const TLayout Layout = ReadIconLayout(Dib);
  Pixels.assign(static_cast<std::size_t>(Layout.Width) * Layout.Height, 0);
  DecodeRows(Layout, Pixels.data());
  return {Layout.Width, Layout.Height, static_cast<int>(Layout.BitCount), Layout.PixelEnd};
}

std::string EncodeBitmapFile(const TBitmap& Bitmap) {
  const int Width = Bitmap.Width();
  const int Height = Bitmap.Height();
  bool Alpha = false;
  for (int Y = 0; Y < Height && !Alpha; ++Y) {
    const TPixel* Row = Bitmap.ScanLine(Y);
    Alpha = std::any_of(Row, Row + Width, [](TPixel Pixel) { return (Pixel >> 24) != 0; });
  }
  const std::size_t BytesPerPixel = Alpha ? 4 : 3;
  TBitmapFileLayout Layout;
  std::string Bytes =
      NewBitmapFile(Width, Height, static_cast<unsigned>(BytesPerPixel * 8), 0, Layout);
  for (int Row = 0; Row < Height; ++Row) {
    const TPixel* Source = Bitmap.ScanLine(Height - 1 - Row);
    char* Target =
        Bytes.data() + Layout.PixelOffset + static_cast<std::size_t>(Row) * Layout.Stride;
    for (int X = 0; X < Width; ++X, Target += BytesPerPixel) {
      const TPixel Pixel = Source[X];
      Target[0] = static_cast<char>(Pixel & 0xFF);
      Target[1] = static_cast<char>((Pixel >> 8) & 0xFF);
      Target[2] = static_cast<char>((Pixel >> 16) & 0xFF);
      if (Alpha) Target[3] = static_cast<char>(Pixel >> 24);
    }
  }
  return Bytes;
}

std::string NewBitmapFile(int Width, int Height, unsigned BitCount, std::size_t Colors,
                          TBitmapFileLayout& Layout) {
  // A bitmap holds at most TBitmap::MaxBytes of pixels, so every size here fits in 32 bits.
  Layout.Stride = (static_cast<std::size_t>(Width) * BitCount + 31) / 32 * 4;
  Layout.PaletteOffset = FileHeaderSize + InfoHeaderSize;
  Layout.PixelOffset = Layout.PaletteOffset + 4 * Colors;
  const std::size_t ImageSize = Layout.Stride * static_cast<std::size_t>(Height);
  std::string Bytes(Layout.PixelOffset + ImageSize, '\0');

  Bytes[0] = 'B';
  Bytes[1] = 'M';
  PutDword(Bytes, 2, static_cast<std::uint32_t>(Bytes.size()));
  PutDword(Bytes, 10, static_cast<std::uint32_t>(Layout.PixelOffset));
  PutDword(Bytes, 14, InfoHeaderSize);
  PutDword(Bytes, 18, static_cast<std::uint32_t>(Width));
  PutDword(Bytes, 22, static_cast<std::uint32_t>(Height));
  PutWord(Bytes, 26, 1);
  PutWord(Bytes, 28, BitCount);
  PutDword(Bytes, 30, BI_RGB);
  PutDword(Bytes, 34, static_cast<std::uint32_t>(ImageSize));
  PutDword(Bytes, 38, PixelsPerMetre);
  PutDword(Bytes, 42, PixelsPerMetre);
  PutDword(Bytes, 46, static_cast<std::uint32_t>(Colors));
  return Bytes;
}
