// Walking a JPEG file's markers up to its first scan, without decoding anything.
#include "platform/JpegHeader.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr unsigned char MarkerStart = 0xFF;
constexpr unsigned char StartOfImage = 0xD8;
constexpr unsigned char EndOfImage = 0xD9;
constexpr unsigned char StartOfScan = 0xDA;
constexpr unsigned char App1 = 0xE1;
constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t ShortType = 3;
constexpr std::string_view ExifId("Exif\0\0", 6);

unsigned char At(std::string_view Bytes, std::size_t Pos) {
  return static_cast<unsigned char>(Bytes[Pos]);
}

std::uint16_t BigEndian16(std::string_view Bytes, std::size_t Pos) {
  return static_cast<std::uint16_t>(At(Bytes, Pos) << 8 | At(Bytes, Pos + 1));
}

// The frame headers: every start-of-frame marker, which excludes the Huffman (C4), arithmetic
// conditioning (CC) and reserved (C8) markers among them.
bool IsFrameHeader(unsigned char Marker) {
  return Marker >= 0xC0 && Marker <= 0xCF && Marker != 0xC4 && Marker != 0xC8 && Marker != 0xCC;
}

// Markers that stand alone, without a length: the restart markers and TEM.
bool StandsAlone(unsigned char Marker) {
  return (Marker >= 0xD0 && Marker <= 0xD7) || Marker == 0x01;
}

// Numbers in the EXIF data in the byte order its TIFF header names.
class TTiffReader {
 public:
  TTiffReader(std::string_view Tiff, bool BigEndian) : FTiff(Tiff), FBigEndian(BigEndian) {}
  bool Has(std::size_t Pos, std::size_t Size) const {
    return Pos <= FTiff.size() && Size <= FTiff.size() - Pos;
  }
  std::uint16_t Word(std::size_t Pos) const {
    return FBigEndian ? BigEndian16(FTiff, Pos)
                      : static_cast<std::uint16_t>(At(FTiff, Pos) | At(FTiff, Pos + 1) << 8);
  }
  std::uint32_t Dword(std::size_t Pos) const {
    return FBigEndian ? std::uint32_t{Word(Pos)} << 16 | Word(Pos + 2)
                      : Word(Pos) | std::uint32_t{Word(Pos + 2)} << 16;
  }

 private:
  std::string_view FTiff;
  bool FBigEndian;
};

// The orientation tag of the first image directory, which describes the main picture.
int ExifOrientation(std::string_view Segment) {
  if (!Segment.starts_with(ExifId)) return 1;
  const std::string_view Tiff = Segment.substr(ExifId.size());
  if (Tiff.size() < 8 || (Tiff.substr(0, 2) != "II" && Tiff.substr(0, 2) != "MM")) return 1;
  const TTiffReader Reader(Tiff, Tiff[0] == 'M');
  if (Reader.Word(2) != 42) return 1;
  const std::size_t Directory = Reader.Dword(4);
  if (!Reader.Has(Directory, 2)) return 1;
  const std::size_t Count = Reader.Word(Directory);
  for (std::size_t I = 0; I < Count; ++I) {
    const std::size_t Entry = Directory + 2 + 12 * I;
    if (!Reader.Has(Entry, 12)) return 1;
    if (Reader.Word(Entry) != OrientationTag) continue;
    if (Reader.Word(Entry + 2) != ShortType || Reader.Dword(Entry + 4) != 1) return 1;
    const int Value = Reader.Word(Entry + 8);
    return Value >= 1 && Value <= 8 ? Value : 1;
  }
  return 1;
}

}  // namespace

bool ReadJpegHeader(std::string_view Bytes, TJpegHeader& Header) {
  if (Bytes.size() < 4 || At(Bytes, 0) != MarkerStart || At(Bytes, 1) != StartOfImage) return false;
  TJpegHeader Read;
  bool HasFrame = false;
  bool HasExif = false;
  std::size_t Pos = 2;
  while (Pos < Bytes.size()) {
    // Stray bytes before a marker are passed over, as libjpeg does, and any number of fill
    // bytes may come before it.
    while (Pos < Bytes.size() && At(Bytes, Pos) != MarkerStart) ++Pos;
    while (Pos < Bytes.size() && At(Bytes, Pos) == MarkerStart) ++Pos;
    if (Pos >= Bytes.size()) return false;
    const unsigned char Marker = At(Bytes, Pos++);
    if (StandsAlone(Marker)) continue;
    if (Marker == StartOfScan || Marker == EndOfImage) break;
    if (Bytes.size() - Pos < 2) return false;
    const std::size_t Length = BigEndian16(Bytes, Pos);
    if (Length < 2 || Length > Bytes.size() - Pos) return false;
    const std::string_view Segment = Bytes.substr(Pos + 2, Length - 2);
    if (IsFrameHeader(Marker) && !HasFrame) {
      if (Segment.size() < 6) return false;
      Read.Height = BigEndian16(Segment, 1);
      Read.Width = BigEndian16(Segment, 3);
      HasFrame = true;
    } else if (Marker == App1 && !HasExif && Segment.starts_with(ExifId)) {
      Read.Orientation = ExifOrientation(Segment);
      HasExif = true;
    }
    Pos += Length;
  }
  if (!HasFrame) return false;
  Header = Read;
  return true;
}
