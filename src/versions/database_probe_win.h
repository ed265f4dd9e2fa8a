#pragma once
// The virus database installed in the program folder.
#include <string>

#include "engine/version_number.h"

// Highest number among the full-database files "ZMT?????.DAT" of the folder;
// 0 when there is none.
int FindLatestDatabaseNumber(const std::string& programDir);

// The installed database version (see InstalledDatabaseVersion): 1 when a
// non-zero version was found, else 0 with version 0.
int GetDatabaseVersion(const std::string& programDir, VersionNumber& version);
