#pragma once
// A file's version resource through the system's version functions.
#include <windows.h>

#include <string>

// The fixed part of the version resource: GetFileVersionInfoSizeA,
// GetFileVersionInfoA, then VerQueryValueA of the root block "\". False when
// any of the three fails. When the root block is empty, or too short to hold
// the fixed part, `fixed` is all zero.
bool ReadFixedFileInfo(const std::string& path, VS_FIXEDFILEINFO& fixed);
