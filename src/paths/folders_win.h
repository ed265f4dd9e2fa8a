#pragma once
#include <string>

struct UpdateRun;

// Fills the folder fields of the run state: Windows, system, current,
// package (the runner's own folder) and temporary folder, each ending with a
// backslash, and sets programDir to the package folder. Returns 1 when the
// Windows, system and current folders and the executable's path were all
// obtained; the temporary folder falls back to C:\Temp\ and does not count.
int InitFolders(UpdateRun& run);

// Creates the folder and every missing parent. Returns 0 when the last level
// was created, -1 otherwise (an existing folder included).
int CreateFolderPath(const std::string& path);

// 1 when something that is not a folder exists under the path, else 0.
int FileExists(const std::string& path);
