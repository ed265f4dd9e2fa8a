#include "platform/registry_value_win.h"

bool HasRegistryValue(const RegistryKey& key, const std::string& name) {
  return key.IsOpen() && RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
