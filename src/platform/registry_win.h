#pragma once
// Thin RAII wrapper over an open registry key.
#include <windows.h>

#include <string>

class RegistryKey {
 public:
  RegistryKey(HKEY root, const std::string& path, REGSAM access);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }
  // Reads a value into a buffer of `capacity` bytes, as RegQueryValueExA
  // does, and keeps the text up to its first NUL. False when the value is
  // missing or does not fit.
  bool ReadString(const std::string& name, std::string& out, DWORD capacity) const;

 private:
  HKEY key_ = nullptr;
};
