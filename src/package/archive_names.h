#pragma once
// Where an archive entry may be written. An entry's name and folder come from
// the archive, which may be damaged or hostile: they are accepted only when
// they stay inside the destination folder.
#include <string>
#include <vector>

#include "package/archive_format.h"

// An accepted entry's place below the destination: its folder levels, outermost
// first (none for the destination itself), and its file name.
struct EntryPlacement {
  std::vector<std::string> folders;
  std::string name;
};

// Accepts the entry's name and folder when both are NUL-terminated within their
// fields and are well-formed code page 936 text; the name is one path
// component; the folder is empty or components separated by single backslashes
// (one trailing backslash allowed). A component is refused when it is empty,
// holds a character Windows does not allow in a file name (the slashes, colon,
// < > " | ? *, control characters), consists of dots and blanks only ("." and
// ".." among them), or is a device name such as NUL or COM1.
bool PlaceArchiveEntry(const ArchiveEntry& entry, EntryPlacement& placement);

// The Windows paths of an accepted entry below `destination` (a folder ending
// with a backslash): the folder to create ("" when the entry has none) and the
// output file. False when the output path would exceed the path limit.
bool BuildEntryPaths(const std::string& destination, const EntryPlacement& placement, std::string& folderPath,
                     std::string& filePath);
