#pragma once
#include <cstdint>
#include <map>
#include <string>

// The CRC-32 of each file an extraction wrote, by its full path, taken from
// the bytes as they were written.
using ExtractedCrcs = std::map<std::string, uint32_t>;

// Unpacks every entry of the package archive into `destination` (a folder
// ending with a backslash). Non-zero on success, 0 on failure. With `crcs`,
// each file written whole is entered there.
int ExtractPackageArchive(const std::string& archivePath, const std::string& destination,
                          ExtractedCrcs* crcs = nullptr);
