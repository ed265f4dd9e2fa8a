#pragma once
// File times as calendar times.
#include <windows.h>

#include <string>

// Last modification time of a file (or of a folder named without a trailing
// backslash) in local time, through
// FindFirstFileA and FileTimeToLocalFileTime. False when the file's
// attributes cannot be read or the time cannot be converted.
bool LocalModificationTime(const std::string& path, SYSTEMTIME& local);
