#pragma once
// Read access to the registry as the catalogue needs it, so that the
// catalogue's rules can be exercised without a registry.
#include <cstdint>
#include <memory>
#include <string>

// An open key; closed when the object goes.
class RegistryValues {
 public:
  virtual ~RegistryValues() = default;
  // The value read as a 4-byte number; false when it is missing or larger.
  virtual bool ReadNumber(const std::string& name, uint32_t& value) const = 0;
};

class RegistryReader {
 public:
  virtual ~RegistryReader() = default;
  // Opens the key for reading under HKEY_LOCAL_MACHINE or, only when that
  // fails, under HKEY_CURRENT_USER. Null when neither root has it.
  virtual std::unique_ptr<RegistryValues> OpenMachineThenUser(const std::string& keyPath) const = 0;
};
