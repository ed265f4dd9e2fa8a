#pragma once
// The DOS-mode replacement on Windows 95/98 for staged files whose names are
// too long for Wininit.ini: ZMTMove.BAT in the temporary folder collects one
// group of lines per deferred file, and C:\Autoexec.bat and WinStart.bat call
// it at the next start, before Windows runs.
#include <string>
#include <vector>

#include "commit/restart_folders.h"

// Appends the group that puts `staged` in place of `destination` (full paths
// of existing files) to ZMTMove.BAT, after making the destination's
// attributes normal. The group runs the mover, written out first when
// missing, or uses Attrib, copy and del when the mover cannot be written or
// its line would be too long for DOS.
// 1 when the group was written; 0 when the batch cannot be opened or written,
// a short path cannot be obtained, or a line would be too long for DOS.
int DeferByDosBatch(const RestartFolders& folders, const std::string& destination, const std::string& staged);

// Makes sure the mover is written out and that C:\Autoexec.bat and
// WinStart.bat in the Windows folder hold the lines that call and then delete
// the batch and the mover; a start file that holds them already is left
// alone, a missing one is created. 1 when at least one start file holds the
// lines afterwards, else 0 (the batch would never run).
int ArmDosBatch(const RestartFolders& folders);

// The destinations ZMTMove.BAT replaces, by their short paths: the files
// that will not be completed when ArmDosBatch fails.
std::vector<std::string> PendingBatchMoves(const RestartFolders& folders);
