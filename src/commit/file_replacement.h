#pragma once
// Putting a whole file in place of another without a moment where neither
// is on the disk under some name.
#include <cstdint>
#include <string>

#include "platform/file_system.h"

// Where the 95/98/Me replacement keeps the replaced file until the new one
// is in place: the target's path + ".old".
std::string AsidePath(const std::string& target);

// Puts the file `source` in place of `target` (which need not exist). On NT
// in one step (a replace-existing rename, written through). The 95/98/Me
// family has no such rename: there the target is renamed aside, the source
// renamed into place, and the aside file deleted; should the second rename
// fail, the target is renamed back. False when the target was not replaced
// (it is held open, say); it is then as it was.
bool ReplaceFile(FileSystem& files, int32_t osFamily, const std::string& source, const std::string& target);

// Completes a 95/98/Me replacement cut off between its two renames: a
// target that is missing while its aside file stands gets it back.
void RestoreAsideFile(FileSystem& files, const std::string& target);
