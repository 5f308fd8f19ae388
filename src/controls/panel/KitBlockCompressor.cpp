// The block compressor: a 4096-entry hash of three-byte prefixes finds one candidate per
// position; runs of 16 or more equal bytes get an item of their own.
#include "controls/panel/KitBlockCompressor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char CompressedFlag = 64;
constexpr unsigned char StoredFlag = 128;
constexpr std::size_t HashSize = 4096;
constexpr std::uint16_t EmptyEntry = 0xFFFF;
constexpr std::size_t MaxDistance = 4095;
constexpr std::size_t MinMatch = 3;
constexpr std::size_t MaxMatch = 18;
constexpr std::size_t MinRun = 16;
constexpr std::size_t MaxRun = 4095;
constexpr int ItemsPerControl = 16;
// The encoder checks its length only between items: a new control word and a four-byte item
// may follow the last check.
constexpr std::size_t Overshoot = 2 + 4;

std::size_t HashOf(const unsigned char* Bytes) {
  const std::uint32_t Mixed = ((((std::uint32_t{Bytes[0]} << 4) ^ Bytes[1]) << 4) ^ Bytes[2]);
  return ((Mixed * 40543u) >> 4) & (HashSize - 1);
}

void PutControl(unsigned char* Dest, std::size_t Pos, std::uint32_t Control) {
  Dest[Pos] = static_cast<unsigned char>((Control >> 8) & 0xFF);
  Dest[Pos + 1] = static_cast<unsigned char>(Control & 0xFF);
}

}  // namespace

std::size_t KitCompressBlock(std::string_view Block, std::string& Out) {
  const std::size_t Size = Block.size();
  const std::size_t Start = Out.size();
  Out.resize(Start + Size + 1 + Overshoot);
  const auto* In = reinterpret_cast<const unsigned char*>(Block.data());
  auto* Dest = reinterpret_cast<unsigned char*>(Out.data() + Start);

  std::array<std::uint16_t, HashSize> Table;
  Table.fill(EmptyEntry);
  Dest[0] = CompressedFlag;
  std::size_t Length = 3;
  std::size_t ControlPos = 1;
  std::uint32_t Control = 0;
  int Items = 0;
  std::size_t P = 0;
  while (P < Size && Length <= Size) {
    if (Items == ItemsPerControl) {
      PutControl(Dest, ControlPos, Control);
      ControlPos = Length;
      Length += 2;
      Control = 0;
      Items = 0;
    }
    const unsigned char Byte = In[P];
    const std::size_t RunLimit = std::min(Size - P, MaxRun);
    std::size_t Run = 1;
    while (Run < RunLimit && In[P + Run] == Byte) ++Run;
    if (Run >= MinRun) {
      const std::size_t Count = Run - MinRun;
      Dest[Length] = 0;
      Dest[Length + 1] = static_cast<unsigned char>(Count >> 8);
      Dest[Length + 2] = static_cast<unsigned char>(Count & 0xFF);
      Dest[Length + 3] = Byte;
      Length += 4;
      Control = (Control << 1) | 1;
      P += Run;
    } else {
      // Fewer than three bytes left can never make a match, whatever their hash would find.
      std::size_t Match = 0;
      std::size_t Distance = 0;
      if (Size - P >= MinMatch) {
        const std::size_t Hash = HashOf(In + P);
        const std::uint16_t Candidate = Table[Hash];
        Table[Hash] = static_cast<std::uint16_t>(P);
        if (Candidate != EmptyEntry && P - Candidate <= MaxDistance) {
          Distance = P - Candidate;
          const std::size_t Limit = std::min(Size - P, MaxMatch);
          while (Match < Limit && In[Candidate + Match] == In[P + Match]) ++Match;
        }
      }
      if (Match >= MinMatch) {
        const std::size_t Word = (Distance << 4) | (Match - MinMatch);
        Dest[Length] = static_cast<unsigned char>(Word >> 8);
        Dest[Length + 1] = static_cast<unsigned char>(Word & 0xFF);
        Length += 2;
        Control = (Control << 1) | 1;
        P += Match;
      } else {
        Dest[Length++] = Byte;
        Control <<= 1;
        ++P;
      }
    }
    ++Items;
  }
  PutControl(Dest, ControlPos, Control << (ItemsPerControl - Items));
  if (Length > Size) {
    Dest[0] = StoredFlag;
    if (Size > 0) std::memcpy(Dest + 1, In, Size);
    Length = Size + 1;
  }
  Out.resize(Start + Length);
  return Length;
}

bool KitDecompressBlock(std::string_view Block, std::string& Out) {
  const std::size_t Size = Block.size();
  if (Size == 0) return false;
  const auto* In = reinterpret_cast<const unsigned char*>(Block.data());
  if (In[0] == StoredFlag) {
    if (Size - 1 > KitBlockSize) return false;
    Out.append(Block.substr(1));
    return true;
  }
  if (In[0] != CompressedFlag) return false;

  std::array<unsigned char, KitBlockSize> Buffer;
  std::size_t Length = 0;
  std::size_t Pos = 1;
  std::uint32_t Control = 0;
  int Left = 0;
  while (Pos < Size) {
    if (Left == 0) {
      if (Size - Pos < 2) return false;
      Control = (std::uint32_t{In[Pos]} << 8) | In[Pos + 1];
      Pos += 2;
      Left = ItemsPerControl;
      continue;
    }
    const bool Coded = (Control & 0x8000) != 0;
    Control <<= 1;
    --Left;
    if (!Coded) {
      if (Length == KitBlockSize) return false;
      Buffer[Length++] = In[Pos++];
      continue;
    }
    if (Size - Pos < 2) return false;
    const unsigned B0 = In[Pos];
    const unsigned B1 = In[Pos + 1];
    if (B0 != 0 || (B1 >> 4) != 0) {
      const std::size_t Distance = B0 * 16 + (B1 >> 4);
      const std::size_t Count = (B1 & 15) + MinMatch;
      if (Distance > Length || Count > KitBlockSize - Length) return false;
      // One byte at a time: a copy that overlaps its own output repeats bytes.
      for (std::size_t I = 0; I < Count; ++I, ++Length) Buffer[Length] = Buffer[Length - Distance];
      Pos += 2;
    } else {
      if (Size - Pos < 4) return false;
      const std::size_t Count = ((std::size_t{B1} << 8) | In[Pos + 2]) + MinRun;
      if (Count > KitBlockSize - Length) return false;
      std::memset(Buffer.data() + Length, In[Pos + 3], Count);
      Length += Count;
      Pos += 4;
    }
  }
  Out.append(reinterpret_cast<const char*>(Buffer.data()), Length);
  return true;
}
