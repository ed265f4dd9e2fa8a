#pragma once
// Whether a registry value exists, whatever its type and data.
#include "platform/registry_win.h"

// True when the open key holds a value `name`.
bool HasRegistryValue(const RegistryKey& key, const std::string& name);

// The bytes of a value of any type (a REG_MULTI_SZ with its NULs). False
// when the key is not open or the value is missing or cannot be read.
bool ReadRegistryBytes(const RegistryKey& key, const std::string& name, std::string& bytes);
