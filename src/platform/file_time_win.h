#pragma once
// File times as calendar times.
#include <windows.h>

#include <string>

// Last modification time of a file (or folder) in local time, through
// GetFileAttributesExA, with the daylight-saving offset of that date where
// Windows can tell it (the NT family). False when the file's
// attributes cannot be read or the time cannot be converted.
bool LocalModificationTime(const std::string& path, SYSTEMTIME& local);
