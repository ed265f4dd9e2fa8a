#pragma once
// The three times of a source file, as an archive entry records them.
#include <string>

#include "package/archive_format.h"

// False when the file's times cannot be read. Where the file system keeps no
// creation time (POSIX), the last-write time stands in for it.
bool ReadSourceTimes(const std::string& path, ArchiveTimes& times);
