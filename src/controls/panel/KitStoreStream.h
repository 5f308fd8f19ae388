// Little-endian reading and writing of stored component data; reads never pass the input's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Exception.h"

// Stored data that are truncated, inconsistent or larger than allowed.
class EKitStoreError : public Exception {
 public:
  using Exception::Exception;
};

class TKitStoreWriter {
 public:
  void WriteByte(std::uint8_t Value);
  void WriteInt32(std::int32_t Value);
  void WriteBytes(std::string_view Bytes);
  // Overwrites the four bytes at Pos, written before.
  void PatchInt32(std::size_t Pos, std::int32_t Value);
  std::size_t Position() const { return FBytes.size(); }
  const std::string& Bytes() const { return FBytes; }

 private:
  std::string FBytes;
};

class TKitStoreReader {
 public:
  // Bytes must outlive the reader.
  explicit TKitStoreReader(std::string_view Bytes) : FBytes(Bytes) {}

  // Each read raises EKitStoreError when the input ends first, and then consumes nothing.
  std::uint8_t ReadByte();
  std::int32_t ReadInt32();
  // The next Count bytes, as a view into the input.
  std::string_view ReadBytes(std::size_t Count);
  std::size_t Remaining() const { return FBytes.size() - FPos; }

 private:
  std::string_view FBytes;
  std::size_t FPos = 0;
};
