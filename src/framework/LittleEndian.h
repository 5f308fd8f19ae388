// Writing little-endian numbers into file images, as bitmap files store them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline void PutWord(std::string& Bytes, std::size_t Pos, std::uint32_t Value) {
  Bytes[Pos] = static_cast<char>(Value & 0xFF);
  Bytes[Pos + 1] = static_cast<char>((Value >> 8) & 0xFF);
}

inline void PutDword(std::string& Bytes, std::size_t Pos, std::uint32_t Value) {
  PutWord(Bytes, Pos, Value & 0xFFFF);
  PutWord(Bytes, Pos + 2, Value >> 16);
}
