#pragma once
// The installed virus-database version: the latest full database followed by
// the unbroken run of incremental updates numbered after it.
#include <functional>
#include <string>

#include "engine/version_number.h"

// Version of the database file of the given name in the program folder; 0
// when the file is missing or unreadable.
using DatabaseVersionReader = std::function<VersionNumber(const std::string& name)>;

// Reads the full database numbered `latest`; if its version is 0, answers
// false with version 0. Otherwise the version is that of the last of the
// updates latest + 1, latest + 2, ... whose version is not 0, stopping at the
// first one that is 0 or missing and after number 99999 (no wrap to 0).
bool InstalledDatabaseVersion(int latest, const DatabaseVersionReader& readVersion, VersionNumber& version);
