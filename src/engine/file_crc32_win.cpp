#include "engine/file_crc32.h"

#include "platform/file_system_win.h"

uint32_t FileCrc32(const std::string& path) { return FileCrc32(SystemFileSystem(), path); }

int MatchesCrc(const std::string& path, const char* expected) { return MatchesCrc(SystemFileSystem(), path, expected); }
