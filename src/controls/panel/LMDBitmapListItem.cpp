// TLMDBitmapListItem: the bitmap, its assignment and its stored form.
#include "controls/panel/LMDBitmapListItem.h"

#include <algorithm>
#include <string>
#include <utility>

#include "controls/panel/LMDCompressedContainer.h"
#include "controls/panel/LMDReducedBitmap.h"
#include "framework/BitmapFile.h"

namespace {

constexpr std::uint8_t flCompressed = 0x01;
constexpr std::uint8_t flDescription = 0x02;
constexpr std::uint8_t flIdent = 0x04;
constexpr std::uint8_t flBitmap = 0x08;
constexpr std::uint8_t flMono = 0x10;
constexpr std::uint8_t fl4bit = 0x20;
constexpr std::uint8_t fl8bit = 0x40;
constexpr std::size_t MaxDescription = 255;
// The stored form of the largest bitmap allowed, with room for headers and a colour table.
constexpr std::size_t MaxBitmapBytes = TBitmap::MaxBytes + (1u << 20);

std::uint8_t PixelFormatFlag(TLMDSavePixelFormat Format) {
  switch (Format) {
    case TLMDSavePixelFormat::spfMono:
      return flMono;
    case TLMDSavePixelFormat::spf4bit:
      return fl4bit;
    case TLMDSavePixelFormat::spf8bit:
      return fl8bit;
    default:
      return 0;
  }
}

TLMDSavePixelFormat PixelFormatOfFlags(std::uint8_t Flags) {
  if (Flags & flMono) return TLMDSavePixelFormat::spfMono;
  if (Flags & fl4bit) return TLMDSavePixelFormat::spf4bit;
  if (Flags & fl8bit) return TLMDSavePixelFormat::spf8bit;
  return TLMDSavePixelFormat::spfDefault;
}

int ColorCountOf(TLMDSavePixelFormat Format) {
  switch (Format) {
    case TLMDSavePixelFormat::spfMono:
      return 2;
    case TLMDSavePixelFormat::spf4bit:
      return 16;
    default:
      return 256;
  }
}

}  // namespace

void TLMDBitmapListItem::SetBitmap(const TBitmap& Value) {
  FBitmap.Assign(Value);
  Change();
}

void TLMDBitmapListItem::SetPixelFormat(TLMDSavePixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  Change();
}

void TLMDBitmapListItem::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TLMDBitmapListItem*>(&Source);
  if (!Other) {
    TLMDListItem::Assign(Source);
    return;
  }
  FCompressed = Other->FCompressed;
  FDescription = Other->FDescription;
  FIdent = Other->FIdent;
  FPixelFormat = Other->FPixelFormat;
  FBitmap.Assign(Other->FBitmap);
}

void TLMDBitmapListItem::FreeData() {
  FBitmap.SetSize(0, 0);
}

std::uint8_t TLMDBitmapListItem::WriteFlag() const {
  std::uint8_t Flags = PixelFormatFlag(FPixelFormat);
  if (FCompressed) Flags |= flCompressed;
  if (!FDescription.empty()) Flags |= flDescription;
  if (FIdent != 0) Flags |= flIdent;
  if (!FBitmap.Empty()) Flags |= flBitmap;
  return Flags;
}

void TLMDBitmapListItem::WriteData(TLMDStoreWriter& Stream) const {
  Stream.WriteByte(WriteFlag());
  if (!FDescription.empty()) {
    const std::size_t Length = std::min(FDescription.size(), MaxDescription);
    Stream.WriteByte(static_cast<std::uint8_t>(Length));
    Stream.WriteBytes(std::string_view(FDescription).substr(0, Length));
  }
  if (FIdent != 0) Stream.WriteInt32(FIdent);
  if (FBitmap.Empty()) return;
  // The compressed form keeps reduced bitmaps to two colours, whatever the pixel format.
  const std::string Bytes =
      FPixelFormat == TLMDSavePixelFormat::spfDefault ? EncodeBitmapFile(FBitmap)
      : FCompressed                                   ? LMDEncodeReducedBitmap(FBitmap, 2)
                    : LMDEncodeReducedBitmap(FBitmap, ColorCountOf(FPixelFormat));
  if (FCompressed) {
    LMDWriteCompressed(Stream, Bytes);
  } else {
    Stream.WriteInt32(static_cast<std::int32_t>(Bytes.size()));
    Stream.WriteBytes(Bytes);
  }
}

void TLMDBitmapListItem::ReadData(TLMDStoreReader& Stream) {
  const std::uint8_t Flags = Stream.ReadByte();
  std::string Description;
  if (Flags & flDescription) Description = Stream.ReadBytes(Stream.ReadByte());
  std::uint16_t Ident = 0;
  if (Flags & flIdent) Ident = static_cast<std::uint16_t>(Stream.ReadInt32() & 0xFFFF);
  TBitmap Bitmap;
  if (Flags & flBitmap) {
    std::string Unpacked;
    std::string_view Bytes;
    if (Flags & flCompressed) {
      Unpacked = LMDReadCompressed(Stream, MaxBitmapBytes);
      Bytes = Unpacked;
    } else {
      const std::int32_t Length = Stream.ReadInt32();
      if (Length < 0 || static_cast<std::size_t>(Length) > MaxBitmapBytes)
        throw ELMDStoreError("Stored bitmap length is out of range");
      Bytes = Stream.ReadBytes(static_cast<std::size_t>(Length));
    }
    DecodeBitmapFile(Bytes, Bitmap);
  }
  FCompressed = (Flags & flCompressed) != 0;
  FPixelFormat = PixelFormatOfFlags(Flags);
  FDescription = std::move(Description);
  FIdent = Ident;
  if (Flags & flBitmap)
    FBitmap.Assign(std::move(Bitmap));
  else
    FreeData();
}
