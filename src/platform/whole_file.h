#pragma once
// Whole files read and written through the file-system seam.
#include <string>

#include "platform/file_system.h"

bool PathExists(FileSystem& files, const std::string& path);

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(FileSystem& files, const std::string& path, std::string& bytes);

// Writes `bytes` to `path` (a new file, or one that is emptied first) and
// flushes them to the disk. A read-only file is refused, as Windows refuses
// it (Wine running as root would not). A file that could not be written
// whole (a write failed, or the file is not as long as `bytes`) is deleted
// again. False unless the file stands whole and flushed.
bool WriteFlushedFile(FileSystem& files, const std::string& path, const std::string& bytes);
