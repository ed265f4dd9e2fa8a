#pragma once
// Profile-string access to INI files through the Windows profile functions.
#include <string>

// GetPrivateProfileStringA of the key, however long its value; empty when
// the key or file is missing.
std::string ReadProfileText(const std::string& file, const std::string& section, const std::string& key);

// WritePrivateProfileStringA of the key; true when Windows reports success.
bool WriteProfileText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value);

