#pragma once
// The catalogue's registry reader over the real registry.
#include "catalog/registry_reader.h"

class WindowsRegistryReader : public RegistryReader {
 public:
  std::unique_ptr<RegistryValues> OpenMachineThenUser(const std::string& keyPath) const override;
};
