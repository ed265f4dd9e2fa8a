#pragma once
#include <cstdint>
#include <string>

#include "platform/file_system.h"

// CRC-32 of a whole file, read in chunks while sharing read and write access
// (an installed file may be in use). 0 when the file cannot be opened, is
// empty, or cannot be read in full.
uint32_t FileCrc32(FileSystem& files, const std::string& path);
uint32_t FileCrc32(const std::string& path);  // on the system's files

// 1 when FileCrc32(path) equals the catalogue's expected value (decimal text,
// read as the C library's atoi would), else 0.
int MatchesCrc(FileSystem& files, const std::string& path, const char* expected);
int MatchesCrc(const std::string& path, const char* expected);  // on the system's files
