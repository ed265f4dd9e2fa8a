#pragma once
// The copy-program replacement on Windows Me for staged files whose names
// are too long for Wininit.ini: CopyFile.ini in the temporary folder lists
// the replacements (format in commit/copy_list.h), and the copy program,
// written out beside it and listed in the Run value of Win.ini, carries them
// out at the next start of Windows.
#include <string>
#include <vector>

#include "commit/file_pair.h"
#include "commit/restart_folders.h"

// Lists the replacement of `destination` by `staged` (full paths) in
// CopyFile.ini, after making the destination's attributes normal. 1 when
// both keys were written, else 0.
int DeferByCopyProgram(const RestartFolders& folders, const std::string& destination, const std::string& staged);

// Writes the copy program to the short form of the temporary folder +
// "CopyFile.EXE" and adds that path to the Run value of the Windows folder's
// Win.ini, keeping the programs listed there. 1 when the program was written
// and is listed; 0 otherwise (Win.ini is left alone when the program cannot
// be written).
int ArmCopyProgram(const RestartFolders& folders);

// The replacements CopyFile.ini lists, in its order: the files that will not
// be completed when ArmCopyProgram fails.
std::vector<FilePair> PendingCopies(const RestartFolders& folders);
