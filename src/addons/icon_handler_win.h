#pragma once
#include <string>

// Registers the self-registering library at `path`: loads it, calls its
// DllRegisterServer and unloads it. 1 when the export was found and called
// (its own result is not looked at), 0 when the library cannot be loaded or
// lacks the export.
int RegisterIconHandler(const std::string& path);
