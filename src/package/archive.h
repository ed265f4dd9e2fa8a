#pragma once
#include <string>

// Unpacks every entry of the package archive into `destination` (a folder
// ending with a backslash). Non-zero on success, 0 on failure.
int ExtractPackageArchive(const std::string& archivePath, const std::string& destination);
