// Little-endian stored data: the writer and the bounded reader.
#include "controls/panel/KitStoreStream.h"

#include "core/LittleEndian.h"

void TKitStoreWriter::WriteByte(std::uint8_t Value) {
  FBytes.push_back(static_cast<char>(Value));
}

void TKitStoreWriter::WriteInt32(std::int32_t Value) {
  FBytes.append(4, '\0');
  PatchInt32(FBytes.size() - 4, Value);
}

void TKitStoreWriter::WriteBytes(std::string_view Bytes) {
  FBytes.append(Bytes);
}

void TKitStoreWriter::PatchInt32(std::size_t Pos, std::int32_t Value) {
  const auto Bits = static_cast<std::uint32_t>(Value);
  for (int I = 0; I < 4; ++I) FBytes[Pos + I] = static_cast<char>((Bits >> (8 * I)) & 0xFF);
}

std::uint8_t TKitStoreReader::ReadByte() {
  return static_cast<std::uint8_t>(ReadBytes(1)[0]);
}

std::int32_t TKitStoreReader::ReadInt32() {
  return static_cast<std::int32_t>(ReadDword(ReadBytes(4), 0));
}

std::string_view TKitStoreReader::ReadBytes(std::size_t Count) {
  if (Count > Remaining()) throw EKitStoreError("Stored data end too early");
  const std::string_view Bytes = FBytes.substr(FPos, Count);
  FPos += Count;
  return Bytes;
}
