#pragma once
// Copying a new file beside the one it is to replace, the way CopyFileA would
// copy it: the copy gets the source's last-write time and its read-only,
// hidden and system attributes. The bytes go through one 64 KiB buffer of our
// own: under Wine, CopyFileA is mostly slower than a plain read and write
// loop and asks another process for the volume's serial number
// (docs/performance.md); the commit copies every new file once.
#include <string>

// Copies `source` to `base` followed by the smallest number from 0 upwards
// under which no file exists (ZMT9X.EXE0, else ZMT9X.EXE1, ...), named in
// `path`. Each name is tried by creating it only where none exists, so that
// finding the free name and creating it are one look-up: under Wine a name
// that does not exist is looked for in the whole folder, without regard to
// case, and an installed program's folder may hold thousands of files.
// False when no name could be created (the name would not fit the 260-byte
// path buffer, every number is taken, or the folder refuses) or the copy
// failed; a copy that failed part way is deleted, no existing file is touched.
bool CopyToFirstFreeNumberedPath(const std::string& source, const std::string& base, std::string& path);
