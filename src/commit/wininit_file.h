#pragma once
// Wininit.ini on disk: read whole, and rewritten without ever leaving a
// truncated file behind.
#include <string>

#include "platform/file_system.h"

// The file's bytes; an absent file reads as empty (after taking back the
// file from aside, should a rewrite have been cut off between its renames).
// False when the file exists but cannot be read.
bool ReadWininit(FileSystem& files, const std::string& iniPath, std::string& text);

// Replaces the file with `text`: written and flushed to iniPath + ".new"
// first, then put in its place (see ReplaceFile), so a failed write leaves
// the old file as it was. False when the file was not replaced.
bool WriteWininit(FileSystem& files, const std::string& iniPath, const std::string& text);

// Merges `block` into the [rename] section of the file (see
// MergeRenameBlock). 1 when the block is in the file afterwards (added now
// or there before, or empty), 0 when the file cannot be read or written.
int MergeWininitBlock(FileSystem& files, const std::string& iniPath, const std::string& block);
