#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "catalog/ini_text.h"

// Orders paths as Windows compares file names: ASCII letters without regard
// to case, the bytes of double-byte characters as they are.
struct CaseBlindPathLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return ini_text::FoldCase(a) < ini_text::FoldCase(b);
  }
};

// The CRC-32 of each file an extraction wrote, by its full path, taken from
// the bytes as they were written. Names that differ only in case are one
// file, which holds the bytes written last.
using ExtractedCrcs = std::map<std::string, uint32_t, CaseBlindPathLess>;

// Unpacks every entry of the package archive into `destination` (a folder
// ending with a backslash). Non-zero on success, 0 on failure. With `crcs`,
// each file written whole is entered there.
int ExtractPackageArchive(const std::string& archivePath, const std::string& destination,
                          ExtractedCrcs* crcs = nullptr);
