#include "platform/registry_value_win.h"

bool HasRegistryValue(const RegistryKey& key, const std::string& name) {
  return key.IsOpen() && RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool ReadRegistryBytes(const RegistryKey& key, const std::string& name, std::string& bytes) {
  DWORD size = 0;
  if (!key.IsOpen() || RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return false;
  bytes.assign(size, '\0');
  if (size > 0 &&
      RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
          ERROR_SUCCESS)
    return false;
  bytes.resize(size);
  return true;
}
