// What the tests read out of a Windows executable file without Windows: the versions in its
// headers, the functions it imports and its resources.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

struct TPeImage {
  std::uint16_t MajorOperatingSystemVersion = 0, MinorOperatingSystemVersion = 0;
  std::uint16_t MajorSubsystemVersion = 0, MinorSubsystemVersion = 0;
  std::uint16_t Subsystem = 0;
  // "DLL!Function" in lower case for the library, "DLL!#N" for an import by ordinal.
  std::set<std::string> Imports;
  std::string Bytes;
};

// Nothing when the file cannot be read or is no PE32 or PE32+ image.
std::optional<TPeImage> ReadPeImage(const std::string& FileName);

// The data of resource Type/Id (any language), or nothing.
std::optional<std::string> PeResource(const TPeImage& Image, std::uint32_t Type, std::uint32_t Id);
