#pragma once
// A file held open by another process, for tests that need a locked file.
#include <string>

#include "child_process_win.h"

namespace automation {

// Starts holdfile.exe (beside the running program) on the absolute `path`
// with share mode `mode` ("none", "read" or "readwrite") and returns once it
// holds the handle. The lock lasts until `holder` is terminated or destroyed.
// False when holdfile could not open the file or did not get ready in time.
bool HoldFile(ChildProcess& holder, const std::string& path, const std::string& mode);

}  // namespace automation
