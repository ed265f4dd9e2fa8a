#pragma once
#include <string>

// Reads a string value of a key, trying the current user first and then the
// local machine. 1 found; otherwise the local-machine outcome: 0 key present
// but value missing, -1 key missing. `out` is read with a 260-byte buffer.
int ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& out);
