// Fuzzed bytes with the checksum of every PNG chunk made right, so that damage inside a chunk
// reaches the PNG decoder instead of stopping at its checksum test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline std::uint32_t PngCrc32(std::string_view Bytes) {
  std::uint32_t Crc = 0xFFFFFFFFu;
  for (char Byte : Bytes) {
    Crc ^= static_cast<unsigned char>(Byte);
    for (int Bit = 0; Bit < 8; ++Bit) Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1)));
  }
  return ~Crc;
}

inline std::uint32_t PngLengthAt(std::string_view Bytes, std::size_t Pos) {
  std::uint32_t Value = 0;
  for (std::size_t I = 0; I < 4; ++I)
    Value = (Value << 8) | static_cast<unsigned char>(Bytes[Pos + I]);
  return Value;
}

// Bytes with the chunks that follow each PNG signature in them given their right checksums, as
// far as whole chunks go; the rest of the bytes as they are.
inline std::string WithPngChecksumsRight(std::string_view Bytes) {
  constexpr std::string_view Signature("\x89PNG\r\n\x1a\n", 8);
  std::string Fixed(Bytes);
  for (std::size_t Start = Bytes.find(Signature); Start != std::string_view::npos;
       Start = Bytes.find(Signature, Start + 1)) {
    std::size_t Pos = Start + Signature.size();
    // Length, type, data and checksum, the length counting the data only.
    while (Bytes.size() - Pos >= 12) {
      const std::uint32_t Length = PngLengthAt(Bytes, Pos);
      if (Length > Bytes.size() - Pos - 12) break;
      const std::uint32_t Crc = PngCrc32(Bytes.substr(Pos + 4, 4 + Length));
      const std::size_t CrcAt = Pos + 8 + Length;
      for (std::size_t I = 0; I < 4; ++I)
        Fixed[CrcAt + I] = static_cast<char>((Crc >> (24 - 8 * I)) & 0xFF);
      Pos = CrcAt + 4;
    }
  }
  return Fixed;
}
