#pragma once
// What the operations pending the next restart name, as text to search.
#include <string>
#include <vector>

#include "commit/restart_folders.h"

// The delayed moves the system holds (PendingFileRenameOperations), and
// Wininit.ini, ZMTMove.BAT and CopyFile.ini as they are on the disk; a
// missing one is left out.
std::vector<std::string> PendingRestartTexts(const RestartFolders& folders);
