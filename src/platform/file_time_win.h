#pragma once
// File times as calendar times.
#include <windows.h>

#include <string>

// Last modification time of a file (or of a folder named without a trailing
// backslash) in local time, through FindFirstFileA, with the daylight-saving
// offset of that date where Windows can tell it (the NT family). False when
// the file cannot be found or the time cannot be converted.
bool LocalModificationTime(const std::string& path, SYSTEMTIME& local);
