// Registry path references: an entry target written as "$REG$" + root + key path + "$KEY$" +
// value name + "$DEF$" + default path, looked up once while the menu loads.
#pragma once

#include <string>

#include "platform/Registry.h"

struct TRegistryReference {
  std::string RootName;
  std::string KeyPath;
  std::string ValueName;
  std::string Default;
};

// True when the text contains "$REG$" anywhere.
bool IsRegistryReference(const std::string& ExePath);

// The parts, cut at fixed positions counted from the text's first character whether or not the
// marker stands there.
TRegistryReference ParseRegistryReference(const std::string& ExePath);

// "HKLM" is the local machine; "HKCR" and every other name the current user.
TRegRoot RegistryRoot(const std::string& RootName);

// The path the reference stands for: the registry value when it names an existing file that is
// not a folder, else the default. Never raises.
std::string ResolveRegistryReference(const std::string& ExePath, TRegistryService& Registry);
