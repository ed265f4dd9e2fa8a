#pragma once
// Copying a new file beside the one it is to replace, the way CopyFileA would
// copy it: the copy gets the source's last-write time and its read-only,
// hidden and system attributes. The bytes go through one 64 KiB buffer of our
// own: under Wine, CopyFileA is mostly slower than a plain read and write
// loop and asks another process for the volume's serial number
// (docs/performance.md); the commit copies every new file once. The copy is
// flushed to the disk before it is closed, so that a rename of it that a
// power cut keeps never names a file whose bytes were lost.
//
// A copy counts as made only when every write wrote all its bytes and the
// copy's final length is the number of bytes read from the source. The CRC-32
// of those bytes is taken on the way, so that the caller can check the copy
// against its expected CRC without reading it back: right after the writes a
// read would come from the system's cache, not from the disk, and prove only
// what the copy loop already knows.
#include <cstdint>
#include <string>

#include "commit/leftover_copies.h"
#include "platform/file_system.h"

enum class CopyOutcome { kCopied, kNameTaken, kFailed };

// Copies to `destination` unless a file of that name exists. A destination
// created and then not completed is deleted. With `crc`, a copy made gives
// there the CRC-32 of the bytes it read from the source.
CopyOutcome CopyToNewFile(FileSystem& files, const std::string& source, const std::string& destination,
                          uint32_t* crc = nullptr);

// Copies `source` to `base` followed by the smallest number from 0 upwards
// under which no file exists (ZMT9X.EXE0, else ZMT9X.EXE1, ...), named in
// `path`. Each name is tried by creating it only where none exists, so that
// finding the free name and creating it are one look-up: under Wine a name
// that does not exist is looked for in the whole folder, without regard to
// case, and an installed program's folder may hold thousands of files.
// False when no name could be created (the name would not fit the 260-byte
// path buffer, every number is taken, or the folder refuses) or the copy
// failed; a copy that failed part way is deleted. An existing numbered file
// is touched only when `leftover` (if given) says it is a leftover: it is
// then deleted and its number used again, and so are the leftovers at the
// numbers following the one taken, up to the first free one. `crc` as for
// CopyToNewFile.
bool CopyToFirstFreeNumberedPath(FileSystem& files, const std::string& source, const std::string& base,
                                 std::string& path, const LeftoverTest& leftover = nullptr, uint32_t* crc = nullptr);
