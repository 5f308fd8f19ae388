// Little-endian numbers in file images, as bitmap, icon, registry and stored-item data hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Readers: callers have checked that the bytes from Pos on lie inside Bytes.
inline std::uint16_t ReadWord(std::string_view Bytes, std::size_t Pos) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(Bytes[Pos]) |
                                    static_cast<unsigned char>(Bytes[Pos + 1]) << 8);
}

inline std::uint32_t ReadDword(std::string_view Bytes, std::size_t Pos) {
  return ReadWord(Bytes, Pos) | static_cast<std::uint32_t>(ReadWord(Bytes, Pos + 2)) << 16;
}

// Writers into bytes already sized to hold the number.
inline void PutWord(std::string& Bytes, std::size_t Pos, std::uint32_t Value) {
  Bytes[Pos] = static_cast<char>(Value & 0xFF);
  Bytes[Pos + 1] = static_cast<char>((Value >> 8) & 0xFF);
}

inline void PutDword(std::string& Bytes, std::size_t Pos, std::uint32_t Value) {
  PutWord(Bytes, Pos, Value & 0xFFFF);
  PutWord(Bytes, Pos + 2, Value >> 16);
}
