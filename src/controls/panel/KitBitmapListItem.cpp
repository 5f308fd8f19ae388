// TKitBitmapListItem: the bitmap, its assignment and its stored form.
#include "controls/panel/KitBitmapListItem.h"

#include <algorithm>
#include <string>
#include <utility>

#include "controls/panel/KitCompressedContainer.h"
#include "controls/panel/KitReducedBitmap.h"
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

std::uint8_t PixelFormatFlag(TKitSavePixelFormat Format) {
  switch (Format) {
    case TKitSavePixelFormat::spfMono:
      return flMono;
    case TKitSavePixelFormat::spf4bit:
      return fl4bit;
    case TKitSavePixelFormat::spf8bit:
      return fl8bit;
    default:
      return 0;
  }
}

TKitSavePixelFormat PixelFormatOfFlags(std::uint8_t Flags) {
  if (Flags & flMono) return TKitSavePixelFormat::spfMono;
  if (Flags & fl4bit) return TKitSavePixelFormat::spf4bit;
  if (Flags & fl8bit) return TKitSavePixelFormat::spf8bit;
  return TKitSavePixelFormat::spfDefault;
}

int ColorCountOf(TKitSavePixelFormat Format) {
  switch (Format) {
    case TKitSavePixelFormat::spfMono:
      return 2;
    case TKitSavePixelFormat::spf4bit:
      return 16;
    default:
      return 256;
  }
}

}  // namespace

void TKitBitmapListItem::SetBitmap(const TBitmap& Value) {
  FBitmap.Assign(Value);
  Change();
}

void TKitBitmapListItem::SetPixelFormat(TKitSavePixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  Change();
}

void TKitBitmapListItem::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TKitBitmapListItem*>(&Source);
  if (!Other) {
    TKitListItem::Assign(Source);
    return;
  }
  FCompressed = Other->FCompressed;
  FDescription = Other->FDescription;
  FIdent = Other->FIdent;
  FPixelFormat = Other->FPixelFormat;
  FBitmap.Assign(Other->FBitmap);
}

void TKitBitmapListItem::FreeData() {
  FBitmap.SetSize(0, 0);
}

std::uint8_t TKitBitmapListItem::WriteFlag() const {
  std::uint8_t Flags = PixelFormatFlag(FPixelFormat);
  if (FCompressed) Flags |= flCompressed;
  if (!FDescription.empty()) Flags |= flDescription;
  if (FIdent != 0) Flags |= flIdent;
  if (!FBitmap.Empty()) Flags |= flBitmap;
  return Flags;
}

void TKitBitmapListItem::WriteData(TKitStoreWriter& Stream) const {
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
      FPixelFormat == TKitSavePixelFormat::spfDefault ? EncodeBitmapFile(FBitmap)
      : FCompressed                                   ? KitEncodeReducedBitmap(FBitmap, 2)
                    : KitEncodeReducedBitmap(FBitmap, ColorCountOf(FPixelFormat));
  if (FCompressed) {
    KitWriteCompressed(Stream, Bytes);
  } else {
    Stream.WriteInt32(static_cast<std::int32_t>(Bytes.size()));
    Stream.WriteBytes(Bytes);
  }
}

void TKitBitmapListItem::ReadData(TKitStoreReader& Stream) {
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
      Unpacked = KitReadCompressed(Stream, MaxBitmapBytes);
      Bytes = Unpacked;
    } else {
      const std::int32_t Length = Stream.ReadInt32();
      if (Length < 0 || static_cast<std::size_t>(Length) > MaxBitmapBytes)
        throw EKitStoreError("Stored bitmap length is out of range");
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
