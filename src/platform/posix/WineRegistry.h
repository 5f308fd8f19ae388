// The registry on POSIX systems: the text hives of a Wine prefix, read only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/RegistryHive.h"

// Answers HKEY_LOCAL_MACHINE from the prefix's system.reg and HKEY_CURRENT_USER from its
// user.reg, each read on first use and kept. String values that hold Windows paths are given
// as the Linux paths they name through the prefix's dosdevices folder, so that callers can
// test and open them like any other file name.
class TWineRegistry : public TRegistryService {
 public:
  // Prefix is the prefix folder; with an empty one every open fails.
  explicit TWineRegistry(std::string Prefix);

  // The registry of the prefix the environment names: $WINEPREFIX, else $HOME/.wine.
  static std::unique_ptr<TWineRegistry> FromEnvironment();

  std::unique_ptr<TRegistryKey> OpenKeyReadOnly(TRegRoot Root, const std::string& KeyPath) override;

 private:
  const TRegistryHive& Hive(std::optional<TRegistryHive>& Slot, const char* FileName);

  std::string FPrefix;
  std::optional<TRegistryHive> FMachine;
  std::optional<TRegistryHive> FUser;
};
