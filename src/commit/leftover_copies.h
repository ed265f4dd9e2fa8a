#pragma once
// Numbered copies (destination + number, temporary folder + name + number)
// that a run cut short left behind. A later run cannot tell such a copy
// from one that an operation pending the next restart still names (a
// delayed move, Wininit.ini, ZMTMove.BAT, CopyFile.ini) by looking at the
// file, only by looking for its name in those.
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"

// True for a numbered copy that no pending restart operation names: `path`
// occurs, in its long or short form and without regard to case, in none of
// `pendingTexts` (the registry's pending moves, Wininit.ini, the batch and
// the copy list as text). A form that occurs as part of a longer name counts
// as named: keeping a copy is safe, deleting a named one is not.
bool IsLeftoverCopy(FileSystem& files, const std::vector<std::string>& pendingTexts, const std::string& path);

// Whether a numbered copy may be deleted and its number used again.
using LeftoverTest = std::function<bool(const std::string& path)>;
