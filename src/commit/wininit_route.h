#pragma once
// The Wininit.ini route of the deferred replacement on Windows 95/98/Me, for
// staged files with short names, and the scheduled removal of superseded
// virus databases on those systems. Wininit.ini is windowsDir + "wininit.ini".
#include <string>
#include <vector>

#include "commit/restart_folders.h"
#include "platform/file_system.h"

// Copies `staged` to a TMP file beside `destination` (both long full paths
// of existing files) and adds "NUL=D" and "D=T" (short paths of the
// destination and the TMP copy) to Wininit.ini's [rename] section, so that
// the next start puts the new file in place. A rerun before that start
// writes a fresh TMP copy under a new name and points the section's move at
// it in the same rewrite of the file, so that the copy the file names is
// always whole; the earlier copy is deleted after. 1 when the block is in
// Wininit.ini; 0 when a short path cannot be obtained, no TMP name is free,
// the copy fails, or Wininit.ini cannot be read or written (the TMP copy
// made by this call is then removed again).
int DeferByWininit(FileSystem& files, const RestartFolders& folders, const std::string& destination,
                   const std::string& staged);

// Adds a "NUL=" line for each of `databaseFiles` (full paths) that exists,
// in the given order, so that the next start deletes them. 1 when those
// lines are in Wininit.ini (or there is nothing to delete), else 0 (also
// when the short path of a file that exists cannot be obtained).
int ScheduleOldDatabaseRemoval9x(FileSystem& files, const RestartFolders& folders,
                                 const std::vector<std::string>& databaseFiles);
