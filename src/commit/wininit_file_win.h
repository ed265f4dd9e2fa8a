#pragma once
// Wininit.ini on disk: read whole, and rewritten without ever leaving a
// truncated file behind.
#include <string>

// The file's bytes; an absent file reads as empty. False when the file
// exists but cannot be read.
bool ReadWininit(const std::string& iniPath, std::string& text);

// Merges `block` into the [rename] section of the file (see
// MergeRenameBlock). The new text goes to iniPath + ".new" first and then
// takes the file's place in one step, so a failed write leaves the old file
// as it was. 1 when the block is in the file afterwards (added now or there
// before, or empty), 0 when the file cannot be read or written.
int MergeWininitBlock(const std::string& iniPath, const std::string& block);

// Puts the file `source` in place of `target` (which need not exist):
// MoveFileExA replacing it, or, where that call is missing as on Windows
// 95/98/Me, by renaming the target aside first and back again when the
// second rename fails. False when the target was not replaced.
bool ReplaceWithFile(const std::string& source, const std::string& target);
