#include "platform/registry_win.h"

#include <vector>

RegistryKey::RegistryKey(HKEY root, const std::string& path, REGSAM access, Disposition how) {
  if (how == kCreateIfMissing) {
    error_ = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_, nullptr);
  } else {
    error_ = RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
  }
  if (error_ != ERROR_SUCCESS) key_ = nullptr;
}

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

bool RegistryKey::Read(const std::string& name, std::string& out, DWORD capacity, DWORD* type) const {
  if (key_ == nullptr) return false;
  std::vector<char> buffer(capacity + 1, '\0');
  DWORD size = capacity;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  out.assign(buffer.data());
  return true;
}

bool RegistryKey::ReadString(const std::string& name, std::string& out, DWORD capacity) const {
  return Read(name, out, capacity, nullptr);
}

bool RegistryKey::ReadStringValue(const std::string& name, std::string& out, DWORD capacity) const {
  DWORD type = REG_NONE;
  std::string text;
  if (!Read(name, text, capacity, &type) || type != REG_SZ) return false;
  out = text;
  return true;
}

LONG RegistryKey::WriteString(const std::string& name, const std::string& text) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        DWORD(text.size() + 1));
}

LONG RegistryKey::WriteDword(const std::string& name, DWORD value) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG RegistryKey::DeleteValue(const std::string& name) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegDeleteValueA(key_, name.c_str());
}
