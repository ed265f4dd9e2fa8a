#include "platform/registry_win.h"

#include <vector>

RegistryKey::RegistryKey(HKEY root, const std::string& path, REGSAM access) {
  if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

bool RegistryKey::ReadString(const std::string& name, std::string& out, DWORD capacity) const {
  if (key_ == nullptr) return false;
  std::vector<char> buffer(capacity + 1, '\0');
  DWORD size = capacity;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  out.assign(buffer.data());
  return true;
}
