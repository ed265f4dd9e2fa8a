#pragma once
// Versions of installed files, read the ways the catalogue's check methods
// name. Each reader answers success or failure; a failure leaves version 0.
#include <string>

#include "engine/version_number.h"

// Product version (dwProductVersionMS/LS) of the file's version resource,
// through the system's version functions. Fails when the file has no
// version resource; an empty root block succeeds with version 0.
bool ReadResourceVersion(const std::string& path, VersionNumber& version);

// The two 32-bit fields at offsets 60 and 64; fails for files shorter than
// 148 bytes or that cannot be opened sharing reads.
bool ReadHeaderVersion(const std::string& path, VersionNumber& version);

// Virus-database version from the first 368 bytes (see EngineVersionFromBytes);
// fails for shorter files or files that cannot be opened sharing reads.
bool ReadEngineVersion(const std::string& path, VersionNumber& version);

// Method 0 reads the version resource, method 1 the header fields; any other
// method succeeds with version 0. Fails at once when no file (a folder does
// not count) exists at the path.
bool ReadFileVersion(const std::string& path, int method, VersionNumber& version);

// Version of a virtual device driver against a dotted text: -1 installed is
// older, 1 newer, 0 equal or not found (see CompareDriverVersion).
int CompareVxdVersion(const std::string& path, const std::string& versionText);
