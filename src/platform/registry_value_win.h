#pragma once
// Whether a registry value exists, whatever its type and data.
#include "platform/registry_win.h"

// True when the open key holds a value `name`.
bool HasRegistryValue(const RegistryKey& key, const std::string& name);
