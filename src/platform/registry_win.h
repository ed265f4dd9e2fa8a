#pragma once
// Thin RAII wrapper over an open registry key.
#include <windows.h>

#include <string>

class RegistryKey {
 public:
  enum Disposition { kOpenExisting, kCreateIfMissing };

  // Opens the key, or with kCreateIfMissing creates it (non-volatile) when
  // absent. Error() tells why a key is not open.
  RegistryKey(HKEY root, const std::string& path, REGSAM access, Disposition how = kOpenExisting);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }
  LONG Error() const { return error_; }
  // Reads a value into a buffer of `capacity` bytes, as RegQueryValueExA
  // does, and keeps the text up to its first NUL. False when the value is
  // missing or does not fit.
  bool ReadString(const std::string& name, std::string& out, DWORD capacity) const;
  // The same for a value that must be of type REG_SZ.
  bool ReadStringValue(const std::string& name, std::string& out, DWORD capacity) const;

  // Writes a REG_SZ value, terminating NUL included; the system error code.
  LONG WriteString(const std::string& name, const std::string& text) const;
  LONG WriteDword(const std::string& name, DWORD value) const;
  LONG DeleteValue(const std::string& name) const;

 private:
  bool Read(const std::string& name, std::string& out, DWORD capacity, DWORD* type) const;

  HKEY key_ = nullptr;
  LONG error_ = ERROR_SUCCESS;
};
