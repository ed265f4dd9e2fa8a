#pragma once
// The self-update hand-off: when the catalogue asks for the runner's own
// files to be updated first, the run replaces nothing itself but leaves
// Update.inf (format in commit/self_update_entries.h) and the self-update
// program UpdateSelf.DAT in the package's source folder. The runner does not
// start that program: the product's update program (Update.EXE), which
// started the runner, starts UpdateSelf.DAT once the runner has ended; it
// copies the files and starts Update.EXE again with "/CONTINUE ".
#include <cstdint>
#include <string>
#include <vector>

#include "commit/file_pair.h"

class UpdateLog;

struct SelfUpdateRequest {
  int32_t selfUpdateFirst;          // the catalogue's request; nothing is done without it
  std::string packageSourceDir;     // where Update.inf and UpdateSelf.DAT go, ending with "\"
  std::string programDir;           // the installation, ending with "\"
  std::vector<FilePair> files;      // package copy and destination of each item, in list order
};

// Replaces any Update.inf with one listing `files`, then writes the
// self-update program and logs message 8, or message 9 when the program
// cannot be written. 1 after writing the hand-off, 0 without doing anything
// when selfUpdateFirst is clear.
int SelfUpdateHandOff(const SelfUpdateRequest& request, UpdateLog& log);
