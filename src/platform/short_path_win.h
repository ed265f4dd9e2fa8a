#pragma once
// Short (8.3) forms of paths, as DOS and Wininit.ini need them.
#include <string>

// GetShortPathNameA of an existing file or folder into a 260-byte buffer.
// False when the path does not exist or its short form does not fit.
bool ShortPathOf(const std::string& path, std::string& shortPath);
