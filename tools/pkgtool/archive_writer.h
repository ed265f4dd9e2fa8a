#pragma once
// Builds a package archive (ZMTUPD.DAT) from entries held in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "package/archive_format.h"

struct ArchiveMember {
  std::string name;    // file name, ANSI bytes
  std::string folder;  // sub-folder below the destination, backslash-separated; "" for none
  std::vector<unsigned char> data;
  uint32_t key = 0;
  ArchiveTimes times;
};

// Lays out the header, one record per member in order, and the members' data
// in the same order, each scrambled with its key. Fails, with a one-line
// reason, when there are no members, a name or folder does not fit its field
// with its NUL or holds a NUL, or the data area would pass 2 GiB. Whether a
// name is acceptable to the reader is the caller's concern (PlaceArchiveEntry).
bool BuildArchive(const std::vector<ArchiveMember>& members, std::vector<unsigned char>& archive,
                  std::string& error);
