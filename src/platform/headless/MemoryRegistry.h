// A registry held in memory, for tests and for running without a system registry.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/Registry.h"

// Keys and values that the code using it stores first. Key paths are "\"-separated and, like
// value names, match without regard to ASCII letter case; a leading "\" is dropped and the
// empty path is the root, which always exists. Storing a key creates the keys above it.
class TMemoryRegistry : public TRegistryService {
 public:
  // Stores a value under the key (the empty name is the default value), replacing one of the
  // same name.
  void SetValue(TRegRoot Root, const std::string& KeyPath, const std::string& Name, TRegData Data);
  // Creates the key without values.
  void AddKey(TRegRoot Root, const std::string& KeyPath);
  // Makes opening the key fail, as for a key the user may not read; its subkeys stay readable.
  void DenyAccess(TRegRoot Root, const std::string& KeyPath);

  std::unique_ptr<TRegistryKey> OpenKeyReadOnly(TRegRoot Root, const std::string& KeyPath) override;

 private:
  struct TKey {
    bool Denied = false;
    // By lower-case name.
    std::map<std::string, TRegData> Values;
  };

  TKey& Key(TRegRoot Root, const std::string& KeyPath);

  // By root and lower-case path.
  std::map<std::pair<TRegRoot, std::string>, TKey> FKeys;
};
