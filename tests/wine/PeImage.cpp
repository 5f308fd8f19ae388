// A reader of the PE headers, the import directory and the resource tree, bounds-checked, as
// the Windows loader reads them.
#include "wine/PeImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

struct TSection {
  std::uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

class TReader {
 public:
  explicit TReader(const std::string& Bytes) : FBytes(Bytes) {}

  bool Has(std::uint64_t Offset, std::uint64_t Size) const {
    return Offset <= FBytes.size() && Size <= FBytes.size() - Offset;
  }
  std::uint32_t Read(std::uint64_t Offset, int Size) const {
    if (!Has(Offset, static_cast<std::uint64_t>(Size))) {
      FBad = true;
      return 0;
    }
    std::uint32_t Value = 0;
    for (int I = Size - 1; I >= 0; --I)
      Value = Value << 8 | static_cast<unsigned char>(FBytes[Offset + static_cast<unsigned>(I)]);
    return Value;
  }
  std::uint16_t U16(std::uint64_t Offset) const {
    return static_cast<std::uint16_t>(Read(Offset, 2));
  }
  std::uint32_t U32(std::uint64_t Offset) const { return Read(Offset, 4); }
  std::string Zstring(std::uint64_t Offset) const {
    std::string Text;
    while (Has(Offset, 1) && FBytes[Offset] != '\0') Text += FBytes[Offset++];
    return Text;
  }
  bool Bad() const { return FBad; }

 private:
  const std::string& FBytes;
  mutable bool FBad = false;
};

std::optional<std::uint64_t> FileOffset(const std::vector<TSection>& Sections, std::uint32_t Rva) {
  for (const TSection& S : Sections)
    if (Rva >= S.VirtualAddress && Rva - S.VirtualAddress < std::max(S.VirtualSize, S.RawSize))
      return std::uint64_t{S.RawOffset} + (Rva - S.VirtualAddress);
  return std::nullopt;
}

std::string Lower(std::string Text) {
  for (char& C : Text)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Text;
}

struct TLayout {
  std::vector<TSection> Sections;
  std::uint32_t ImportRva = 0, ResourceRva = 0;
  bool Wide = false;
};

std::optional<TLayout> ReadHeaders(const TReader& R, TPeImage& Image) {
  if (R.U16(0) != 0x5A4D) return std::nullopt;
  const std::uint32_t Pe = R.U32(0x3C);
  if (R.U32(Pe) != 0x00004550) return std::nullopt;
  const std::uint16_t SectionCount = R.U16(Pe + 6);
  const std::uint16_t OptionalSize = R.U16(Pe + 20);
  const std::uint64_t Optional = Pe + 24;
  TLayout Layout;
  const std::uint16_t Magic = R.U16(Optional);
  if (Magic != 0x10B && Magic != 0x20B) return std::nullopt;
  Layout.Wide = Magic == 0x20B;
  Image.MajorOperatingSystemVersion = R.U16(Optional + 40);
  Image.MinorOperatingSystemVersion = R.U16(Optional + 42);
  Image.MajorSubsystemVersion = R.U16(Optional + 48);
  Image.MinorSubsystemVersion = R.U16(Optional + 50);
  Image.Subsystem = R.U16(Optional + 68);
  const std::uint64_t Directories = Optional + (Layout.Wide ? 112 : 96);
  const std::uint32_t DirectoryCount = R.U32(Directories - 4);
  if (DirectoryCount > 1) Layout.ImportRva = R.U32(Directories + 8);
  if (DirectoryCount > 2) Layout.ResourceRva = R.U32(Directories + 16);
  const std::uint64_t Table = Optional + OptionalSize;
  for (std::uint16_t I = 0; I < SectionCount; ++I) {
    const std::uint64_t Entry = Table + I * 40u;
    Layout.Sections.push_back(
        {R.U32(Entry + 12), R.U32(Entry + 8), R.U32(Entry + 20), R.U32(Entry + 16)});
  }
  if (R.Bad()) return std::nullopt;
  return Layout;
}

bool ReadImports(const TReader& R, const TLayout& Layout, TPeImage& Image) {
  if (Layout.ImportRva == 0) return true;
  std::optional<std::uint64_t> Descriptor = FileOffset(Layout.Sections, Layout.ImportRva);
  if (!Descriptor) return false;
  for (;; *Descriptor += 20) {
    const std::uint32_t Lookup = R.U32(*Descriptor), Name = R.U32(*Descriptor + 12);
    const std::uint32_t Bound = R.U32(*Descriptor + 16);
    if (R.Bad()) return false;
    if (Name == 0) return true;
    const std::optional<std::uint64_t> DllName = FileOffset(Layout.Sections, Name);
    std::optional<std::uint64_t> Thunk = FileOffset(Layout.Sections, Lookup ? Lookup : Bound);
    if (!DllName || !Thunk) return false;
    const std::string Dll = Lower(R.Zstring(*DllName));
    const int Step = Layout.Wide ? 8 : 4;
    for (;; *Thunk += static_cast<unsigned>(Step)) {
      const std::uint64_t Value =
          Layout.Wide ? (std::uint64_t{R.U32(*Thunk + 4)} << 32 | R.U32(*Thunk)) : R.U32(*Thunk);
      if (R.Bad()) return false;
      if (Value == 0) break;
      const std::uint64_t OrdinalFlag = Layout.Wide ? 1ull << 63 : 1ull << 31;
      if (Value & OrdinalFlag) {
        Image.Imports.insert(Dll + "!#" + std::to_string(Value & 0xFFFF));
        continue;
      }
      const std::optional<std::uint64_t> Hint =
          FileOffset(Layout.Sections, static_cast<std::uint32_t>(Value));
      if (!Hint) return false;
      Image.Imports.insert(Dll + "!" + R.Zstring(*Hint + 2));
    }
  }
}

}  // namespace

std::optional<TPeImage> ReadPeImage(const std::string& FileName) {
  std::ifstream File(FileName, std::ios::binary);
  if (!File) return std::nullopt;
  TPeImage Image;
  Image.Bytes.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
  TReader R(Image.Bytes);
  const std::optional<TLayout> Layout = ReadHeaders(R, Image);
  if (!Layout || !ReadImports(R, *Layout, Image)) return std::nullopt;
  return Image;
}

std::optional<std::string> PeResource(const TPeImage& Image, std::uint32_t Type, std::uint32_t Id) {
  TReader R(Image.Bytes);
  TPeImage Scratch;
  const std::optional<TLayout> Layout = ReadHeaders(R, Scratch);
  if (!Layout || Layout->ResourceRva == 0) return std::nullopt;
  const std::optional<std::uint64_t> Root = FileOffset(Layout->Sections, Layout->ResourceRva);
  if (!Root) return std::nullopt;
  // The entry for Key (0: the first) in the directory at Offset within the resource section:
  // its offset, which has the high bit set when it is a further directory.
  auto Find = [&](std::uint32_t Offset,
                  std::optional<std::uint32_t> Key) -> std::optional<std::uint32_t> {
    const std::uint64_t Directory = *Root + Offset;
    const unsigned Count = R.U16(Directory + 12) + R.U16(Directory + 14);
    for (unsigned I = 0; I < Count; ++I) {
      const std::uint64_t Entry = Directory + 16 + I * 8u;
      if (!Key || R.U32(Entry) == *Key) return R.U32(Entry + 4);
    }
    return std::nullopt;
  };
  constexpr std::uint32_t Subdirectory = 0x80000000u;
  const std::optional<std::uint32_t> Types = Find(0, Type);
  if (!Types || !(*Types & Subdirectory)) return std::nullopt;
  const std::optional<std::uint32_t> Names = Find(*Types & ~Subdirectory, Id);
  if (!Names || !(*Names & Subdirectory)) return std::nullopt;
  const std::optional<std::uint32_t> Language = Find(*Names & ~Subdirectory, std::nullopt);
  if (!Language || (*Language & Subdirectory)) return std::nullopt;
  const std::uint64_t Data = *Root + *Language;
  const std::optional<std::uint64_t> At = FileOffset(Layout->Sections, R.U32(Data));
  const std::uint32_t Size = R.U32(Data + 4);
  if (R.Bad() || !At || !R.Has(*At, Size)) return std::nullopt;
  return Image.Bytes.substr(*At, Size);
}
