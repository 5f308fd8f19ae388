// The registry on Windows: the system's own, opened for reading only.
#pragma once

#include "platform/Registry.h"

class TWin32Registry : public TRegistryService {
 public:
  std::unique_ptr<TRegistryKey> OpenKeyReadOnly(TRegRoot Root, const std::string& KeyPath) override;
};
