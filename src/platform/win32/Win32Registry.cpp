// The registry on Windows: the system's own, opened for reading only.
// Our root names are the system's macros too: ours must be read before the system's header.
#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>

namespace {

// Values past this size are no paths a menu could mean; they are not read, as if missing.
constexpr DWORD MaxValueBytes = 1u << 20;

HKEY RootKey(TRegRoot Root) {
  // The predefined keys are these very numbers, sign-extended as the system declares them.
  return reinterpret_cast<HKEY>(
      static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(Root))));
}

class TWin32RegistryKey : public TRegistryKey {
 public:
  explicit TWin32RegistryKey(HKEY Key) : FKey(Key) {}
  ~TWin32RegistryKey() override { RegCloseKey(FKey); }
  TWin32RegistryKey(const TWin32RegistryKey&) = delete;
  TWin32RegistryKey& operator=(const TWin32RegistryKey&) = delete;

  std::optional<TRegData> QueryValue(const std::string& Name) const override {
    DWORD Type = 0;
    DWORD Size = 0;
    if (RegQueryValueExA(FKey, Name.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
      return std::nullopt;
    TRegData Result;
    if (Type != REG_SZ && Type != REG_EXPAND_SZ) return Result;
    Result.DataType = Type == REG_SZ ? TRegDataType::rdString : TRegDataType::rdExpandString;
    // The value may grow between the calls; a buffer that came out too small is not filled,
    // so the read is repeated with the size the system gave.
    for (int Attempt = 0; Attempt < 3 && Size <= MaxValueBytes; ++Attempt) {
      std::string Bytes(Size, '\0');
      DWORD Got = Size;
      const LONG Status = RegQueryValueExA(FKey, Name.c_str(), nullptr, &Type,
                                           reinterpret_cast<BYTE*>(Bytes.data()), &Got);
      if (Status == ERROR_MORE_DATA) {
        Size = Got;
        continue;
      }
      if (Status != ERROR_SUCCESS || (Type != REG_SZ && Type != REG_EXPAND_SZ)) return std::nullopt;
      Bytes.resize(std::min<std::size_t>(Got, Bytes.size()));
      Result.Data = Bytes.substr(0, Bytes.find('\0'));
      return Result;
    }
    return std::nullopt;
  }

 private:
  HKEY FKey;
};

}  // namespace

std::unique_ptr<TRegistryKey> TWin32Registry::OpenKeyReadOnly(TRegRoot Root,
                                                              const std::string& KeyPath) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(RootKey(Root), KeyPath.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<TWin32RegistryKey>(Key);
}
