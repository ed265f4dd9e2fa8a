#pragma once
// The files/ folder of a package source: what goes into the archive and what
// is copied beside it.
#include <string>
#include <vector>

#include "archive_writer.h"

struct SourceFile {
  std::string path;                 // on this machine
  std::vector<std::string> parts;   // below files/: folder levels, then the file name
};

// Every regular file below `filesDir`, in byte order of their relative paths.
std::vector<SourceFile> ListSourceFiles(const std::string& filesDir);

// True when `parts` lies below the folder levels `folder` (exact names).
bool IsBelow(const std::vector<std::string>& parts, const std::vector<std::string>& folder);

// The archive entry for a file below the archive folder (its first
// `folderDepth` levels): name, sub-folder, content and times. False, with a
// one-line reason, when the runner would refuse the name or the file cannot
// be read.
bool MakeArchiveMember(const SourceFile& file, size_t folderDepth, ArchiveMember& member, std::string& reason);
