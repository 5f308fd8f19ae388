// Read-only access to the system registry, as far as the menu needs it: open a key, read a value.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum TRegRoot : std::uint32_t {
  HKEY_CURRENT_USER = 0x80000001u,
  HKEY_LOCAL_MACHINE = 0x80000002u,
};

enum class TRegDataType { rdString, rdExpandString, rdOther };

struct TRegData {
  TRegDataType DataType = TRegDataType::rdOther;
  // For the string types: the text up to its first NUL. A registry that stands in for another
  // system's gives paths in the form this system opens them.
  std::string Data;
};

// One key opened for reading; closed when destroyed.
class TRegistryKey {
 public:
  virtual ~TRegistryKey() = default;
  // The named value of the key, or nothing when the key has no such value. An empty name
  // asks for the key's default value.
  virtual std::optional<TRegData> QueryValue(const std::string& Name) const = 0;
};

class TRegistryService {
 public:
  virtual ~TRegistryService() = default;
  // Opens KeyPath below Root for reading only, never creating anything; an empty path opens
  // the root itself. Nothing when the key does not exist or cannot be read.
  virtual std::unique_ptr<TRegistryKey> OpenKeyReadOnly(TRegRoot Root,
                                                        const std::string& KeyPath) = 0;
};
